// The floors Fontprobe is measured against: a window built the same way that
// does only the platform work Fontprobe's window needs before it shows (list
// the printers, read the default printer); and, given a printer's name, a
// button that sends the PCL test page to that printer with the fewest spooler
// calls a raw page takes, on the window's own thread, the name known in advance.
#include <windows.h>
#include <winspool.h>

#include <string>
#include <vector>

#include "printing/TestPage.h"

namespace {

constexpr int kSendButton = 1;
std::wstring printer;  // the command line: a printer's name, or nothing
std::string page;

void SendPage() {
  HANDLE handle = nullptr;
  if (!OpenPrinterW(printer.data(), &handle, nullptr)) return;
  wchar_t name[] = L"Command Print";
  wchar_t type[] = L"RAW";
  DOC_INFO_1W document{name, nullptr, type};
  if (StartDocPrinterW(handle, 1, reinterpret_cast<BYTE*>(&document))) {
    DWORD written = 0;
    WritePrinter(handle, page.data(), static_cast<DWORD>(page.size()), &written);
    EndDocPrinter(handle);
  }
  ClosePrinter(handle);
}

LRESULT CALLBACK FloorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kSendButton) SendPage();
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  printer = commandLine;
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &returned);
  std::vector<BYTE> printers(needed);
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, printers.data(), needed,
                &needed, &returned);
  wchar_t defaultPrinter[256];
  DWORD size = 256;
  GetDefaultPrinterW(defaultPrinter, &size);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = FloorWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"FloorWindow", L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 460, 320, nullptr, nullptr, instance, nullptr);
  if (!printer.empty()) {
    page = fontprobe::ComposeTestPage(fontprobe::PrinterFamily::Pcl);
    CreateWindowW(L"BUTTON", L"PCL", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 30, window,
                  reinterpret_cast<HMENU>(kSendButton), instance, nullptr);
  }
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
