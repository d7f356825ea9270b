#include "platform/win32/Win32PrinterRegistry.h"

#include <windows.h>
#include <winspool.h>

#include <optional>
#include <vector>

#include "platform/win32/PrinterLookup.h"
#include "platform/win32/WideText.h"

namespace fontprobe {
namespace {

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

bool Win32PrinterRegistry::IsInstalled(const std::u16string& deviceName) {
  return OpenPrinterExactly(deviceName).installed;
}

std::optional<std::u16string> Win32PrinterRegistry::CurrentDeviceName() { return current_; }

void Win32PrinterRegistry::MakeCurrent(const std::u16string& deviceName) { current_ = deviceName; }

}  // namespace fontprobe
