#include "reading/Exif.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace fontprobe {

namespace {

// Reads the TIFF structure inside an EXIF block, in either byte order.
class TiffBytes {
 public:
  explicit TiffBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool ReadOrder() {
    if (bytes_.size() < 8) return false;
    if (bytes_[0] == 'I' && bytes_[1] == 'I')
      little_ = true;
    else if (bytes_[0] == 'M' && bytes_[1] == 'M')
      little_ = false;
    else
      return false;
    return Short(2) == 42;
  }
  std::optional<std::uint32_t> Short(std::size_t at) const {
    if (at + 2 > bytes_.size()) return std::nullopt;
    return little_ ? bytes_[at] | bytes_[at + 1] << 8 : bytes_[at] << 8 | bytes_[at + 1];
  }
  std::optional<std::uint32_t> Long(std::size_t at) const {
    const auto low = Short(little_ ? at : at + 2), high = Short(little_ ? at + 2 : at);
    if (!low || !high) return std::nullopt;
    return *high << 16 | *low;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  bool little_ = true;
};

// The orientation tag of the first image directory of an EXIF block.
int OrientationIn(std::span<const std::uint8_t> exif) {
  TiffBytes tiff(exif);
  if (!tiff.ReadOrder()) return 1;
  const auto directory = tiff.Long(4);
  if (!directory) return 1;
  const auto entries = tiff.Short(*directory);
  if (!entries) return 1;
  for (std::uint32_t i = 0; i < *entries; ++i) {
    const std::size_t entry = *directory + 2 + 12 * static_cast<std::size_t>(i);
    const auto tag = tiff.Short(entry), type = tiff.Short(entry + 2), value = tiff.Short(entry + 8);
    if (!tag || !type || !value) return 1;
    if (*tag == 0x0112 && *type == 3)
      return *value >= 1 && *value <= 8 ? static_cast<int>(*value) : 1;
  }
  return 1;
}

}  // namespace

int JpegOrientation(std::span<const std::uint8_t> head) {
  if (head.size() < 4 || head[0] != 0xFF || head[1] != 0xD8) return 1;
  std::size_t at = 2;
  while (at + 4 <= head.size()) {
    if (head[at] != 0xFF) return 1;
    const std::uint8_t marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      at += 2;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // the picture data: no EXIF before it
    const std::size_t length = head[at + 2] << 8 | head[at + 3];
    if (length < 2) return 1;
    const std::size_t data = at + 4, end = std::min(head.size(), at + 2 + length);
    static const std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
    if (marker == 0xE1 && end >= data + sizeof kExif &&
        std::memcmp(&head[data], kExif, sizeof kExif) == 0) {
      return OrientationIn(head.subspan(data + sizeof kExif, end - data - sizeof kExif));
    }
    at += 2 + length;
  }
  return 1;
}

GreyImage Oriented(GreyImage picture, int orientation) {
  if (orientation < 2 || orientation > 8) return picture;
  const int w = picture.width, h = picture.height;
  const bool turned = orientation >= 5;
  GreyImage shown{turned ? h : w, turned ? w : h, std::vector<std::uint8_t>(picture.pixels.size())};
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      int sx = x, sy = y;  // the stored pixel shown at (x, y)
      switch (orientation) {
        case 2:
          sx = w - 1 - x;
          break;
        case 3:
          sx = w - 1 - x;
          sy = h - 1 - y;
          break;
        case 4:
          sy = h - 1 - y;
          break;
        case 5:
          sx = y;
          sy = x;
          break;
        case 6:
          sx = y;
          sy = h - 1 - x;
          break;
        case 7:
          sx = w - 1 - y;
          sy = h - 1 - x;
          break;
        case 8:
          sx = w - 1 - y;
          sy = x;
          break;
      }
      shown.pixels[static_cast<std::size_t>(y) * shown.width + x] =
          picture.pixels[static_cast<std::size_t>(sy) * w + sx];
    }
  }
  return shown;
}

}  // namespace fontprobe
