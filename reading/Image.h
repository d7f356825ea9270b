#pragma once

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

}  // namespace fontprobe
