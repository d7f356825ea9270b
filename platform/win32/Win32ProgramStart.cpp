#include "platform/win32/Win32ProgramStart.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace fontprobe {

bool Win32ProgramStart::FileExists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32ProgramStart::Start(const std::u16string& path) {
  const std::wstring program = ToWide(path);
  if (program.empty()) return false;
  // The program's own first argument is its quoted path, as a shell would give it.
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace fontprobe
