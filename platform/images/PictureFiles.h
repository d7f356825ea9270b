#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "reading/PictureFile.h"

namespace fontprobe {

// Opens a picture file by what its first bytes say it is: PNG, JPEG, TIFF or
// PDF. `stopped` is asked while a PDF is rendered, which can take a while:
// when it says yes, the rendering ends. Throws PictureError.
std::unique_ptr<PictureFile> OpenPicture(const std::string& path, std::function<bool()> stopped);

// Each kind on its own, for the fuzz targets.
std::unique_ptr<PictureFile> OpenPng(const std::string& path);
std::unique_ptr<PictureFile> OpenJpeg(const std::string& path);
std::unique_ptr<PictureFile> OpenTiff(const std::string& path);
std::unique_ptr<PictureFile> OpenPdf(const std::string& path, std::function<bool()> stopped);
// A PGM file as pdftoppm writes it (binary, 8 or 16 bits).
GreyImage ReadPgm(const std::string& path);

// A file opened by the decoders, closed however they end.
struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;
inline File OpenForReading(const std::string& path) { return File(std::fopen(path.c_str(), "rb")); }

// Writes a colour picture as PNG. Throws PictureError.
void WritePng(const std::string& path, const RgbImage& picture);

}  // namespace fontprobe
