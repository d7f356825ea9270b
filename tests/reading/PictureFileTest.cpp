// Pages made ready to read: pixels made square from the resolutions the file
// states, then shown as its orientation says.
#include <gtest/gtest.h>

#include <optional>

#include "reading/PictureFile.h"

namespace fontprobe {
namespace {

// White, with a dark bar one pixel high across row `bar` and one pixel wide
// down column `bar`.
GreyImage Crossed(int width, int height, int bar) {
  GreyImage picture{width, height,
                    std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height, 255)};
  for (int x = 0; x < width; ++x) picture.pixels[static_cast<std::size_t>(bar) * width + x] = 0;
  for (int y = 0; y < height; ++y) picture.pixels[static_cast<std::size_t>(y) * width + bar] = 0;
  return picture;
}

// Where the darkness of the picture's middle column (across: middle row) is
// centred, in pixels.
double DarkCentre(const GreyImage& picture, bool across) {
  double mass = 0, moment = 0;
  const int length = across ? picture.width : picture.height;
  for (int i = 0; i < length; ++i) {
    const int x = across ? i : picture.width * 3 / 4, y = across ? picture.height * 3 / 4 : i;
    const double dark = 255 - picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
    mass += dark;
    moment += dark * (i + 0.5);
  }
  return moment / mass;
}

TEST(ReadyToRead, MakesPixelsSquareFromWhatTheFileStates) {
  const struct {
    const char* what;
    int width, height;
    std::optional<StatedResolution> stated;
    int wantWidth, wantHeight;
    std::optional<double> wantDpi;
  } cases[] = {
      {"a fax at 204 x 98 dpi: rows stretched", 204, 98, StatedResolution{204, 98}, 204, 204, 204},
      {"finer down than across: columns stretched", 200, 300, StatedResolution{200, 300}, 300, 300,
       300},
      {"only the pixels' shape, no unit", 150, 100, StatedResolution{2, 1, false}, 150, 200,
       std::nullopt},
      {"square", 300, 200, StatedResolution{300, 300}, 300, 200, 300},
      {"within two percent of square: left alone", 300, 200, StatedResolution{300, 303}, 300, 200,
       300},
      {"nothing stated", 300, 200, std::nullopt, 300, 200, std::nullopt},
      {"ten to one: no scanner's, not believed", 300, 200, StatedResolution{1000, 100}, 300, 200,
       std::nullopt},
      {"stretching would pass the largest picture: the finer way shrunk to fit", 7100, 7100,
       StatedResolution{400, 200}, 7042, 14200, 396.7},
  };
  for (const auto& c : cases) {
    const int bar = c.width / 4;
    const PicturePage page = ReadyToRead({Crossed(c.width, c.height, bar), c.stated, 1});
    EXPECT_EQ(page.image.width, c.wantWidth) << c.what;
    EXPECT_EQ(page.image.height, c.wantHeight) << c.what;
    ASSERT_EQ(page.image.pixels.size(), static_cast<std::size_t>(c.wantWidth) * c.wantHeight);
    EXPECT_EQ(page.dotsPerInch.has_value(), c.wantDpi.has_value()) << c.what;
    if (c.wantDpi && page.dotsPerInch) {
      EXPECT_NEAR(*page.dotsPerInch, *c.wantDpi, 0.5) << c.what;
    }
    // The bars stay where they were on the paper, and as dark in all.
    EXPECT_NEAR(DarkCentre(page.image, true), (bar + 0.5) * c.wantWidth / c.width, 0.3) << c.what;
    EXPECT_NEAR(DarkCentre(page.image, false), (bar + 0.5) * c.wantHeight / c.height, 0.3)
        << c.what;
  }
}

TEST(ReadyToRead, SquaresTheStoredPixelsBeforeTurningThem) {
  // Stored sideways (EXIF 6: shown turned a quarter clockwise) at 98 dpi
  // across the stored rows and 204 down them: shown 2 x 1 inches, square.
  const PicturePage page = ReadyToRead({Crossed(98, 408, 10), StatedResolution{98, 204}, 6});
  EXPECT_EQ(page.image.width, 408);
  EXPECT_EQ(page.image.height, 204);
  ASSERT_TRUE(page.dotsPerInch);
  EXPECT_NEAR(*page.dotsPerInch, 204, 0.5);
}

}  // namespace
}  // namespace fontprobe
