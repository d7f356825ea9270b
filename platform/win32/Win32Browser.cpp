#include "platform/win32/Win32Browser.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"

namespace fontprobe {

void Win32Browser::Open(const std::u16string& address) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) {
    ThrowWin32Error(u"The home page " + address + u" could not be opened in a web browser.",
                    GetLastError());
  }
}

}  // namespace fontprobe
