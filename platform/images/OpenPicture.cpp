#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/images/PictureFiles.h"

namespace fontprobe {

std::unique_ptr<PictureFile> OpenPicture(const std::string& path, std::function<bool()> stopped) {
  File file = OpenForReading(path);
  if (!file) throw PictureError(std::string("cannot open the file: ") + std::strerror(errno));
  unsigned char head[8] = {};
  const std::size_t n = std::fread(head, 1, sizeof head, file.get());
  if (n == 0) throw PictureError("the file is empty");
  if (n >= 8 && std::memcmp(head, "\x89PNG\r\n\x1a\n", 8) == 0) return OpenPng(path);
  if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return OpenJpeg(path);
  if (n >= 4 && (std::memcmp(head, "II*\0", 4) == 0 || std::memcmp(head, "MM\0*", 4) == 0)) {
    return OpenTiff(path);
  }
  if (n >= 5 && std::memcmp(head, "%PDF-", 5) == 0) return OpenPdf(path, std::move(stopped));
  throw PictureError("not a picture Fontprobe reads (PNG, JPEG, TIFF or PDF)");
}

}  // namespace fontprobe
