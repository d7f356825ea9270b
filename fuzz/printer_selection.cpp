// Printer lists and chooser texts of any UTF-16: the names split at each NUL,
// the last piece the text the user typed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/QueueChoice.h"
#include "printers/PrinterSelection.h"
#include "tests/support/Fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::u16string> pieces(1);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (unit == 0)
      pieces.emplace_back();
    else
      pieces.back() += unit;
  }
  const std::u16string typed = pieces.back();
  pieces.pop_back();

  fontprobe::testing::FakePrinterRegistry registry;
  registry.printers = pieces;
  fontprobe::testing::FakeChooser chooser;
  fontprobe::GetPrinters(registry, chooser);
  const bool selected = fontprobe::SelectPrinterByName(registry, typed);
  // Selected means exactly that name, and only a listed one.
  if (selected != (std::find(pieces.begin(), pieces.end(), typed) != pieces.end()))
    __builtin_trap();
  if (selected && registry.current != typed) __builtin_trap();
  const auto suggestion = fontprobe::NearMiss(pieces, typed);
  if (suggestion && std::find(pieces.begin(), pieces.end(), *suggestion) == pieces.end()) {
    __builtin_trap();
  }
  return 0;
}
