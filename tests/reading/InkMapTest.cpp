// The ink map: print as dark under shade as in full light, and what is too
// broad to be print (a table round a photographed sheet) cleared.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "reading/InkMap.h"

namespace fontprobe {
namespace {

// A 400 x 200 sheet lit from the left, 250 down to 100, with a bar of ink
// (half the paper's brightness left) at x = 50 and at x = 350.
GreyImage ShadedSheet() {
  GreyImage sheet{400, 200, std::vector<std::uint8_t>(400 * 200)};
  for (int y = 0; y < sheet.height; ++y) {
    for (int x = 0; x < sheet.width; ++x) {
      const double paper = 250 - 150.0 * x / sheet.width;
      const bool ink = (x >= 48 && x < 52) || (x >= 348 && x < 352);
      sheet.pixels[y * sheet.width + x] = static_cast<std::uint8_t>(ink ? paper / 2 : paper);
    }
  }
  return sheet;
}

TEST(MakeInkMap, DividesTheLightOut) {
  const GreyImage sheet = ShadedSheet();
  const InkMap ink = MakeInkMap(sheet.View());
  EXPECT_NEAR(ink.At(50, 100), 128, 12);   // in full light
  EXPECT_NEAR(ink.At(350, 100), 128, 12);  // in shade
  EXPECT_LT(ink.At(200, 100), 8);          // bare paper, shaded half way
  EXPECT_LT(ink.At(390, 100), 8);
}

TEST(MakeInkMap, MakesNoInkOfTheTableRoundAPhotographedSheet) {
  // Paper with a stroke of print, and a dark table filling the right quarter:
  // blending the levels of the paper and the table would make the table's
  // edge look like broad ink.
  const int w = 1600, h = 1200;
  GreyImage photo{w, h, std::vector<std::uint8_t>(w * h, 240)};
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (x >= 1200) photo.pixels[y * w + x] = 80;
      if (x >= 400 && x < 404 && y >= 300 && y < 900) photo.pixels[y * w + x] = 30;
    }
  }
  const InkMap ink = MakeInkMap(photo.View());
  EXPECT_GT(ink.At(402, 600), 150);  // the stroke stays
  int inked = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 1100; x < w; ++x) inked += ink.At(x, y) > 24;
  }
  EXPECT_EQ(inked, 0);
}

// A grey table's grain: a value every 8 pixels, spread about 12 round 105,
// blended between them, so that its blotches are as broad as strokes.
std::vector<double> TableGrain(int w, int h) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> spread(-7, 7);
  const int columns = w / 8 + 2, rows = h / 8 + 2;
  std::vector<double> knots(static_cast<std::size_t>(columns) * rows);
  for (double& knot : knots) knot = 105 + 1.3 * (spread(random) + spread(random));
  std::vector<double> grain(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int c = x / 8, r = y / 8;
      const double fx = x % 8 / 8.0, fy = y % 8 / 8.0;
      auto knot = [&](int cc, int rr) {
        return knots[static_cast<std::size_t>(rr) * columns + cc];
      };
      grain[static_cast<std::size_t>(y) * w + x] =
          (knot(c, r) * (1 - fx) + knot(c + 1, r) * fx) * (1 - fy) +
          (knot(c, r + 1) * (1 - fx) + knot(c + 1, r + 1) * fx) * fy;
    }
  }
  return grain;
}

