#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fontprobe {

// An 8-bit grey picture as a decoder hands it over: 0 is black, 255 white;
// rows `stride` bytes apart.
struct GreyView {
  const std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;

  std::uint8_t At(int x, int y) const { return pixels[y * stride + x]; }
};

// A grey picture that owns its pixels, rows packed.
struct GreyImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  GreyView View() const { return {pixels.data(), width, height, width}; }
};

// A colour picture, three bytes a pixel (red, green, blue), rows packed.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;
};

// `width` x `height` 8-bit pixels, rows `stride` bytes apart, made `factor`
// times smaller: each pixel the mean of the pixels it covers, rounded down.
inline std::vector<std::uint8_t> ReducedPixels(const std::uint8_t* pixels, std::ptrdiff_t stride,
                                               int width, int height, int factor) {
  const int smallWidth = width / factor, smallHeight = height / factor;
  std::vector<std::uint8_t> small(static_cast<std::size_t>(smallWidth) * smallHeight);
  std::vector<int> sums(static_cast<std::size_t>(smallWidth));
  const int area = factor * factor;
  for (int y = 0; y < smallHeight; ++y) {
    std::fill(sums.begin(), sums.end(), 0);
    for (int dy = 0; dy < factor; ++dy) {
      const std::uint8_t* row = pixels + (y * factor + dy) * stride;
      for (int x = 0; x < smallWidth; ++x) {
        for (int dx = 0; dx < factor; ++dx) sums[x] += row[x * factor + dx];
      }
    }
    for (int x = 0; x < smallWidth; ++x) {
      small[static_cast<std::size_t>(y) * smallWidth + x] =
          static_cast<std::uint8_t>(sums[x] / area);
    }
  }
  return small;
}

// The value of `picture` at (x, y) in pixels, between pixel centres weighed by
// nearness; outside the picture it is 0, i.e. no ink.
template <typename Picture>
float SampleBetween(const Picture& picture, int width, int height, float x, float y) {
  x -= 0.5f;
  y -= 0.5f;
  const float fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float ax = x - fx, ay = y - fy;
  auto at = [&](int px, int py) -> float {
    return px < 0 || py < 0 || px >= width || py >= height ? 0.0f : picture.At(px, py);
  };
  return (at(x0, y0) * (1 - ax) + at(x0 + 1, y0) * ax) * (1 - ay) +
         (at(x0, y0 + 1) * (1 - ax) + at(x0 + 1, y0 + 1) * ax) * ay;
}

}  // namespace fontprobe
