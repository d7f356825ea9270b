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

// A set of pixels (1 set, 0 not), rows packed, each pixel set where any pixel
// within `radius` of it (a square) is set; or, with `all`, where every one is.
std::vector<std::uint8_t> Spread(const std::vector<std::uint8_t>& set, int width, int height,
                                 int radius, bool all);

// Clears what is too broad to be print: a table or shadow round a
// photographed sheet, darker than the paper beside it, would otherwise count
// as ink. In `reduced` (the full-size map made `factor` times smaller), ink of
// at least `threshold` that fills a square wider than any stroke is solid; it
// is cleared in both maps, with a margin of two pixels.
void ClearSolidInk(InkMap& reduced, InkMap& full, int factor, int threshold);

}  // namespace fontprobe
