// A TIFF file of any bytes, every page, decoded and read as a scan of the test page.
#include <cstddef>
#include <cstdint>

#include "fuzz/PictureBytes.h"
#include "platform/images/PictureFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzzing::MemoryFile file(data, size);
  try {
    auto picture = fontprobe::OpenTiff(file.Path());
    fuzzing::ReadPages(*picture);
  } catch (const fontprobe::PictureError&) {
  }
  return 0;
}
