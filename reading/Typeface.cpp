#include "reading/Typeface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "reading/ReferenceGlyphs.h"

namespace fontprobe {

namespace {

// Measured on synthetic scans: a line in the comparison's own typeface
// differs from it by up to about 0.03, one in another typeface by 0.10 or more.
constexpr double kSameBelow = 0.05;
constexpr double kDifferentAbove = 0.08;
// Another typeface's 3 printed and scanned is this like one of the
// references at least; less like every one, a line is too faint or coarse.
constexpr double kAnotherAtLeast = 0.75;
constexpr double kNotOcrBBelow = 0.80;

// What OCR-B's 3 must show, for each print method, to be told from every
// other 3: measured by bench/judge-margins.py on pages printed with OCR-B and
// with the reference lookalikes (never the held-out ones), the least OCR-B
// reached less a safety share, and the most any lookalike reached plus one.
struct Margins {
  double likenessAtLeast;  // likeness to OCR-B's 3
  double likenessLead;     // over the likeness to the nearest other 3
  double distanceAtMost;   // shape distance from OCR-B's 3
  double distanceLead;     // the nearest other 3's shape distance, less OCR-B's
};
constexpr Margins kMargins[] = {
    {0.90, 0.06, 1.0, 0.5},  // laser and inkjet
    {0.88, 0.06, 1.2, 0.5},  // 24-pin
    {0.84, 0.06, 1.2, 0.5},  // 9-pin
};
// A 9-pin head's dots are as coarse as the differences between OCR-B's 3
// and a draft 3: no margin was found that OCR-B meets and no lookalike does.
constexpr bool kCanTell[] = {true, true, false};

const char* MethodName(PrintMethod method) {
  switch (method) {
    case PrintMethod::Laser:
      return "laser or inkjet";
    case PrintMethod::Pins24:
      return "24-pin";
    case PrintMethod::Pins9:
      break;
  }
  return "9-pin";
}

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
  return ReferenceInk(face.digits[digit]);
}

Glyph ReferenceInk(const char* spelt) {
  Glyph glyph;
  std::size_t i = 0;
  for (const char* c = spelt; *c && i < glyph.ink.size(); ++c) {
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

namespace {

// A reference 3 decoded once, blurred for likeness and measured for shape.
struct Three {
  std::string_view face;
  PrintMethod method;
  bool ocrB;
  Glyph blurred;
  ThreeShape shape;
};

const std::vector<Three>& Threes() {
  static const std::vector<Three> threes = [] {
    std::vector<Three> decoded;
    for (std::size_t i = 0; i < kReferenceThreeCount; ++i) {
      const ReferenceThree& three = kReferenceThrees[i];
      const Glyph ink = ReferenceInk(three.ink);
      decoded.push_back(
          {three.face, three.method, three.ocrB, Blurred(ink), MeasureThree(Centred(ink))});
    }
    return decoded;
  }();
  return threes;
}

double BestLikeness(const std::array<Glyph, kScales.size()>& scaled, const Glyph& reference,
                    bool everyScale) {
  double likeness = -1;
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    if (!everyScale && (kScales[i] < 0.9 || kScales[i] > 1.1)) continue;
    likeness = std::max(likeness, Likeness(scaled[i], reference, 2));
  }
  return likeness;
}

// The 3s of OCR-B and of its lookalikes, each as every print method prints it.
void MatchThrees(const std::array<Glyph, kScales.size()>& scaled, ShapeMatch& match) {
  match.ocrBDistance = match.lookalikeDistance = 1e9;
  double bestOcrB = -1;
  for (const Three& three : Threes()) {
    const double likeness = BestLikeness(scaled, three.blurred, true);
    const double distance = ShapeDistance(match.measured, three.shape);
    if (three.ocrB) {
      if (likeness > bestOcrB) {
        bestOcrB = likeness;
        match.print = three.method;
      }
      match.ocrB = std::max(match.ocrB, likeness);
      match.ocrBDistance = std::min(match.ocrBDistance, distance);
      continue;
    }
    if (likeness > match.other) {
      match.other = likeness;
      match.otherFace = three.face;
    }
    if (distance < match.lookalikeDistance) {
      match.lookalikeDistance = distance;
      match.lookalike = three.face;
    }
  }
}

}  // namespace

ShapeMatch MatchShape(const Glyph& mean) {
  std::array<Glyph, kScales.size()> scaled;
  for (std::size_t i = 0; i < kScales.size(); ++i) scaled[i] = Blurred(Scaled(mean, kScales[i]));
  ShapeMatch match;
  match.digitLikeness = -1;
  match.measured = MeasureThree(mean);
  for (const ReferenceGlyph& reference : ReferenceGlyphs()) {
    // The 3s at every scale; the other digits, which only tell a 3 from what
    // is not, near the printed size.
    const double likeness = BestLikeness(scaled, reference.blurred, reference.digit == '3');
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
  MatchThrees(scaled, match);
  return match;
}

std::string NotClearlyOcrB(const ShapeMatch& shape) {
  const auto method = static_cast<std::size_t>(shape.print);
  const Margins& margins = kMargins[method];
  if (!kCanTell[method]) {
    return std::string("its print (") + MethodName(shape.print) +
           " dots) is too coarse to tell OCR-B's 3 from a draft 3 like it";
  }
  if (shape.ocrB < margins.likenessAtLeast) {
    return "it is not much like OCR-B's 3 (likeness " + Figure(shape.ocrB) + ")";
  }
  if (shape.ocrB - shape.other < margins.likenessLead) {
    return "it looks like OCR-B's 3 but nearly as much like " + std::string(shape.otherFace) +
           "'s (likeness " + Figure(shape.ocrB) + " and " + Figure(shape.other) + ")";
  }
  if (!shape.measured.found || shape.ocrBDistance > margins.distanceAtMost) {
    return "its shape (top bar, diagonal, bowl) is not OCR-B's 3's (distance " +
           Figure(shape.ocrBDistance) + ")";
  }
  if (shape.lookalikeDistance - shape.ocrBDistance < margins.distanceLead) {
    return "its shape (top bar, diagonal, bowl) is nearly as like " + std::string(shape.lookalike) +
           "'s 3 as OCR-B's (distance " + Figure(shape.lookalikeDistance) + " and " +
           Figure(shape.ocrBDistance) + ")";
  }
  return "";
}

bool LooksLikeOcrB(const ShapeMatch& shape) { return NotClearlyOcrB(shape).empty(); }

std::string Unreadable(const LineEvidence& line) {
  if (!line.found) return "its line of 3s was not found";
  if (line.characters < 48) {
    return "only " + std::to_string(line.characters) + " of its 64 characters could be read";
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
  const std::string notOcrB = NotClearlyOcrB(shape);
  if (notOcrB.empty() && shape.ocrB - comparison.shape.ocrB >= 0.04) {
    judgement.typeface = Typeface::OcrB;
  } else if (shape.other >= kAnotherAtLeast &&
             (shape.ocrB < kNotOcrBBelow || shape.other >= shape.ocrB)) {
    judgement.typeface = Typeface::Other;
    judgement.reason = "its 3s look most like " + std::string(shape.otherFace) + "'s";
  } else if (shape.other < kAnotherAtLeast && shape.ocrB < kNotOcrBBelow) {
    judgement.reason = "its 3s are like no typeface known here (likeness " + Figure(shape.ocrB) +
                       " to OCR-B, " + Figure(shape.other) + " to " + std::string(shape.otherFace) +
                       "): too faint or too coarse to judge";
  } else if (!notOcrB.empty()) {
    judgement.reason = notOcrB;
  } else {
    judgement.reason = "it is hardly more like OCR-B's 3 than the comparison is (likeness " +
                       Figure(shape.ocrB) + " and " + Figure(comparison.shape.ocrB) + ")";
  }
  return judgement;
}

}  // namespace fontprobe
