#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reading/Glyph.h"

namespace fontprobe {

// What a line's characters are most like among the reference digits.
struct ShapeMatch {
  double ocrB = 0;             // likeness to OCR-B's 3
  double other = 0;            // the best likeness to another typeface's 3
  std::string_view otherFace;  // and whose 3 that is
  char digit = 0;              // the digit most like them, of any typeface
  double digitLikeness = 0;
};
ShapeMatch MatchShape(const Glyph& mean);

// Clearly OCR-B's 3: much like it, and more like it than like any other.
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
  std::string reason;     // why, when it is unclear (or not a 3)
  double difference = 0;  // from the comparison: 0 the same, up to 2
};

// A line judged readable, or the reason it is not.
std::string Unreadable(const LineEvidence& line);

// A test block against the comparison line, which must be readable. OCR-B
// only when it clearly differs from the comparison and clearly has OCR-B's
// shape; the same as the comparison when it is clearly alike; unclear when
// the evidence is weak either way.
Judgement JudgeBlock(const LineEvidence& block, const LineEvidence& comparison);

}  // namespace fontprobe
