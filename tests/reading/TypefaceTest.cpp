// Judging a test block's line of 3s against the comparison line, with
// reference digits of other typefaces standing in for printed ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "reading/ProbeLine.h"
#include "reading/ReferenceGlyphs.h"
#include "reading/Report.h"
#include "reading/Typeface.h"

namespace fontprobe {
namespace {

// A reference 3 of the judge's, as one print method prints it.
Glyph Three(std::string_view face, PrintMethod method) {
  for (std::size_t i = 0; i < kReferenceThreeCount; ++i) {
    if (kReferenceThrees[i].face == face && kReferenceThrees[i].method == method)
      return Centred(ReferenceInk(kReferenceThrees[i].ink));
  }
  ADD_FAILURE() << face;
  return {};
}

// A reference digit, undone from its softening only as far as the reader
// needs: the shapes stay those of the typeface.
Glyph Digit(std::string_view face, char digit) {
  for (const ReferenceGlyph& reference : ReferenceGlyphs()) {
    if (reference.face == face && reference.digit == digit) return reference.blurred;
  }
  ADD_FAILURE() << face << " " << digit;
  return {};
}

// The glyph with its rows from `row` down printed at `keep` of their ink:
// worn pins, or a band of low toner across the foot of a line.
Glyph FadedBelow(Glyph glyph, int row, float keep) {
  for (int y = row; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) glyph.At(x, y) *= keep;
  }
  return Centred(glyph);
}

// The glyph with every stroke `samples` wider on each side: toner spread past
// the outline, or ink soaked into the paper.
Glyph Bolder(const Glyph& glyph, int samples) {
  Glyph bolder;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      for (int dy = -samples; dy <= samples; ++dy) {
        for (int dx = -samples; dx <= samples; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= kGlyphWidth || ny >= kGlyphHeight) continue;
          bolder.At(x, y) = std::max(bolder.At(x, y), glyph.At(nx, ny));
        }
      }
    }
  }
  return bolder;
}

LineEvidence Line(const Glyph& mean) {
  LineEvidence line;
  line.found = true;
  line.characters = 64;
  line.level = 0.01;
  line.alike = 0.95;
  line.mean = mean;
  line.shape = MatchShape(mean);
  return line;
}

TEST(JudgeBlock, OcrBOnlyWhenItDiffersFromTheComparisonAndHasOcrBsShape) {
  const LineEvidence courier = Line(Digit("TeX Gyre Cursor", '3'));
  LineEvidence notFound;
  LineEvidence fewCharacters = Line(Digit("OCR-B", '3'));
  fewCharacters.characters = 30;
  LineEvidence crooked = Line(Digit("OCR-B", '3'));
  crooked.level = 0.2;
  LineEvidence smudged = Line(Digit("OCR-B", '3'));
  smudged.alike = 0.3;
  const struct {
    const char* what;
    LineEvidence block;
    Typeface typeface;
  } cases[] = {
      {"OCR-B", Line(Digit("OCR-B", '3')), Typeface::OcrB},
      {"the comparison's own typeface", courier, Typeface::SameAsComparison},
      {"a flat-topped sans serif 3", Line(Digit("DejaVu Sans Mono", '3')), Typeface::Other},
      {"OCR-A", Line(Digit("OCR-A", '3')), Typeface::Other},
      {"another character", Line(Digit("OCR-B", '8')), Typeface::Other},
      {"another character faint at its foot", Line(FadedBelow(Digit("OCR-B", '8'), 24, 0.2f)),
       Typeface::Other},
      // Damaged 3s are like no digit clearly, so not another typeface's.
      {"OCR-B with its lower half unprinted", Line(FadedBelow(Digit("OCR-B", '3'), 18, 0)),
       Typeface::Unclear},
      {"OCR-B faint below its top bar", Line(FadedBelow(Digit("OCR-B", '3'), 12, 0.2f)),
       Typeface::Unclear},
      {"a flat-topped sans serif 3 with a diagonal", Line(Three("Manrope", PrintMethod::Laser)),
       Typeface::Other},
      {"no line found", notFound, Typeface::Unclear},
      {"too few characters", fewCharacters, Typeface::Unclear},
      {"a line that does not lie level", crooked, Typeface::Unclear},
      {"characters not alike", smudged, Typeface::Unclear},
  };
  for (const auto& c : cases) {
    const Judgement judgement = JudgeBlock(c.block, courier);
    EXPECT_EQ(judgement.typeface, c.typeface) << c.what << ": " << judgement.reason;
    if (c.typeface == Typeface::Unclear) {
      EXPECT_FALSE(judgement.reason.empty()) << c.what;
    }
    // A figure only for a comparison made.
    EXPECT_EQ(judgement.difference.has_value(), c.block.found && c.block.characters >= 48 &&
                                                    c.block.level <= 0.08 && c.block.alike >= 0.5)
        << c.what;
  }
}

