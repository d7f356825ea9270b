// A page as pdftoppm hands it over (PGM) of any bytes, read as a scan of the
// test page: the part of reading a PDF that is Fontprobe's own.
#include <cstddef>
#include <cstdint>

#include "fuzz/PictureBytes.h"
#include "platform/images/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::MemoryFile file(data, size);
  try {
    const fontprobe::GreyImage page = fontprobe::ReadPgm(file.Path());
    if (page.pixels.size() != static_cast<std::size_t>(page.width) * page.height) __builtin_trap();
    fontprobe::ReadTestPage(page.View(), 300.0);
  } catch (const fontprobe::PictureError&) {
  }
  return 0;
}
