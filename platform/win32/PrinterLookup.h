#pragma once

#include <windows.h>
#include <winspool.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fontprobe {

struct PrinterCloser {
  void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using PrinterHandle = std::unique_ptr<void, PrinterCloser>;

// What a winspool call that fills a buffer answered. It is asked first with
// room for a usual answer, so that one call usually does (each costs a trip to
// the spooler), then again with the room the spooler names. Nothing when it
// failed otherwise; GetLastError says why. `ask(buffer, size, &needed)`.
template <typename Ask>
std::optional<std::vector<BYTE>> SpoolerAnswer(DWORD usualSize, Ask ask) {
  std::vector<BYTE> buffer(usualSize);
  DWORD needed = 0;
  while (!ask(buffer.data(), static_cast<DWORD>(buffer.size()), &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) {
      return std::nullopt;
    }
    buffer.resize(needed);
  }
  return buffer;
}

// The device names of the local printers and connections, in the spooler's
// order; throws PlatformError when they cannot be read.
std::vector<std::u16string> InstalledPrinters();

// The printer whose device name is exactly the one asked for, opened, or
// nothing; `installed` tells a printer that is there but will not open for
// us from one that is not there. Throws PlatformError when that could only be
// told from the list of printers and the list cannot be read.
struct ExactPrinter {
  PrinterHandle printer;
  bool installed = false;
};
ExactPrinter OpenPrinterExactly(const std::u16string& deviceName);

}  // namespace fontprobe
