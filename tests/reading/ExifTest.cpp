// The EXIF orientation of a JPEG file's start, and pictures turned by it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "reading/Exif.h"

namespace fontprobe {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A JPEG start: SOI, an APP1 segment with an EXIF block whose first directory
// holds one entry, the orientation, in the byte order given.
Bytes JpegWithOrientation(bool littleEndian, std::uint16_t orientation, std::uint16_t type = 3) {
  auto two = [&](std::uint16_t v) {
    return littleEndian ? Bytes{std::uint8_t(v), std::uint8_t(v >> 8)}
                        : Bytes{std::uint8_t(v >> 8), std::uint8_t(v)};
  };
  Bytes jpeg{0xFF, 0xD8, 0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
  auto add = [&jpeg](const Bytes& part) {
    std::copy(part.begin(), part.end(), std::back_inserter(jpeg));
  };
  add(littleEndian ? Bytes{'I', 'I'} : Bytes{'M', 'M'});
  for (const Bytes& part :
       {two(42), littleEndian ? Bytes{8, 0, 0, 0} : Bytes{0, 0, 0, 8}, two(1), two(0x0112),
        two(type), littleEndian ? Bytes{1, 0, 0, 0} : Bytes{0, 0, 0, 1}, two(orientation),
        Bytes{0, 0}, Bytes{0, 0, 0, 0}}) {
    add(part);
  }
  const std::size_t length = jpeg.size() - 4;  // the APP1 segment from its length on
  jpeg[4] = std::uint8_t(length >> 8);
  jpeg[5] = std::uint8_t(length);
  add({0xFF, 0xDA, 0x00, 0x02});
  return jpeg;
}

TEST(JpegOrientation, ReadsTheTagInEitherByteOrderAndOtherwiseSaysAsStored) {
  Bytes cutShort = JpegWithOrientation(true, 6);
  cutShort.resize(20);
  Bytes afterPictureData{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02};
  const Bytes late = JpegWithOrientation(true, 6);
  std::copy(late.begin() + 2, late.end(), std::back_inserter(afterPictureData));
  const struct {
    const char* what;
    Bytes head;
    int orientation;
  } cases[] = {
      {"little-endian, a quarter turn", JpegWithOrientation(true, 6), 6},
      {"big-endian, the other quarter", JpegWithOrientation(false, 8), 8},
      {"mirrored", JpegWithOrientation(true, 2), 2},
      {"a value EXIF does not know", JpegWithOrientation(true, 9), 1},
      {"the tag stored as another type", JpegWithOrientation(true, 6, 4), 1},
      {"EXIF cut short", cutShort, 1},
      {"EXIF after the picture data starts", afterPictureData, 1},
      {"not a JPEG", Bytes{'P', 'K', 3, 4}, 1},
      {"nothing", Bytes{}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(JpegOrientation(c.head), c.orientation) << c.what;
}

TEST(Oriented, ShowsThePictureAsTheOrientationSays) {
  // Stored 3 wide and 2 high:  1 2 3
  //                            4 5 6
  const GreyImage stored{3, 2, {1, 2, 3, 4, 5, 6}};
  const struct {
    int orientation;
    int width;
    std::vector<std::uint8_t> shown;
  } cases[] = {
      {1, 3, {1, 2, 3, 4, 5, 6}}, {2, 3, {3, 2, 1, 6, 5, 4}}, {3, 3, {6, 5, 4, 3, 2, 1}},
      {4, 3, {4, 5, 6, 1, 2, 3}}, {5, 2, {1, 4, 2, 5, 3, 6}}, {6, 2, {4, 1, 5, 2, 6, 3}},
      {7, 2, {6, 3, 5, 2, 4, 1}}, {8, 2, {3, 6, 2, 5, 1, 4}},
  };
  for (const auto& c : cases) {
    const GreyImage shown = Oriented(stored, c.orientation);
    EXPECT_EQ(shown.width, c.width) << c.orientation;
    EXPECT_EQ(shown.pixels, c.shown) << c.orientation;
  }
}

}  // namespace
}  // namespace fontprobe
