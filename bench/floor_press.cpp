// The floor Fontprobe's press is measured against: a bare window built the same
// way, whose one button sends a page (the bytes of PAGE-FILE) to a printer (PRINTER,
// the rest of the command line) with the fewest spooler calls a raw page takes,
// on the window's own thread, the name known in advance.
#include <windows.h>
#include <winspool.h>

#include <string>

namespace {

constexpr int kSendButton = 1;
std::wstring printer;
std::string page;

std::string ReadPage(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

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
  const std::wstring arguments = commandLine;
  if (const auto space = arguments.find(L' '); space != std::wstring::npos) {
    page = ReadPage(arguments.substr(0, space));
    printer = arguments.substr(space + 1);
  }
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = FloorWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorPressWindow";
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowW(L"FloorPressWindow", L"Floor press", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                    CW_USEDEFAULT, 460, 320, nullptr, nullptr, instance, nullptr);
  CreateWindowW(L"BUTTON", L"PCL", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 30, window,
                reinterpret_cast<HMENU>(kSendButton), instance, nullptr);
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
