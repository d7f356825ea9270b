#include "platform/win32/Win32MessageSink.h"

#include "platform/win32/WideText.h"

namespace fontprobe {

void Win32MessageSink::Show(const std::u16string& text) {
  MessageBoxW(owner_, ToWide(text).c_str(), L"Fontprobe", MB_OK);
}

}  // namespace fontprobe
