// Bytes read as UTF-8 and, the same bytes, as UTF-16 code units.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/cups/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fontprobe::FromUtf8;
  using fontprobe::ToUtf8;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // What FromUtf8 gives is well-formed: it goes to UTF-8 and back unchanged.
  const std::u16string text = FromUtf8(bytes);
  if (FromUtf8(ToUtf8(text)) != text) __builtin_trap();
  // Well-formed UTF-8 comes back byte for byte.
  const std::string utf8 = ToUtf8(text);
  if (ToUtf8(FromUtf8(utf8)) != utf8) __builtin_trap();

  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    units += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  }
  const std::string fromUnits = ToUtf8(units);
  if (ToUtf8(FromUtf8(fromUnits)) != fromUnits) __builtin_trap();
  return 0;
}