// A sheet photographed on a grainy table, lit evenly or shaded towards the
// right (light changes over many blocks, the sheet's edge at once), with a patch of vertical
// strokes: the table's grain is no ink, the strokes are, thin and faint in the sheet's middle or
// heavy near its edge.
TEST(MakeInkMap, MakesNoInkOfATablesGrainButKeepsThePrint) {
  const int w = 1200, h = 900;
  const std::vector<double> grain = TableGrain(w, h);
  const struct {
    const char* what;
    int left;         // of the strokes, from y 400 to 440
    int width;        // of each stroke, every 12 pixels over 120 pixels
    double darkness;  // what the print leaves of the paper
    double shade;     // the light on the sheet's right half
    int least;        // ink the strokes must hold
  } cases[] = {
      {"faint thin print", 500, 2, 0.85, 1.0, 18},
      {"faint thin print in shade", 700, 2, 0.85, 0.6, 18},
      {"heavy print near the sheet's edge", 215, 8, 0.15, 1.0, 150},
  };
  for (const auto& c : cases) {
    GreyImage photo{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool sheet = x >= 200 && x < 1000 && y >= 150 && y < 750;
        const bool print =
            y >= 400 && y < 440 && x >= c.left && x < c.left + 120 && (x - c.left) % 12 < c.width;
        const double light = 1 - (1 - c.shade) * std::clamp((x - 500) / 300.0, 0.0, 1.0);
        const double value = sheet ? 230 * light * (print ? c.darkness : 1)
                                   : grain[static_cast<std::size_t>(y) * w + x] * light;
        photo.pixels[static_cast<std::size_t>(y) * w + x] = static_cast<std::uint8_t>(value);
      }
    }
    const InkMap ink = MakeInkMap(photo.View());
    int tableInk = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool offSheet = x < 184 || x >= 1016 || y < 134 || y >= 766;
        tableInk += offSheet && ink.At(x, y) > 24;
      }
    }
    EXPECT_EQ(tableInk, 0) << c.what << ": the table's grain taken for ink";
    EXPECT_GE(ink.At(c.left, 420), c.least) << c.what;
  }
}

// Paper whose brightness changes down the page in bands (green-bar paper,
// 214 against 250, with soft edges), bare or with print, level or slanting
// and with a scanner's grain: the bands are paper, their grain too beside a
// slanting edge; print on either, and faint print beside an edge, is ink.
TEST(MakeInkMap, TakesBandsOfPaperForPaper) {
  const int w = 1200, h = 900, band = 150;
  const struct {
    const char* what;
    int top;          // of a row of strokes 4 pixels high, 12 wide, 8 apart, from x 500 to 700
    double darkness;  // what the print leaves of the paper
    double slant;     // how far the bands' edges fall across the sheet, in pixels
    double grain;     // the scanner's noise, its standard deviation
  } cases[] = {
      {"print on white paper", 60, 0.5, 0, 0},
      {"print on a band", 220, 0.5, 0, 0},
      {"faint print just above a band's edge", 140, 0.8, 0, 0},
      {"faint print just below a band's edge", 154, 0.8, 0, 0},
      {"print on white paper, grainy bands slanting", 60, 0.5, 24, 3},
      {"print on a band, grainy and slanting", 230, 0.5, 24, 3},
  };
  for (const auto& c : cases) {
    auto paper = [&](int x, int y) {
      // Bands 150 pixels high from y = 150, 450, 750, their edges 4 pixels soft.
      const double down = y - c.slant * x / w;
      const double apart = std::abs(std::fmod(down + 4 * band, 2 * band) - 1.5 * band);
      const double fromMiddle = std::min(apart, 2 * band - apart);
      return 250 - 36 * std::clamp((band / 2.0 + 2 - fromMiddle) / 4, 0.0, 1.0);
    };
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, c.grain > 0 ? c.grain : 1);
    GreyImage sheet{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h)};
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool print = y >= c.top && y < c.top + 4 && x >= 500 && x < 700 && x % 20 < 12;
        const double value =
            paper(x, y) * (print ? c.darkness : 1) + (c.grain > 0 ? noise(random) : 0);
        sheet.pixels[static_cast<std::size_t>(y) * w + x] =
            static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
      }
    }
    const InkMap ink = MakeInkMap(sheet.View());
    int bare = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const bool near = y >= c.top - 2 && y < c.top + 6 && x >= 498 && x < 702;
        if (!near) bare += ink.At(x, y) > 24;
      }
    }
    EXPECT_EQ(bare, 0) << c.what << ": paper taken for ink";
    EXPECT_NEAR(ink.At(605, c.top + 2), 255 * (1 - c.darkness), 40) << c.what;
  }
}

}  // namespace
}  // namespace fontprobe
