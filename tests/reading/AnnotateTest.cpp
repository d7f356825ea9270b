// The picture that shows why: what is cut from the scan, where each part
// goes at the scales windows use, and what is drawn there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "reading/Annotate.h"
#include "reading/ReferenceGlyphs.h"
#include "reading/Report.h"

namespace fontprobe {
namespace {

GreyImage Plain(int width, int height, std::uint8_t grey) {
  return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, grey)};
}

Glyph Three(std::string_view face) {
  for (std::size_t f = 0; f < kReferenceFaceCount; ++f) {
    if (kReferenceFaces[f].name == face) return ReferenceInk(kReferenceFaces[f], 3);
  }
  ADD_FAILURE() << face;
  return {};
}

// A block as a scan of a 300-dpi page gives it: a line 64 pitches long and
// 1.5 high, cut 45 pixels high.
AnnotatedBlock Found(int number, const char* sequence, Typeface typeface, const char* lookalike) {
  AnnotatedBlock block;
  block.number = number;
  block.sequence = sequence;
  block.typeface = typeface;
  block.judgement = typeface == Typeface::SameAsComparison
                        ? "the same as the comparison: the printer ignored the sequence"
                        : "another typeface, not OCR-B: its characters are not 3s";
  block.found = true;
  block.line = Plain(1920, 45, 255);
  block.mean = Three("TeX Gyre Cursor");
  block.lookalikeFace = lookalike;
  if (*lookalike) block.lookalike = Three(lookalike);
  const double y = 40.0 * number;
  block.mark = {Point{30, y}, {220, y}, {220, y + 5}, {30, y + 5}};
  return block;
}

AnnotatedBlock NotFound(int number, const char* sequence) {
  AnnotatedBlock block;
  block.number = number;
  block.sequence = sequence;
  block.judgement = "unclear: its line of 3s was not found";
  return block;
}

PageAnnotation Page(std::string verdict, int pageWidth, int pageHeight,
                    std::vector<AnnotatedBlock> blocks) {
  return {std::move(verdict), Plain(pageWidth, pageHeight, 230), Three("OCR-B"), std::move(blocks)};
}

// The pages a reader meets: the tallest (three blocks and their longest words), a
// photo with the table round the sheet, a line not found, a long verdict, and a
// page whose lines could not be read.
struct Example {
  const char* what;
  PageAnnotation annotation;
  bool usual;  // words of usual length: the picture fits the window's box
};

std::vector<Example> Examples() {
  const AnnotatedBlock comparison = Found(1, "ESCk126", Typeface::Comparison, "TeX Gyre Cursor");
  return {
      {"an Epson page",
       Page("This printer prints OCR-B with ESCk5.", 720, 1018,
            {comparison, Found(2, "ESCk5", Typeface::OcrB, "DejaVu Sans Mono"),
             Found(3, "ESCk127", Typeface::SameAsComparison, "TeX Gyre Cursor")}),
       true},
      {"a photo of a PCL page",
       Page("This printer prints OCR-B with ESC(1O.", 720, 372,
            {Found(1, "ESC(s3T", Typeface::Comparison, "TeX Gyre Cursor"),
             Found(2, "ESC(1O", Typeface::OcrB, "")}),
       true},
      {"a line not found",
       Page("No sequence printed OCR-B on this printer; block 3 could not be judged.", 720, 1018,
            {comparison, Found(2, "ESCk5", Typeface::Other, "OCR-A"), NotFound(3, "ESCk127")}),
       true},
      {"a page undecided, every line found",
       Page("Undecided: block 2 (ESCk5) could not be judged: its print is too coarse to tell "
            "OCR-B's 3 from a lookalike's. No block was seen to print OCR-B, but not every "
            "block could be judged: scan or photograph the page again flatter, brighter, "
            "straight on and at 300 dpi.",
            720, 1018,
            {comparison, Found(2, "ESCk5", Typeface::Unclear, "DejaVu Sans Mono"),
             Found(3, "ESCk127", Typeface::SameAsComparison, "TeX Gyre Cursor")}),
       true},
      {"a verdict of many words",
       Page(std::string(40, 'x') + " and" + std::string(12, ' ') +
                " the words go on for a while, long past one line and well into the next two",
            720, 1018,
            {comparison, Found(2, "ESCk5", Typeface::Other, "DejaVu Sans"),
             Found(3, "ESCk127", Typeface::Unclear, "TeX Gyre Heros")}),
       false},
      {"a page not read",
       Page("Unreadable: the page is blank: nothing printed was found on it.", 509, 720, {}), true},
  };
}

