// The page's frame in a picture, turned and mirrored, and lines and glyphs
// carried into the frame mirrored.
#include <gtest/gtest.h>

#include <numbers>

#include "reading/Glyph.h"
#include "reading/Lines.h"
#include "reading/PageFrame.h"

namespace fontprobe {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(PageFrame, TakesPointsIntoTheFrameAndBackTurnedOrMirrored) {
  const struct {
    const char* what;
    PageFrame frame;
    Point picture;
    double u, v;  // where the point lies in the frame
  } cases[] = {
      {"upright", {0, false}, {30, 40}, 30, 40},
      {"upside down", {kPi, false}, {30, 40}, -30, -40},
      {"a quarter clockwise", {kPi / 2, false}, {30, 40}, 40, -30},
      {"mirrored: the lines run right to left", {0, true}, {30, 40}, -30, 40},
      {"mirrored upside down: mirrored top to bottom", {kPi, true}, {30, 40}, 30, -40},
      {"mirrored a quarter clockwise", {kPi / 2, true}, {30, 40}, -40, -30},
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(c.frame.U(c.picture), c.u, 1e-9) << c.what;
    EXPECT_NEAR(c.frame.V(c.picture), c.v, 1e-9) << c.what;
    const Point back = c.frame.ToPicture(c.u, c.v);
    EXPECT_NEAR(back.x, c.picture.x, 1e-9) << c.what;
    EXPECT_NEAR(back.y, c.picture.y, 1e-9) << c.what;
  }
}

TEST(PageFrame, TurnsAndMirrorsAsThePageDoes) {
  const PageFrame tilted{0.1, false};
  const Point p{120, -35};
  // Turned twice, or mirrored twice, is the frame itself.
  for (const PageFrame& again : {tilted.Turned().Turned(), tilted.Mirrored().Mirrored()}) {
    EXPECT_NEAR(again.U(p), tilted.U(p), 1e-9);
    EXPECT_NEAR(again.V(p), tilted.V(p), 1e-9);
  }
  // Mirrored runs the lines the other way and leaves the page's rows alone.
  EXPECT_NEAR(tilted.Mirrored().U(p), -tilted.U(p), 1e-9);
  EXPECT_NEAR(tilted.Mirrored().V(p), tilted.V(p), 1e-9);
  EXPECT_TRUE(tilted.Mirrored().Turned().mirrored);
}

// A line found in one frame is the same line, point for point, carried into
// the frame turned or mirrored: straight, or bent up where the sheet curls.
TEST(FoundLine, IsTheSameLineInTheFrameTurnedOrMirrored) {
  const PageFrame frame{0.05, false};
  const FoundLine lines[] = {{200, 0.03, 50, 900, 1, {}},
                             {200, 0.03, 50, 900, 1, {{100, -12}, {250, -4}, {400, 0}}}};
  for (const FoundLine& line : lines) {
    const struct {
      const char* what;
      PageFrame other;
      FoundLine carried;
    } cases[] = {
        {"turned", frame.Turned(), line.Turned()},
        {"mirrored", frame.Mirrored(), line.Mirrored()},
    };
    for (const auto& c : cases) {
      for (const double u : {50.0, 175.0, 400.0, 900.0}) {
        const Point p = frame.ToPicture(u, line.VAt(u));
        EXPECT_NEAR(c.other.V(p), c.carried.VAt(c.other.U(p)), 1e-6)
            << c.what << " at " << u << ", bent at " << line.bend.size() << " points";
        EXPECT_GE(c.other.U(p), c.carried.begin - 1e-6) << c.what;
        EXPECT_LE(c.other.U(p), c.carried.end + 1e-6) << c.what;
      }
    }
  }
}

// A glyph with a vertical bar `width` samples wide (soft-edged: `edge` samples
// of ramp each side) from column `left`, rows 6 to 30.
Glyph Bar(double left, double width, double edge = 0) {
  Glyph glyph;
  for (int y = 6; y < 30; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      const double centre = x + 0.5, from = left, to = left + width;
      double ink = centre >= from && centre < to ? 1.0 : 0.0;
      if (edge > 0 && centre < from) ink = std::max(0.0, 1 - (from - centre) / edge);
      if (edge > 0 && centre >= to) ink = std::max(0.0, 1 - (centre - to) / edge);
      glyph.At(x, y) = static_cast<float>(255 * ink);
    }
  }
  return glyph;
}

TEST(Glyph, MirroredIsTheGlyphSeenFromBehind) {
  const Glyph bar = Bar(3, 4);
  const Glyph mirrored = Mirrored(bar);
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      EXPECT_EQ(mirrored.At(x, y), bar.At(kGlyphWidth - 1 - x, y));
    }
  }
  EXPECT_EQ(Mirrored(mirrored).ink, bar.ink);
}

TEST(Glyph, MeasuresItsStrokesAndNarrowsOnlyThoseTooWide) {
  const struct {
    const char* what;
    double left, core, edge;  // the bar: its full ink, and soft edges each side
    double wanted;            // no wider than
  } cases[] = {
      {"a sharp stroke 3 wide", 8, 3, 0, 6},
      {"a soft stroke 6 wide", 8, 4, 2, 7},
      {"heavy print: 12 wide, its edges soft", 6, 9, 3, 5},
      {"ink spread into the paper round a stroke 4 wide", 8, 4, 5, 4},
      {"a sharp stroke 6 wide stays: its core is its shape", 8, 6, 0, 4},
  };
  constexpr double kTall = 24;  // the bars' ends count as edges too
  for (const auto& c : cases) {
    const Glyph glyph = Bar(c.left, c.core, c.edge);
    const double width = c.core + c.edge, measured = StrokeWidth(glyph);
    EXPECT_GE(measured, width * kTall / (kTall + width) - 0.2) << c.what;
    EXPECT_LE(measured, width + 0.2) << c.what;
    const Glyph narrowed = NoWiderThan(glyph, c.wanted);
    if (measured <= c.wanted) {
      EXPECT_EQ(narrowed.ink, glyph.ink) << c.what;
    } else {
      EXPECT_LE(StrokeWidth(narrowed), std::max(c.wanted, StrokeWidth(Bar(c.left, c.core))) + 0.5)
          << c.what;
    }
    // The stroke's core stays where it was, as dark.
    EXPECT_GT(narrowed.At(10, 18), 200) << c.what;
    EXPECT_EQ(narrowed.At(20, 18), 0) << c.what;
  }
}

}  // namespace
}  // namespace fontprobe
