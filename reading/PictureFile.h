#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "reading/Image.h"

namespace fontprobe {

// Pictures larger than this are refused from their header, before decoding.
inline constexpr double kLargestPicture = 100e6;  // pixels

// The grey of a colour, each channel 0 to 255, weighed as the eye sees it.
inline std::uint8_t GreyOf(int red, int green, int blue) {
  return static_cast<std::uint8_t>((299 * red + 587 * green + 114 * blue) / 1000);
}

// What a file states of the size of its pixels: dots an inch across and down;
// or, where it gives no unit, only how the two compare (`perInch` false).
struct StatedResolution {
  double across = 0;
  double down = 0;
  bool perInch = true;
};

// One page as a decoder gives it: the pixels as stored, what the file states
// of their size, and how they are to be shown (EXIF's orientation: 1 as
// stored; see Exif.h).
struct DecodedPage {
  GreyImage image;
  std::optional<StatedResolution> resolution;
  int orientation = 1;
};

// One page of a picture file ready to read: in grey, shown as the file says,
// its pixels square.
struct PicturePage {
  GreyImage image;
  std::optional<double> dotsPerInch;  // as the file states it, if it does
};

// A picture file that cannot be read; what() says why, in words for the user.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Refuses a picture whose header gives it more than kLargestPicture pixels.
inline void RefuseIfTooLarge(double width, double height) {
  if (width * height > kLargestPicture) {
    throw PictureError("the picture is larger than 100 million pixels (" +
                       std::to_string(static_cast<long long>(width)) + " x " +
                       std::to_string(static_cast<long long>(height)) + ")");
  }
}

// The page made ready to read: its pixels made square by stretching the
// coarser way (a fax's 204 x 98 dpi becomes 204 x 204; where that would pass
// kLargestPicture, the finer way is shrunk just enough to stay within it),
// then shown as its orientation says. A ratio beyond 4 to 1 is no scanner's
// or fax's: the file's statement is not believed.
PicturePage ReadyToRead(DecodedPage page);

// The pages of one picture file, decoded one at a time, so that a long file
// never holds more than one page in memory.
class PictureFile {
 public:
  virtual ~PictureFile() = default;
  // The next page ready to read, or nothing after the last. Throws PictureError.
  std::optional<PicturePage> NextPage() {
    std::optional<DecodedPage> page = Decode();
    if (!page) return std::nullopt;
    return ReadyToRead(std::move(*page));
  }

 protected:
  // The next page as the file holds it, or nothing after the last.
  virtual std::optional<DecodedPage> Decode() = 0;
};

}  // namespace fontprobe