const double kScales[] = {1, 1.25, 1.5, 2, 3};

std::vector<PixelRect> Parts(const AnnotationLayout& layout) {
  std::vector<PixelRect> parts{layout.page};
  for (const PlacedBlock& block : layout.blocks) {
    for (const PixelRect& part : {block.tab, block.line, block.mean, block.ocrB, block.lookalike}) {
      parts.push_back(part);
    }
  }
  return parts;
}

bool Inside(const PixelRect& part, const PixelRect& in) {
  return part.left >= in.left && part.top >= in.top && part.Right() <= in.Right() &&
         part.Bottom() <= in.Bottom();
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return !a.Empty() && !b.Empty() && a.left < b.Right() && b.left < a.Right() &&
         a.top < b.Bottom() && b.top < a.Bottom();
}

TEST(LayOut, EveryTextLegibleAndEveryPartInsideAndApart) {
  for (const Example& example : Examples()) {
    for (const double scale : kScales) {
      SCOPED_TRACE(std::string(example.what) + " at scale " + std::to_string(scale));
      const AnnotationLayout layout = LayOut(example.annotation, scale);
      const PixelRect picture{0, 0, layout.width, layout.height};
      std::vector<PixelRect> parts = Parts(layout);
      for (const PlacedText& text : layout.texts) {
        EXPECT_GE(text.at.height, 12) << text.text;
        EXPECT_EQ(text.at.height, 7 * text.scale);
        EXPECT_EQ(text.at.width, TextWidth(text.text, text.scale));
        EXPECT_TRUE(Inside(text.at, picture)) << text.text;
        // A block's number stands on its tab; no other text on any part.
        const bool onTab =
            std::any_of(layout.blocks.begin(), layout.blocks.end(),
                        [&](const PlacedBlock& b) { return Inside(text.at, b.tab); });
        if (!onTab) parts.push_back(text.at);
      }
      for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!parts[i].Empty()) {
          EXPECT_TRUE(Inside(parts[i], picture)) << i;
        }
        for (std::size_t j = i + 1; j < parts.size(); ++j) {
          EXPECT_FALSE(Overlap(parts[i], parts[j])) << i << " and " << j;
        }
      }
    }
  }
}

// A window at DPI 96 * scale shows the picture in a box kAnnotationWidth x
// kAnnotationHeight times the scale.
TEST(LayOut, FitsTheWindowsBoxAtEachScaleAndGrowsWithTheScale) {
  for (const Example& example : Examples()) {
    SCOPED_TRACE(example.what);
    const AnnotationLayout atOne = LayOut(example.annotation, 1);
    for (const double scale : kScales) {
      SCOPED_TRACE(scale);
      const AnnotationLayout layout = LayOut(example.annotation, scale);
      EXPECT_EQ(layout.width, std::floor(kAnnotationWidth * scale));
      if (example.usual) {
        EXPECT_LE(layout.height, std::floor(kAnnotationHeight * scale));
      }
      // Its parts rounded each on its own: at most a pixel or two over.
      EXPECT_LE(layout.height, atOne.height * scale + 2);
      EXPECT_GE(layout.height, atOne.height * scale * 0.8);
    }
  }
}

// What a text says, all but its spaces, which wrapping may change.
std::string Letters(std::string text) {
  std::erase(text, ' ');
  return text;
}

