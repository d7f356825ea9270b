#include "platform/win32/Win32Spooler.h"

#include <windows.h>
#include <winspool.h>

#include "platform/PlatformError.h"
#include "platform/win32/PrinterLookup.h"
#include "platform/win32/WideText.h"

namespace fontprobe {
namespace {

// Not every mingw-w64 winspool.h has it; the value is the documented one.
constexpr DWORD kPrinterDriverXps = 0x00000002;

HANDLE AsHandle(Spooler::Handle printer) { return reinterpret_cast<HANDLE>(printer); }

}  // namespace

Spooler::Opening Win32Spooler::Open(const std::u16string& deviceName) {
  using Result = Opening::Result;
  ExactPrinter exact;
  try {
    exact = OpenPrinterExactly(deviceName);
  } catch (const PlatformError&) {
    // Whether it is there could not be told, so the page is not sent.
    return {Result::Refused};
  }
  if (!exact.printer) return {exact.installed ? Result::Refused : Result::NoSuchPrinter};
  return {Result::Opened, reinterpret_cast<Handle>(exact.printer.release())};
}

bool Win32Spooler::HasXpsDriver(Handle printer) {
  const auto answer = SpoolerAnswer(8 * 1024, [printer](BYTE* buffer, DWORD size, DWORD* needed) {
    return GetPrinterDriverW(AsHandle(printer), nullptr, 8, buffer, size, needed);
  });
  if (!answer) return false;
  const auto* info = reinterpret_cast<const DRIVER_INFO_8W*>(answer->data());
  return (info->dwPrinterDriverAttributes & kPrinterDriverXps) != 0;
}

std::optional<Spooler::JobId> Win32Spooler::StartDocument(Handle printer,
                                                          const std::u16string& docName,
                                                          const std::u16string& dataType) {
  std::wstring name = ToWide(docName);
  std::wstring type = ToWide(dataType);
  DOC_INFO_1W info{name.data(), nullptr, type.data()};
  const DWORD job = StartDocPrinterW(AsHandle(printer), 1, reinterpret_cast<BYTE*>(&info));
  if (job == 0) return std::nullopt;
  return job;
}

bool Win32Spooler::StartPage(Handle printer) { return StartPagePrinter(AsHandle(printer)); }

std::optional<std::uint32_t> Win32Spooler::Write(Handle printer, std::string_view bytes) {
  DWORD written = 0;
  if (!WritePrinter(AsHandle(printer), const_cast<char*>(bytes.data()),
                    static_cast<DWORD>(bytes.size()), &written)) {
    return std::nullopt;
  }
  return written;
}

bool Win32Spooler::EndPage(Handle printer) { return EndPagePrinter(AsHandle(printer)); }
bool Win32Spooler::EndDocument(Handle printer) { return EndDocPrinter(AsHandle(printer)); }
void Win32Spooler::Abort(Handle printer) { AbortPrinter(AsHandle(printer)); }
void Win32Spooler::Close(Handle printer) { ClosePrinter(AsHandle(printer)); }

}  // namespace fontprobe
