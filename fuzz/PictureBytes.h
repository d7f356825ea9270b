// Fuzz input handed to a decoder as a file: the decoders read files, as
// Fontprobe's users name them.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "reading/PageReader.h"
#include "reading/PictureFile.h"

namespace fuzzing {

// The bytes as a file in memory, named by its /proc path.
class MemoryFile {
 public:
  MemoryFile(const std::uint8_t* data, std::size_t size) : fd_(memfd_create("fuzz", 0)) {
    if (size > 0 && write(fd_, data, size) != static_cast<ssize_t>(size)) __builtin_trap();
  }
  ~MemoryFile() { close(fd_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

// Every page the decoder gives (a few at most) through the reader; a refusal
// must come as PictureError, and what is read must hold together.
inline void ReadPages(fontprobe::PictureFile& file) {
  try {
    for (int page = 0; page < 4; ++page) {
      const auto picture = file.NextPage();
      if (!picture) return;
      const fontprobe::GreyImage& image = picture->image;
      if (image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        __builtin_trap();
      }
      fontprobe::ReadTestPage(image.View(), picture->dotsPerInch);
    }
  } catch (const fontprobe::PictureError&) {
  }
}

}  // namespace fuzzing
