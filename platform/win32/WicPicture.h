#pragma once

#include <memory>
#include <string>

#include "reading/PictureFile.h"

namespace fontprobe {

// A PNG, JPEG or TIFF file decoded by Windows Imaging Component, every page
// (frame) in turn, made grey as the native decoders make it: colour by its
// luminance, transparency laid on white paper, a JPEG turned as its EXIF
// orientation says. WIC and COM are loaded at the first call. Throws
// PictureError: a PDF is named so, with what to do instead.
std::unique_ptr<PictureFile> OpenWicPicture(const std::wstring& path);

}  // namespace fontprobe
