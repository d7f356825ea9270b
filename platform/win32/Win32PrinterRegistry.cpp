#include "platform/win32/Win32PrinterRegistry.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"

namespace fontprobe {
namespace {

std::vector<std::u16string> InstalledPrinters() {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0;
  DWORD returned = 0;
  // Room for a few hundred printers, so that one call usually does: every call
  // walks all the printers. A longer list, or one that grew, is asked again.
  std::vector<BYTE> buffer(16 * 1024);
  while (!EnumPrintersW(flags, nullptr, 4, buffer.data(), static_cast<DWORD>(buffer.size()),
                        &needed, &returned)) {
    const DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER) {
      ThrowWin32Error(u"The list of installed printers could not be read.", error);
    }
    buffer.resize(needed);
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  std::vector<std::u16string> names;
  for (DWORD i = 0; i < returned; ++i) names.push_back(FromWide(printers[i].pPrinterName));
  return names;
}

std::optional<std::u16string> DefaultPrinter() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return std::nullopt;
  std::wstring name(size, L'\0');
  if (!GetDefaultPrinterW(name.data(), &size)) return std::nullopt;
  name.resize(size - 1);
  return FromWide(name);
}

}  // namespace

Win32PrinterRegistry::Win32PrinterRegistry() : current_(DefaultPrinter()) {}

std::vector<std::u16string> Win32PrinterRegistry::DeviceNames() { return InstalledPrinters(); }

std::optional<std::u16string> Win32PrinterRegistry::CurrentDeviceName() { return current_; }

void Win32PrinterRegistry::MakeCurrent(const std::u16string& deviceName) { current_ = deviceName; }

}  // namespace fontprobe