TEST(LayOut, TheVerdictInLargeTypeAtTheTopInTheReportsWords) {
  for (const Example& example : Examples()) {
    for (const double scale : kScales) {
      SCOPED_TRACE(std::string(example.what) + " at scale " + std::to_string(scale));
      const AnnotationLayout layout = LayOut(example.annotation, scale);
      ASSERT_GE(layout.verdictLines, 1u);
      std::string verdict;
      for (std::size_t i = 0; i < layout.verdictLines; ++i) verdict += layout.texts[i].text;
      EXPECT_EQ(Letters(verdict), Letters(example.annotation.verdict));
      // Large: three sixteenths of an inch at 96 DPI, and more at more DPI; a
      // third larger than any text that is not the verdict's, for two lines at
      // least; above everything else.
      const int large = layout.texts[0].at.height;
      EXPECT_GE(large, 18);
      for (std::size_t i = 0; i < layout.texts.size(); ++i) {
        const PlacedText& text = layout.texts[i];
        if (i < layout.verdictLines) {
          EXPECT_EQ(text.at.height == large, i < 2) << text.text;
          if (i > 0) {
            EXPECT_GT(text.at.top, layout.texts[i - 1].at.Bottom());
          }
        } else {
          EXPECT_GE(3 * large, 4 * text.at.height) << text.text;
          EXPECT_GT(text.at.top, layout.texts[layout.verdictLines - 1].at.Bottom()) << text.text;
        }
      }
    }
  }
}

TEST(LayOut, EachBlockItsLineWideAndItsThreesSideBySideUnderIt) {
  for (const Example& example : Examples()) {
    for (const double scale : kScales) {
      SCOPED_TRACE(std::string(example.what) + " at scale " + std::to_string(scale));
      const AnnotationLayout layout = LayOut(example.annotation, scale);
      ASSERT_EQ(layout.blocks.size(), example.annotation.blocks.size());
      int above = 0;
      for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
        const AnnotatedBlock& block = example.annotation.blocks[i];
        const PlacedBlock& placed = layout.blocks[i];
        EXPECT_GT(placed.tab.top, above) << "block " << block.number << " out of order";
        EXPECT_GT(placed.tab.top, layout.page.top);
        above = placed.tab.Bottom();
        if (!block.found) {
          EXPECT_TRUE(placed.line.Empty() && placed.mean.Empty() && placed.ocrB.Empty());
          continue;
        }
        // The line across nearly the whole picture, boxed, its shape kept.
        EXPECT_GE(placed.line.width * 10, layout.width * 9);
        EXPECT_TRUE(Inside(placed.lineImage, placed.line));
        EXPECT_NEAR(
            placed.lineImage.height,
            static_cast<double>(placed.lineImage.width) * block.line.height / block.line.width, 1);
        EXPECT_EQ(placed.tab.height, placed.line.height);
        // The threes at one size, half an inch high or more, in a row under the line.
        std::vector<PixelRect> threes{placed.mean, placed.ocrB};
        if (!block.lookalikeFace.empty()) threes.push_back(placed.lookalike);
        EXPECT_EQ(placed.lookalike.Empty(), block.lookalikeFace.empty());
        for (std::size_t k = 0; k < threes.size(); ++k) {
          EXPECT_GE(threes[k].height, 48 * scale);
          EXPECT_NEAR(threes[k].width, threes[k].height * kGlyphWidth / kGlyphHeight, 1);
          EXPECT_EQ(threes[k].height, threes[0].height);
          EXPECT_EQ(threes[k].top, threes[0].top);
          EXPECT_GT(threes[k].top, placed.line.Bottom());
          if (k > 0) {
            EXPECT_GT(threes[k].left, threes[k - 1].Right());
          }
        }
        above = std::max(above, threes[0].Bottom());
      }
    }
  }
}

TEST(LayOut, ThePageSmallBesideTheVerdictOrWholeWhenNoLineWasRead) {
  for (const Example& example : Examples()) {
    for (const double scale : kScales) {
      SCOPED_TRACE(std::string(example.what) + " at scale " + std::to_string(scale));
      const AnnotationLayout layout = LayOut(example.annotation, scale);
      const PixelRect& page = layout.page;
      const GreyImage& cut = example.annotation.page;
      EXPECT_NEAR(static_cast<double>(page.width) / page.height,
                  static_cast<double>(cut.width) / cut.height, 0.03 * cut.width / cut.height);
      if (example.annotation.blocks.empty()) {
        EXPECT_GT(page.top, layout.texts[layout.verdictLines - 1].at.Bottom());
        EXPECT_GE(page.height, 120 * scale);
      } else {
        // A tenth of the picture at most, at its top right, beside the verdict.
        EXPECT_LE(page.width * page.height * 10, layout.width * layout.height);
        EXPECT_LT(page.top, layout.texts[0].at.Bottom());
        EXPECT_GT(page.left, layout.width / 2);
      }
    }
  }
}

