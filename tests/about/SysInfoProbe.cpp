// Stands in for the System Information program: notes its own path, one a line,
// in the file named by FONTPROBE_PROBE_LOG, and ends.
#include <windows.h>

int wmain() {
  wchar_t log[1024];
  if (!GetEnvironmentVariableW(L"FONTPROBE_PROBE_LOG", log, 1024)) return 1;
  wchar_t self[1024];
  const DWORD length = GetModuleFileNameW(nullptr, self, 1024);
  HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, self, length * sizeof(wchar_t), &written, nullptr);
  WriteFile(file, L"\n", sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
  return 0;
}
