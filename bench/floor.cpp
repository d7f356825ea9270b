// The floor Fontprobe's start is measured against: a window built the same way
// that does only the platform work Fontprobe's window needs before it shows
// (list the printers, read the default printer).
#include <windows.h>
#include <winspool.h>

#include <vector>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
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
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  };
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"FloorWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowW(L"FloorWindow", L"Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 460, 320, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, showCommand);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
