#pragma once

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
