// Registry values of any type and bytes, as a registry could hold them.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "about/SysInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  fontprobe::RegistryValue value;
  std::memcpy(&value.type, data, 4);
  value.data.assign(data + 4, data + size);
  std::u16string text = u"unchanged";
  fontprobe::DecodeKeyValue(value, text);
  // A string of N bytes can give at most N / 2 characters.
  if (text != u"unchanged" && text.size() > value.data.size() / 2 + 10) __builtin_trap();
  return 0;
}
