#include "platform/win32/Win32Browser.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/LateBound.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"

namespace fontprobe {
namespace {

// ShellExecuteExW's own result where it set no last error.
DWORD ShellFailure(const SHELLEXECUTEINFOW& info) {
  if (const DWORD error = GetLastError()) return error;
  const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_ACCESS_DENIED:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_BAD_FORMAT:
      return static_cast<DWORD>(code);
    default:
      return ERROR_NO_ASSOCIATION;
  }
}

}  // namespace

void Win32Browser::Open(const std::u16string& address) {
  const std::u16string failed =
      u"The home page " + address + u" could not be opened in a web browser.";
  static const auto initializeCom =
      LateBound<HRESULT(WINAPI*)(void*, DWORD)>(L"ole32.dll", "CoInitializeEx");
  static const auto shellExecute =
      LateBound<BOOL(WINAPI*)(SHELLEXECUTEINFOW*)>(L"shell32.dll", "ShellExecuteExW");
  if (!initializeCom || !shellExecute) ThrowWin32Error(failed, GetLastError());
  // The shell may hand the address to a COM object, which needs this thread in
  // a single-threaded apartment; once is enough for the program's life.
  static const HRESULT apartment =
      initializeCom(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)apartment;
  const std::wstring target = ToWide(address);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = target.c_str();
  info.nShow = SW_SHOWNORMAL;
  SetLastError(ERROR_SUCCESS);
  if (!shellExecute(&info)) ThrowWin32Error(failed, ShellFailure(info));
}

}  // namespace fontprobe
