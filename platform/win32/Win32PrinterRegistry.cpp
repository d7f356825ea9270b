#include "platform/win32/Win32PrinterRegistry.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <memory>
#include <optional>
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

bool Listed(const std::u16string& deviceName) {
  const std::vector<std::u16string> names = InstalledPrinters();
  return std::find(names.begin(), names.end(), deviceName) != names.end();
}

struct PrinterCloser {
  void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using PrinterHandle = std::unique_ptr<void, PrinterCloser>;

// The name the spooler itself gives the printer a handle is open on, as the
// list of printers gives it; nothing when it does not say.
std::optional<std::wstring> OwnName(HANDLE printer) {
  DWORD needed = 0;
  GetPrinterW(printer, 4, nullptr, 0, &needed);
  if (needed == 0) return std::nullopt;
  std::vector<BYTE> buffer(needed);
  if (!GetPrinterW(printer, 4, buffer.data(), needed, &needed)) return std::nullopt;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  if (!info->pPrinterName) return std::nullopt;
  return std::wstring(info->pPrinterName);
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

// The spooler opens a printer whatever the case of its name (and takes a name
// with ",Job n" for a job): the name it opened is then compared exactly. A
// printer it cannot open for us (access denied, say) is looked for in the list.
bool Win32PrinterRegistry::IsInstalled(const std::u16string& deviceName) {
  std::wstring name = ToWide(deviceName);
  HANDLE opened = nullptr;
  if (name.empty() || name.find(L'\0') != std::wstring::npos) return Listed(deviceName);
  if (!OpenPrinterW(name.data(), &opened, nullptr)) {
    if (GetLastError() == ERROR_INVALID_PRINTER_NAME) return false;
    return Listed(deviceName);
  }
  const PrinterHandle printer(opened);
  const auto own = OwnName(printer.get());
  return own ? *own == name : Listed(deviceName);
}

std::optional<std::u16string> Win32PrinterRegistry::CurrentDeviceName() { return current_; }

void Win32PrinterRegistry::MakeCurrent(const std::u16string& deviceName) { current_ = deviceName; }

}  // namespace fontprobe
