// Any bytes a server, a printer or a user could send through the gates, for
// a terminal and for JSON.
#include <cstddef>
#include <cstdint>
#include <string>

#include "cli/Output.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string printed =
      fontprobe::Printable(std::string(reinterpret_cast<const char*>(data), size));
  for (std::size_t i = 0; i < printed.size(); ++i) {
    const auto byte = static_cast<unsigned char>(printed[i]);
    const bool c1 =
        byte == 0xC2 && i + 1 < printed.size() && static_cast<unsigned char>(printed[i + 1]) < 0xA0;
    if (byte < 0x20 || byte == 0x7F || c1) __builtin_trap();
  }
  // What passed the gate passes it again unchanged: it is well-formed already.
  if (fontprobe::Printable(printed) != printed) __builtin_trap();
  // The JSON gate lets no control byte through raw either.
  const std::string json =
      fontprobe::JsonLine(fontprobe::Json(std::string(reinterpret_cast<const char*>(data), size)));
  for (std::size_t i = 0; i < json.size(); ++i) {
    const auto byte = static_cast<unsigned char>(json[i]);
    const bool c1 =
        byte == 0xC2 && i + 1 < json.size() && static_cast<unsigned char>(json[i + 1]) < 0xA0;
    if (byte < 0x20 || byte == 0x7F || c1) __builtin_trap();
  }
  return 0;
}
