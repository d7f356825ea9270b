#include "platform/win32/Win32MessageSink.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace fontprobe {

void Win32MessageSink::Show(const std::u16string& text) {
  MessageBoxW(nullptr, ToWide(text).c_str(), L"Fontprobe", MB_OK | MB_TASKMODAL);
}

}  // namespace fontprobe