std::array<std::uint8_t, 3> At(const RgbImage& picture, int x, int y) {
  const std::uint8_t* p = &picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * 3];
  return {p[0], p[1], p[2]};
}

bool Is(const std::array<std::uint8_t, 3>& pixel, Colour colour) {
  return pixel[0] == colour.red && pixel[1] == colour.green && pixel[2] == colour.blue;
}

int Grey(const std::array<std::uint8_t, 3>& pixel) { return pixel[0]; }

TEST(DrawAnnotation, DrawsEachPartWhereTheLayoutPutsIt) {
  PageAnnotation annotation = Examples()[0].annotation;
  // A line inked on its left half only, and a page with a dark band.
  GreyImage& line = annotation.blocks[1].line;
  for (int y = 0; y < line.height; ++y) {
    std::fill_n(line.pixels.begin() + y * line.width, line.width / 2, 0);
  }
  for (int y = 300; y < 330; ++y) {
    std::fill_n(annotation.page.pixels.begin() + y * annotation.page.width, 720, 20);
  }
  for (const double scale : kScales) {
    SCOPED_TRACE(scale);
    const RgbImage picture = DrawAnnotation(annotation, scale);
    const AnnotationLayout layout = LayOut(annotation, scale);
    ASSERT_EQ(picture.width, layout.width);
    ASSERT_EQ(picture.height, layout.height);
    EXPECT_TRUE(Is(At(picture, 0, 0), {255, 255, 255}));
    for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
      const PlacedBlock& placed = layout.blocks[i];
      const Colour colour = ColourOf(annotation.blocks[i].typeface);
      // The tab and the frame in the judgement's colour, at each corner.
      EXPECT_TRUE(Is(At(picture, placed.tab.left, placed.tab.top), colour));
      EXPECT_TRUE(Is(At(picture, placed.line.Right() - 1, placed.line.top), colour));
      EXPECT_TRUE(Is(At(picture, placed.line.Right() - 1, placed.line.Bottom() - 1), colour));
      // OCR-B's 3 black where its ink is fullest, white in its corner.
      const PixelRect& ocrB = placed.ocrB;
      int darkest = 255;
      for (int y = ocrB.top; y < ocrB.Bottom(); ++y) {
        for (int x = ocrB.left; x < ocrB.Right(); ++x)
          darkest = std::min(darkest, Grey(At(picture, x, y)));
      }
      EXPECT_EQ(darkest, 0);
      EXPECT_EQ(Grey(At(picture, ocrB.left, ocrB.top)), 255);
    }
    // The line as it was cut: inked on the left, paper on the right.
    const PixelRect& shown = layout.blocks[1].lineImage;
    const int middle = shown.top + shown.height / 2;
    EXPECT_LT(Grey(At(picture, shown.left + shown.width / 4, middle)), 16);
    EXPECT_GT(Grey(At(picture, shown.Right() - shown.width / 4, middle)), 240);
    // The page's dark band, and the lines marked on it in their colours.
    const double toPage = static_cast<double>(layout.page.width) / annotation.page.width;
    EXPECT_LT(
        Grey(At(picture, layout.page.left + 2, layout.page.top + static_cast<int>(315 * toPage))),
        60);
    const Point mark = annotation.blocks[0].mark[0];
    EXPECT_TRUE(
        Is(At(picture, layout.page.left + static_cast<int>(std::lround(mark.x * toPage)) + 4,
              layout.page.top + static_cast<int>(mark.y * toPage)),
           ColourOf(Typeface::Comparison)));
  }
}

