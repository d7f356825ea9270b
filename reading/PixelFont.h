#pragma once

#include <cstdint>
#include <string_view>

#include "reading/Image.h"

namespace fontprobe {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// Writes ASCII text in a 5 x 7 pixel font, each pixel `scale` pixels square,
// a character six pixels apart; what lies outside the picture is left out.
void DrawText(RgbImage& picture, int left, int top, std::string_view text, int scale,
              Colour colour);
int TextWidth(std::string_view text, int scale);

void FillRectangle(RgbImage& picture, int left, int top, int width, int height, Colour colour);

}  // namespace fontprobe
