// The start of a JPEG file of any bytes, as the EXIF reader walks it, and a
// small picture turned as the orientation it finds says.
#include <cstddef>
#include <cstdint>
#include <span>

#include "reading/Exif.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int orientation = fontprobe::JpegOrientation(std::span(data, size));
  if (orientation < 1 || orientation > 8) __builtin_trap();
  fontprobe::GreyImage picture{3, 2, {1, 2, 3, 4, 5, 6}};
  const fontprobe::GreyImage shown = fontprobe::Oriented(picture, orientation);
  // Turned or mirrored, the picture keeps its pixels.
  if (shown.width * shown.height != 6 || shown.pixels.size() != 6) __builtin_trap();
  int sum = 0;
  for (const auto p : shown.pixels) sum += p;
  if (sum != 21) __builtin_trap();
  return 0;
}
