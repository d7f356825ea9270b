#include "platform/win32/DroppedFiles.h"

#include <shellapi.h>

#include "platform/win32/LateBound.h"
#include "platform/win32/Win32Error.h"

namespace fontprobe {

std::vector<std::wstring> DroppedFiles(HDROP drop) {
  static const auto query =
      LateBound<UINT(WINAPI*)(HDROP, UINT, LPWSTR, UINT)>(L"shell32.dll", "DragQueryFileW");
  static const auto finish = LateBound<void(WINAPI*)(HDROP)>(L"shell32.dll", "DragFinish");
  if (!query || !finish) {
    ThrowWin32Error(u"The dropped files could not be taken.", GetLastError());
  }
  std::vector<std::wstring> paths;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
    if (!path.empty()) paths.push_back(std::move(path));
  }
  finish(drop);
  return paths;
}

}  // namespace fontprobe
