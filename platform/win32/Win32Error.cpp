#include "platform/win32/Win32Error.h"

#include "platform/win32/WideText.h"

namespace fontprobe {

void ThrowWin32Error(const std::u16string& whatFailed, DWORD error) {
  wchar_t reason[512] = L"";
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, reason, 512, nullptr);
  std::wstring text(reason, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  if (text.empty()) {
    wchar_t number[32];
    wsprintfW(number, L"Windows error %lu.", error);
    text = number;
  }
  throw PlatformError(whatFailed + u"\n\n" + FromWide(text));
}

}  // namespace fontprobe
