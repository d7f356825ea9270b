#pragma once

#include <cstdint>
#include <vector>

#include "reading/Image.h"

namespace fontprobe {

// How much ink each pixel of a picture holds: 0 is bare paper, 255 full ink.
// The paper's own brightness is divided out, so shade, a dim corner or a
// yellowed sheet leave the ink as dark as it was printed.
struct InkMap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;

  std::uint8_t At(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x]; }
  // Between pixels, bilinear; a pixel's centre is at (x + 0.5, y + 0.5); 0 outside.
  float Sample(float x, float y) const;
};

InkMap MakeInkMap(const GreyView& picture);

// The map made `factor` times smaller, each pixel the mean of the pixels it covers.
InkMap Reduce(const InkMap& map, int factor);

}  // namespace fontprobe
