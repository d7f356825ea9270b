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

// One page of a picture file, in grey.
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

// The pages of one picture file, decoded one at a time, so that a long file
// never holds more than one page in memory.
class PictureFile {
 public:
  virtual ~PictureFile() = default;
  // The next page, or nothing after the last. Throws PictureError.
  virtual std::optional<PicturePage> NextPage() = 0;
};

}  // namespace fontprobe
