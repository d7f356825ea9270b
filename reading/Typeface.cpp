#include "reading/Typeface.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "reading/ProbeLine.h"
#include "reading/ReferenceGlyphs.h"

namespace fontprobe {

namespace {

// Measured on synthetic scans: a line in the comparison's own typeface
// differs from it by up to about 0.03, one in another typeface by 0.10 or more.
constexpr double kSameBelow = 0.05;
constexpr double kDifferentAbove = 0.08;
// Another typeface's 3, or another digit, printed and scanned is this like
// one of the references at least; less like every one, a line is too faint
// or coarse.
constexpr double kAnotherAtLeast = 0.75;
constexpr double kNotOcrBBelow = 0.80;

// What OCR-B's 3 must show to be told from every other 3, as
// bench/judge_margins.py measured and chose it on pages printed with OCR-B
// and with the reference lookalikes (never the held-out ones) by laser (its
// toner bold, thin or as drawn), 24-pin and 9-pin printers, each lookalike
// taken as if its own face were unknown: a likeness no lookalike reached,
// and a lead over the nearest other 3 above any lookalike's near that
// likeness. One set for every print: the method a line's mean looks printed
// by is often laser for a dot-matrix print.
struct Margins {
  double likenessAtLeast;  // likeness to OCR-B's 3
  double likenessLead;     // over the likeness to the nearest other 3
  double partAtLeast;      // likeness to OCR-B's 3 in each part
  double partLead;         // over the nearest other 3's, in each part
};
constexpr Margins kMargins = {0.975, 0.031, 0.942, -0.009};
// Whether they tell OCR-B at all where a line's mean looks printed by each
// method: where it looks dot-matrix, no OCR-B line measured met them.
constexpr bool kCanTell[] = {true, false, false};

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

const char* PrintMethodName(PrintMethod method) {
  switch (method) {
    case PrintMethod::Laser:
      return "laser";
    case PrintMethod::Pins24:
      return "24-pin";
    case PrintMethod::Pins9:
      break;
  }
  return "9-pin";
}

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

// A reference 3 decoded once, blurred for likeness.
struct Three {
  std::string_view face;
  PrintMethod method;
  bool ocrB;
  Glyph blurred;
  const char* ink;
};

// Every reference 3: the digit faces' as a laser prints them, and the
// lookalikes' and OCR-B's as each print method does.
const std::vector<Three>& Threes() {
  static const std::vector<Three> threes = [] {
    std::vector<Three> decoded;
    for (std::size_t f = 0; f < kReferenceFaceCount; ++f) {
      const ReferenceFace& face = kReferenceFaces[f];
      if (!face.ocrB) {
        decoded.push_back(
            {face.name, PrintMethod::Laser, false, Blurred(ReferenceInk(face, 3)), face.digits[3]});
      }
    }
    for (std::size_t i = 0; i < kReferenceThreeCount; ++i) {
      const ReferenceThree& three = kReferenceThrees[i];
      decoded.push_back(
          {three.face, three.method, three.ocrB, Blurred(ReferenceInk(three.ink)), three.ink});
    }
    return decoded;
  }();
  return threes;
}

using AtScales = std::array<Glyph, kScales.size()>;

// The likeness at the likeliest scale, and that scale's glyph.
std::pair<double, const Glyph*> BestLikeness(const AtScales& scaled, const Glyph& reference,
                                             bool everyScale) {
  std::pair<double, const Glyph*> best{-1, &scaled[0]};
  for (std::size_t i = 0; i < kScales.size(); ++i) {
    if (!everyScale && (kScales[i] < 0.9 || kScales[i] > 1.1)) continue;
    const double likeness = Likeness(scaled[i], reference, 2);
    if (likeness > best.first) best = {likeness, &scaled[i]};
  }
  return best;
}

std::array<double, 3> Parts(const Glyph& glyph, const Glyph& reference) {
  std::array<double, 3> parts{};
  for (std::size_t p = 0; p < kThreeParts.size(); ++p)
    parts[p] = PartLikeness(glyph, reference, kThreeParts[p].firstRow, kThreeParts[p].endRow, 2);
  return parts;
}

// The 3s of OCR-B and of its lookalikes, each as every print method prints it.
void MatchThrees(const AtScales& scaled, ShapeMatch& match) {
  match.ocrB = match.other = match.next = -1;
  for (const Three& three : Threes()) {
    const auto [likeness, glyph] = BestLikeness(scaled, three.blurred, true);
    if (three.ocrB && likeness > match.ocrB) {
      match.ocrB = likeness;
      match.print = three.method;
      match.ocrBParts = Parts(*glyph, three.blurred);
    } else if (!three.ocrB && likeness > match.other) {
      if (three.face != match.otherFace) {
        match.next = match.other;
        match.nextFace = match.otherFace;
      }
      match.other = likeness;
      match.otherFace = three.face;
      match.otherInk = three.ink;
      match.otherParts = Parts(*glyph, three.blurred);
    } else if (!three.ocrB && likeness > match.next && three.face != match.otherFace) {
      match.next = likeness;
      match.nextFace = three.face;
    }
  }
}

}  // namespace

ShapeMatch MatchShape(const Glyph& mean) {
  AtScales scaled;
  for (std::size_t i = 0; i < kScales.size(); ++i) scaled[i] = Blurred(Scaled(mean, kScales[i]));
  ShapeMatch match;
  match.digitLikeness = -1;
  for (const ReferenceGlyph& reference : ReferenceGlyphs()) {
    // The 3s at every scale; the other digits, which only tell a 3 from what
    // is not, near the printed size.
    const double likeness = BestLikeness(scaled, reference.blurred, reference.digit == '3').first;
    if (likeness > match.digitLikeness) {
      match.digitLikeness = likeness;
      match.digit = reference.digit;
    }
  }
  MatchThrees(scaled, match);
  return match;
}

std::string NotClearlyOcrB(const ShapeMatch& shape) {
  const Margins& margins = kMargins;
  if (!kCanTell[static_cast<std::size_t>(shape.print)]) {
    return std::string("its print (") + PrintMethodName(shape.print) +
           " dots) is too coarse to tell OCR-B's 3 from the flat-topped 3s like it";
  }
  if (shape.ocrB < margins.likenessAtLeast) {
    return "it is not like enough to OCR-B's 3 to be told from its lookalikes (likeness " +
           Figure(shape.ocrB) + " of the " + Figure(margins.likenessAtLeast) + " needed)";
  }
  if (shape.ocrB - shape.other < margins.likenessLead) {
    return "it looks like OCR-B's 3 but nearly as much like " + std::string(shape.otherFace) +
           "'s (likeness " + Figure(shape.ocrB) + " and " + Figure(shape.other) + ")";
  }
  for (std::size_t p = 0; p < kThreeParts.size(); ++p) {
    const std::string part = kThreeParts[p].name;
    if (shape.ocrBParts[p] < margins.partAtLeast) {
      return "its " + part + " is not like enough to OCR-B's (likeness " +
             Figure(shape.ocrBParts[p]) + " of the " + Figure(margins.partAtLeast) + " needed)";
    }
    if (shape.ocrBParts[p] - shape.otherParts[p] < margins.partLead) {
      return "its " + part + " is nearly as like " + std::string(shape.otherFace) +
             "'s 3 as OCR-B's (likeness " + Figure(shape.otherParts[p]) + " and " +
             Figure(shape.ocrBParts[p]) + ")";
    }
  }
  return "";
}

bool LooksLikeOcrB(const ShapeMatch& shape) { return NotClearlyOcrB(shape).empty(); }

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
  const double difference = 1 - Likeness(block.mean, comparison.mean, 3);
  judgement.difference = difference;
  const ShapeMatch& shape = block.shape;
  // The comparison's own shape, whatever it looks like, is the same.
  if (difference <= kSameBelow) {
    judgement.typeface = Typeface::SameAsComparison;
    return judgement;
  }
  if (shape.digit != '3') {
    if (shape.digitLikeness < kAnotherAtLeast) {
      // Not clearly another digit either: a faint or damaged line, not an answer.
      judgement.reason = "its characters are not clearly any digit (at most " +
                         Figure(shape.digitLikeness) + " like a " + shape.digit +
                         "): too faint or too coarse to judge";
      return judgement;
    }
    judgement.typeface = Typeface::Other;
    judgement.reason = std::string("its characters are not 3s; they look most like ") + shape.digit;
    return judgement;
  }
  if (difference < kDifferentAbove) {
    judgement.reason =
        "it is neither clearly the same as the comparison nor clearly different "
        "(difference " +
        Figure(difference) + ")";
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
