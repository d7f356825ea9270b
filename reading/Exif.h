#pragma once

#include <cstdint>
#include <span>

#include "reading/Image.h"

namespace fontprobe {

// The orientation a JPEG file's EXIF data gives, as EXIF numbers it: 1 as
// stored, 3 upside down, 6 and 8 turned a quarter, 2, 4, 5 and 7 mirrored. 1
// when the file gives none or its EXIF data is broken. `head` is the start of
// the file; the EXIF data comes before the picture data.
int JpegOrientation(std::span<const std::uint8_t> head);

// The picture as the EXIF orientation says it is to be shown.
GreyImage Oriented(GreyImage picture, int orientation);

}  // namespace fontprobe
