#include "reading/Typeface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "reading/ProbeLine.h"
#include "reading/ReferenceGlyphs.h"

namespace fontprobe {

namespace {

// Measured on synthetic scans: a line in the comparison's own typeface
// differs from it by up to about 0.03, one in another typeface by 0.10 or more.
constexpr double kSameBelow = 0.05;
constexpr double kDifferentAbove = 0.08;
// OCR-B's 3 printed and scanned, dots and blur included, is 0.86 or more like
// the reference and at least 0.06 more like it than like another typeface's
// 3; other typefaces' 3s are at most as like OCR-B's as like another's.
constexpr double kOcrBAtLeast = 0.86;
constexpr double kOcrBMargin = 0.06;
constexpr double kNotOcrBBelow = 0.80;
// Another typeface's 3 printed and scanned is this like one of the
// references at least; less like every one, a line is too faint or coarse.
constexpr double kAnotherAtLeast = 0.75;

// Printers draw a typeface a little larger or smaller than its font file.
constexpr std::array<double, 7> kScales = {0.85, 0.9, 0.95, 1.0, 1.05, 1.1, 1.15};

// Two places after the point, as "%.2f" writes it: without printf, which
// would bring a formatter of its own into Fontprobe.exe.
std::string Figure(double value) {
  const long hundredths = std::lround(std::abs(value) * 100);
  std::string text = std::to_string(hundredths / 100);
  text += '.';
  text += static_cast<char>('0' + hundredths % 100 / 10);
  text += static_cast<char>('0' + hundredths % 10);
  if (value < 0 && hundredths) text.insert(text.begin(), '-');
  return text;
}

}  // namespace

Glyph ReferenceInk(const ReferenceFace& face, int digit) {
  Glyph glyph;
  std::size_t i = 0;
  for (const char* c = face.digits[digit]; *c && i < glyph.ink.size(); ++c) {
    const bool paperRun = *c >= 'g' && *c <= 'z', inkRun = *c >= 'G' && *c <= 'Z';
    const int run = paperRun ? *c - 'g' + 2 : inkRun ? *c - 'G' + 2 : 1;
    const int level = paperRun ? 0 : inkRun ? 15 : *c <= '9' ? *c - '0' : *c - 'a' + 10;
    for (int k = 0; k < run && i < glyph.ink.size(); ++k) glyph.ink[i++] = level * 17.0f;
  }
  return glyph;
}

const std::vector<ReferenceGlyph>& ReferenceGlyphs() {
  static const std::vector<ReferenceGlyph> glyphs = [] {
    std::vector<ReferenceGlyph> decoded;
    for (std::size_t f = 0; f < kReferenceFaceCount; ++f) {
      const ReferenceFace& face = kReferenceFaces[f];
      for (int d = 0; d < 10; ++d) {
        decoded.push_back(
            {face.name, face.ocrB, static_cast<char>('0' + d), Blurred(ReferenceInk(face, d))});
      }
    }
    return decoded;
  }();
  return glyphs;
}

ShapeMatch MatchShape(const Glyph& mean) {
  std::array<Glyph, kScales.size()> scaled;
  for (std::size_t i = 0; i < kScales.size(); ++i) scaled[i] = Blurred(Scaled(mean, kScales[i]));
  ShapeMatch match;
  match.digitLikeness = -1;
  for (const ReferenceGlyph& reference : ReferenceGlyphs()) {
    // The 3s at every scale; the other digits, which only tell a 3 from what
    // is not, near the printed size.
    double likeness = -1;
    for (std::size_t i = 0; i < kScales.size(); ++i) {
      if (reference.digit != '3' && (kScales[i] < 0.9 || kScales[i] > 1.1)) continue;
      likeness = std::max(likeness, Likeness(scaled[i], reference.blurred, 2));
    }
    if (reference.digit == '3' && reference.ocrB) match.ocrB = likeness;
    if (reference.digit == '3' && !reference.ocrB && likeness > match.other) {
      match.other = likeness;
      match.otherFace = reference.face;
    }
    if (likeness > match.digitLikeness) {
      match.digitLikeness = likeness;
      match.digit = reference.digit;
    }
  }
  return match;
}

bool LooksLikeOcrB(const ShapeMatch& shape) {
  return shape.ocrB >= kOcrBAtLeast && shape.ocrB - shape.other >= kOcrBMargin;
}

std::string Unreadable(const LineEvidence& line) {
  if (!line.found) return "its line of 3s was not found";
  if (line.characters < kEnoughCharacters) {
    return "only " + std::to_string(line.characters) + " of its " + std::to_string(kLineLength) +
           " characters could be read";
  }
  if (line.level > 0.08) return "its characters do not lie level (creased or curled paper?)";
  if (line.alike < 0.5) return "its characters are not alike (smudged, faint or damaged print)";
  return "";
}

Judgement JudgeBlock(const LineEvidence& block, const LineEvidence& comparison) {
  Judgement judgement;
  if (std::string problem = Unreadable(block); !problem.empty()) {
    judgement.reason = problem;
    return judgement;
  }
  judgement.difference = 1 - Likeness(block.mean, comparison.mean, 3);
  const ShapeMatch& shape = block.shape;
  if (shape.digit != '3') {
    judgement.typeface = Typeface::Other;
    judgement.reason = std::string("its characters are not 3s; they look most like ") + shape.digit;
    return judgement;
  }
  if (judgement.difference <= kSameBelow) {
    judgement.typeface = Typeface::SameAsComparison;
    return judgement;
  }
  if (judgement.difference < kDifferentAbove) {
    judgement.reason =
        "it is neither clearly the same as the comparison nor clearly different "
        "(difference " +
        Figure(judgement.difference) + ")";
    return judgement;
  }
  // More like OCR-B than the comparison is, too: a blurred or faint scan
  // makes every line a little like every reference.
  if (LooksLikeOcrB(shape) && shape.ocrB - comparison.shape.ocrB >= 0.04) {
    judgement.typeface = Typeface::OcrB;
  } else if (shape.other >= kAnotherAtLeast &&
             (shape.ocrB < kNotOcrBBelow || shape.other >= shape.ocrB)) {
    judgement.typeface = Typeface::Other;
  } else if (shape.other < kAnotherAtLeast && shape.ocrB < kNotOcrBBelow) {
    judgement.reason = "its 3s are like no typeface known here (likeness " + Figure(shape.ocrB) +
                       " to OCR-B, " + Figure(shape.other) + " to " + std::string(shape.otherFace) +
                       "): too faint or too coarse to judge";
  } else {
    judgement.reason = "it differs from the comparison and looks partly like OCR-B (likeness " +
                       Figure(shape.ocrB) + ", " + Figure(shape.other) + " to " +
                       std::string(shape.otherFace) + ")";
  }
  return judgement;
}

}  // namespace fontprobe