// Every reference 3 that is not OCR-B's, as each print method prints it, is
// never OCR-B; OCR-B's own is, except where its dots are too coarse to tell.
TEST(JudgeBlock, NoLookalikeIsOcrBAtAnyPrintMethod) {
  const LineEvidence courier = Line(Digit("TeX Gyre Cursor", '3'));
  int lookalikes = 0;
  for (std::size_t i = 0; i < kReferenceThreeCount; ++i) {
    const ReferenceThree& three = kReferenceThrees[i];
    SCOPED_TRACE(std::string(three.face) + " " + PrintMethodName(three.method));
    const Judgement judgement = JudgeBlock(Line(Three(three.face, three.method)), courier);
    if (!three.ocrB) {
      ++lookalikes;
      EXPECT_NE(judgement.typeface, Typeface::OcrB);
      EXPECT_FALSE(judgement.reason.empty());
    } else if (three.method != PrintMethod::Laser) {
      EXPECT_EQ(judgement.typeface, Typeface::Unclear);
      EXPECT_NE(judgement.reason.find("too coarse"), std::string::npos) << judgement.reason;
    } else {
      EXPECT_EQ(judgement.typeface, Typeface::OcrB) << judgement.reason;
    }
  }
  EXPECT_GE(lookalikes, 20);
}

// A heavy print's line is judged by the shape of its 3s, not their weight:
// its mean's strokes are narrowed to the references' width first.
TEST(MeanCharacter, HeavyPrintIsJudgedByItsShape) {
  const LineEvidence courier = Line(Digit("TeX Gyre Cursor", '3'));
  const struct {
    const char* what;
    Glyph glyph;
    bool ocrB;
  } cases[] = {
      {"OCR-B", Digit("OCR-B", '3'), true},
      {"a flat-topped sans serif 3 with a diagonal", Three("Manrope", PrintMethod::Laser), false},
      {"a flat-topped monospaced 3", Digit("DejaVu Sans Mono", '3'), false},
      {"OCR-A", Digit("OCR-A", '3'), false},
      {"a 24-pin printer's flat-topped 3", Three("IBM 3270", PrintMethod::Pins24), false},
  };
  for (const auto& c : cases) {
    // A sample each side: a little more than a pixel of toner spread at 300 dpi.
    const Glyph mean = MeanCharacter(std::vector<Glyph>(8, Bolder(c.glyph, 1)));
    const Judgement judgement = JudgeBlock(Line(mean), courier);
    EXPECT_EQ(judgement.typeface == Typeface::OcrB, c.ocrB) << c.what << ": " << judgement.reason;
  }
}

// Why a 3 is not clearly OCR-B's names the figure that failed and, where
// another 3 came near, whose.
TEST(NotClearlyOcrB, NamesWhatFellShort) {
  ShapeMatch clear = MatchShape(Three("OCR-B", PrintMethod::Laser));
  ASSERT_EQ(NotClearlyOcrB(clear), "");
  const struct {
    const char* what;
    void (*change)(ShapeMatch&);
    const char* says;
  } cases[] = {
      {"hardly like OCR-B", [](ShapeMatch& m) { m.ocrB = 0.7; }, "not like enough to OCR-B's 3"},
      {"as like another 3",
       [](ShapeMatch& m) {
         m.other = m.ocrB - 0.001;
         m.otherFace = "Test Face";
       },
       "nearly as much like Test Face's"},
      {"a bowl unlike OCR-B's", [](ShapeMatch& m) { m.ocrBParts[2] = 0.5; },
       "its bowl is not like enough to OCR-B's"},
      {"a top bar as like another's",
       [](ShapeMatch& m) {
         m.otherParts[0] = m.ocrBParts[0] + 0.02;
         m.otherFace = "Test Face";
       },
       "its top bar is nearly as like Test Face's 3"},
      {"a 9-pin print", [](ShapeMatch& m) { m.print = PrintMethod::Pins9; }, "too coarse"},
  };
  for (const auto& c : cases) {
    ShapeMatch changed = clear;
    c.change(changed);
    EXPECT_NE(NotClearlyOcrB(changed).find(c.says), std::string::npos)
        << c.what << ": " << NotClearlyOcrB(changed);
    EXPECT_FALSE(LooksLikeOcrB(changed)) << c.what;
  }
}

// A line that is the comparison's own shape is the same as the comparison,
// whatever that shape is.
TEST(JudgeBlock, ALineLikeTheComparisonIsTheSameWhateverItsShape) {
  for (const char digit : {'3', '8', '4'}) {
    const LineEvidence line = Line(Digit("TeX Gyre Cursor", digit));
    EXPECT_EQ(JudgeBlock(line, line).typeface, Typeface::SameAsComparison) << digit;
  }
}

TEST(JudgeBlock, AComparisonThatLooksLikeOcrBMakesNoBlockOcrB) {
  // A line in the comparison's own shape is the same, whatever that shape is.
  const LineEvidence ocrB = Line(Digit("OCR-B", '3'));
  EXPECT_EQ(JudgeBlock(ocrB, ocrB).typeface, Typeface::SameAsComparison);
  EXPECT_TRUE(LooksLikeOcrB(ocrB.shape));
  EXPECT_FALSE(LooksLikeOcrB(Line(Digit("DejaVu Sans Mono", '3')).shape));
}