// A scan: white paper under light falling off to a third across it, a line of
// print within `box`, inked on its left half only.
GreyImage Scan(const std::array<Point, 4>& box) {
  GreyImage scan = Plain(900, 700, 0);
  for (int y = 0; y < scan.height; ++y) {
    for (int x = 0; x < scan.width; ++x) {
      const double light = 1 - 0.66 * x / scan.width;
      // Where (x, y) falls along and across the box.
      const Point p{x + 0.5 - box[0].x, y + 0.5 - box[0].y};
      const Point along{box[1].x - box[0].x, box[1].y - box[0].y};
      const Point across{box[3].x - box[0].x, box[3].y - box[0].y};
      const double s = (p.x * along.x + p.y * along.y) / (along.x * along.x + along.y * along.y);
      const double t =
          (p.x * across.x + p.y * across.y) / (across.x * across.x + across.y * across.y);
      const bool ink = s > 0.02 && s < 0.5 && t > 0.25 && t < 0.75;
      scan.pixels[static_cast<std::size_t>(y) * scan.width + x] =
          static_cast<std::uint8_t>(std::lround((ink ? 30 : 235) * light));
    }
  }
  return scan;
}

TEST(AnnotationOf, CutsEachLineStraightWithItsPaperWhiteWhateverTheTiltAndLight) {
  const struct {
    const char* what;
    double angle;  // of the page's lines, in degrees
  } tilts[] = {{"level", 0}, {"tilted", 4}, {"tilted the other way", -7}};
  for (const auto& tilt : tilts) {
    SCOPED_TRACE(tilt.what);
    PageReading reading;
    reading.verdict = Verdict::OcrB;
    reading.frame = PageFrame{tilt.angle * std::numbers::pi / 180};
    BlockReading& block = reading.blocks.emplace_back();
    block.number = 2;
    block.sequence = "ESCk5";
    block.typeface = Typeface::OcrB;
    block.evidence.found = true;
    block.evidence.mean = Three("OCR-B");
    block.evidence.shape.otherFace = "OCR-A";
    block.evidence.shape.otherInk = MatchShape(Three("OCR-A")).otherInk;
    const PageFrame& frame = *reading.frame;
    block.box = {frame.ToPicture(100, 300), frame.ToPicture(740, 300), frame.ToPicture(740, 315),
                 frame.ToPicture(100, 315)};
    const GreyImage scan = Scan(block.box);
    const PageAnnotation annotation = AnnotationOf(scan.View(), reading);

    EXPECT_EQ(annotation.verdict, VerdictSentence(reading));
    ASSERT_EQ(annotation.blocks.size(), 1u);
    const AnnotatedBlock& cut = annotation.blocks[0];
    EXPECT_EQ(cut.judgement, JudgementWords(block));
    EXPECT_EQ(cut.lookalikeFace, "OCR-A");
    EXPECT_EQ(cut.lookalike.ink, Three("OCR-A").ink);
    EXPECT_EQ(cut.mean.ink, block.evidence.mean.ink);
    // 640 by 15 pixels of the scan, its shape kept.
    EXPECT_NEAR(cut.line.width, 640, 2);
    EXPECT_NEAR(cut.line.height, 15, 1);
    const auto grey = [&](double s, double t) {
      return static_cast<int>(
          cut.line.pixels[static_cast<std::size_t>(t * cut.line.height) * cut.line.width +
                          static_cast<std::size_t>(s * cut.line.width)]);
    };
    for (const double s : {0.1, 0.25, 0.4}) EXPECT_LT(grey(s, 0.5), 40) << s;
    for (const double s : {0.6, 0.8, 0.97}) {
      EXPECT_GT(grey(s, 0.5), 235) << s;
      EXPECT_GT(grey(s, 0.05), 235) << s;
    }
    // The line's mark where the line lies on the straightened page: level,
    // and as long beside the page's width as the line is beside the scan's
    // width along the lines.
    const double radians = tilt.angle * std::numbers::pi / 180;
    const double across = 900 * std::cos(radians) + 700 * std::abs(std::sin(radians));
    EXPECT_NEAR(cut.mark[0].y, cut.mark[1].y, 1);
    EXPECT_NEAR((cut.mark[1].x - cut.mark[0].x) / annotation.page.width, 640 / across, 0.01);
  }
}

}  // namespace
}  // namespace fontprobe
