#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reading/Glyph.h"
#include "reading/ReferenceGlyphs.h"

namespace fontprobe {

// What a line's characters are most like among the reference digits and 3s.
struct ShapeMatch {
  double ocrB = 0;                 // likeness to OCR-B's 3
  double other = 0;                // the best likeness to another typeface's 3
  std::string_view otherFace;      // and whose 3 that is
  const char* otherInk = nullptr;  // that 3 as it matched, spelt as the reference data is
  char digit = 0;                  // the digit most like them, of any typeface
  double digitLikeness = 0;
  PrintMethod print = PrintMethod::Laser;  // as whose print OCR-B's 3 is likest
  // Part by part (see kThreeParts): the likeness to OCR-B's 3 and to the
  // nearest other 3's, each as the print method likest prints it.
  std::array<double, 3> ocrBParts{};
  std::array<double, 3> otherParts{};
  // The nearest 3 of another face than otherFace's: what `other` would be
  // were that face unknown, as a face never seen is.
  double next = 0;
  std::string_view nextFace;
};

// The parts of a 3 that tell OCR-B's from a lookalike's, as rows of the
// glyph's frame: the top bar and the diagonal leaving it, where the diagonal
// meets the bowl, and the bowl.
struct ThreePart {
  const char* name;
  int firstRow;
  int endRow;
};
inline constexpr std::array<ThreePart, 3> kThreeParts = {
    {{"top bar", 0, 14}, {"middle", 11, 22}, {"bowl", 19, kGlyphHeight}}};
ShapeMatch MatchShape(const Glyph& mean);

// "laser" (or inkjet), "24-pin" or "9-pin".
const char* PrintMethodName(PrintMethod method);

// Why a 3 is not clearly OCR-B's, or nothing when it is: like OCR-B's, more
// like it than like any other 3 by the margin measured for its print method,
// both in likeness and in shape.
std::string NotClearlyOcrB(const ShapeMatch& shape);
bool LooksLikeOcrB(const ShapeMatch& shape);

// How a test block's line of 3s printed, against the comparison line.
enum class Typeface { Comparison, OcrB, SameAsComparison, Other, Unclear };

// What one line of 3s shows: whether it was found, how well it could be read,
// and its characters' mean.
struct LineEvidence {
  bool found = false;
  int characters = 0;  // how many were averaged
  double level = 0;    // see CharacterRow
  double alike = 0;
  Glyph mean;
  ShapeMatch shape;
  std::vector<Glyph> glyphs;  // each character as cut, aligned to the others
  std::vector<bool> used;     // whether it went into the mean (a damaged one did not)
};

struct Judgement {
  Typeface typeface = Typeface::Unclear;
  std::string reason;                // why, when it is unclear (or not a 3)
  std::optional<double> difference;  // from the comparison, when compared: 0 the same, up to 2
};

// A line judged readable, or the reason it is not.
std::string Unreadable(const LineEvidence& line);

// A test block against the comparison line, which must be readable. OCR-B
// only when it clearly differs from the comparison and clearly has OCR-B's
// shape; the same as the comparison when it is clearly alike; unclear when
// the evidence is weak either way.
Judgement JudgeBlock(const LineEvidence& block, const LineEvidence& comparison);

}  // namespace fontprobe
