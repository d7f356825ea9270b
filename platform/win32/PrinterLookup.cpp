#include "platform/win32/PrinterLookup.h"

#include <algorithm>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"

namespace fontprobe {
namespace {

bool Listed(const std::u16string& deviceName) {
  const std::vector<std::u16string> names = InstalledPrinters();
  return std::find(names.begin(), names.end(), deviceName) != names.end();
}

// The name the spooler itself gives the printer a handle is open on, as the
// list of printers gives it; nothing when it does not say.
std::optional<std::wstring> OwnName(HANDLE printer) {
  const auto answer = SpoolerAnswer(1024, [printer](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterW(printer, 4, buffer, size, needed);
  });
  if (!answer) return std::nullopt;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(answer->data());
  if (!info->pPrinterName) return std::nullopt;
  return std::wstring(info->pPrinterName);
}

}  // namespace

std::vector<std::u16string> InstalledPrinters() {
  DWORD returned = 0;
  // Room for a few hundred printers: every call walks all of them.
  const auto answer =
      SpoolerAnswer(16 * 1024, [&returned](BYTE* buffer, DWORD size, DWORD* needed) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer,
                             size, needed, &returned);
      });
  if (!answer) {
    ThrowWin32Error(u"The list of installed printers could not be read.", GetLastError());
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(answer->data());
  std::vector<std::u16string> names;
  for (DWORD i = 0; i < returned; ++i) names.push_back(FromWide(printers[i].pPrinterName));
  return names;
}

// The spooler opens a printer whatever the case of its name (and takes a name
// with ",Job n" for a job): the name it opened is then compared exactly. A
// printer it cannot open for us (access denied, say) is looked for in the list.
ExactPrinter OpenPrinterExactly(const std::u16string& deviceName) {
  std::wstring name = ToWide(deviceName);
  // An empty name opens the print server itself; a NUL would cut the name short.
  if (name.empty() || name.find(L'\0') != std::wstring::npos) {
    return {nullptr, Listed(deviceName)};
  }
  HANDLE opened = nullptr;
  if (!OpenPrinterW(name.data(), &opened, nullptr)) {
    if (GetLastError() == ERROR_INVALID_PRINTER_NAME) return {nullptr, false};
    return {nullptr, Listed(deviceName)};
  }
  PrinterHandle printer(opened);
  const auto own = OwnName(printer.get());
  if (own ? *own != name : !Listed(deviceName)) return {nullptr, false};
  return {std::move(printer), true};
}

}  // namespace fontprobe
