// The ink map: print as dark under shade as in full light, and what is too
// broad to be print (a table round a photographed sheet) cleared.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace fontprobe