// A line that is no typeface known is unclear, with its figures to two places.
TEST(JudgeBlock, GivesItsFiguresToTwoPlaces) {
  const LineEvidence courier = Line(Digit("TeX Gyre Cursor", '3'));
  const struct {
    double ocrB, other;
    const char* says;
  } cases[] = {
      {0.456, 0.7, "(likeness 0.46 to OCR-B, 0.70 to Test Face)"},
      {0.004, 0.125, "(likeness 0.00 to OCR-B, 0.13 to Test Face)"},
      {0.5, 0.0, "(likeness 0.50 to OCR-B, 0.00 to Test Face)"},
  };
  for (const auto& c : cases) {
    LineEvidence block = Line(Digit("OCR-B", '3'));
    block.shape.ocrB = c.ocrB;
    block.shape.other = c.other;
    block.shape.otherFace = "Test Face";
    const Judgement judgement = JudgeBlock(block, courier);
    EXPECT_EQ(judgement.typeface, Typeface::Unclear);
    EXPECT_NE(judgement.reason.find(c.says), std::string::npos) << judgement.reason;
  }
}

// OCR-B's 3 as each print method prints it is told as printed that way, and
// the nearest other 3 and the next of another face are named apart.
TEST(MatchShape, TellsThePrintMethodAndTheNearestOtherFaces) {
  for (const PrintMethod method : {PrintMethod::Laser, PrintMethod::Pins24, PrintMethod::Pins9}) {
    SCOPED_TRACE(PrintMethodName(method));
    const ShapeMatch match = MatchShape(Three("OCR-B", method));
    EXPECT_EQ(match.print, method);
    EXPECT_GT(match.ocrB, 0.99);
    EXPECT_LT(match.other, match.ocrB);
    EXPECT_NE(match.otherFace, match.nextFace);
    EXPECT_LE(match.next, match.other);
  }
  const ShapeMatch manrope = MatchShape(Three("Manrope", PrintMethod::Laser));
  EXPECT_EQ(manrope.otherFace, "Manrope");
  EXPECT_GT(manrope.other, manrope.ocrB);
  EXPECT_NE(manrope.nextFace, "Manrope");
  // The annotated picture shows the nearest other 3 as it matched.
  ASSERT_NE(manrope.otherInk, nullptr);
  EXPECT_EQ(Centred(ReferenceInk(manrope.otherInk)).ink, Three("Manrope", PrintMethod::Laser).ink);
}

// Likeness over one part of a glyph: the same part alike whatever the rest,
// another shape not.
TEST(PartLikeness, ComparesOnlyTheRowsOfThePart) {
  const Glyph three = Three("OCR-B", PrintMethod::Laser);
  Glyph bowlErased = three;
  for (int y = 19; y < kGlyphHeight; ++y)
    for (int x = 0; x < kGlyphWidth; ++x) bowlErased.At(x, y) = 0;
  const Glyph blank;
  const struct {
    const char* what;
    Glyph a, b;
    int first, end;
    double low, high;
  } cases[] = {
      {"the same glyph", three, three, 0, kGlyphHeight, 0.999, 1.0},
      {"the top of a glyph whose bowl is gone", three, bowlErased, 0, 14, 0.999, 1.0},
      {"the bowl of a glyph whose bowl is gone", three, bowlErased, 19, kGlyphHeight, -1.0, 0.2},
      {"a part with no ink", blank, three, 0, 14, -1.0, -1.0},
      {"OCR-B's top bar and OCR-A's", three, Three("OCR-A", PrintMethod::Laser), 0, 14, 0.0, 0.95},
  };
  for (const auto& c : cases) {
    const double likeness = PartLikeness(c.a, c.b, c.first, c.end, 2);
    EXPECT_GE(likeness, c.low) << c.what;
    EXPECT_LE(likeness, c.high) << c.what;
  }
}

// The reference data spells runs of paper and of full ink short.
TEST(ReferenceInk, SpellsRunsOfPaperAndInkShort) {
  struct Spelt {
    const char* data;
    std::vector<float> ink;  // the first samples; the rest are paper
  };
  const Spelt cases[] = {
      {"0f9", {0, 255, 153}},
      {"g1", {0, 0, 17}},
      {"z", std::vector<float>(21, 0)},
      {"G", {255, 255}},
      {"3Z",
       [] {
         std::vector<float> ink(1, 51);
         ink.resize(22, 255);
         return ink;
       }()},
  };
  for (const Spelt& c : cases) {
    SCOPED_TRACE(c.data);
    const ReferenceFace face{"test", false, {c.data}};
    const Glyph glyph = ReferenceInk(face, 0);
    for (std::size_t i = 0; i < glyph.ink.size(); ++i) {
      EXPECT_EQ(glyph.ink[i], i < c.ink.size() ? c.ink[i] : 0.0f) << i;
    }
  }
}

}  // namespace
}  // namespace fontprobe
