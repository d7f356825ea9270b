#include "tests/support/WindowDriver.h"

#include "app/Form1Controls.h"
#include "tests/support/CapturedJobs.h"

#include <psapi.h>
#include <shlobj.h>

#include <cwctype>
#include <stdexcept>

namespace fontprobe::testing {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring ClassName(HWND window) {
  wchar_t name[256];
  return std::wstring(name, static_cast<std::size_t>(GetClassNameW(window, name, 256)));
}

}  // namespace

AppProcess::AppProcess(const std::wstring& exePath, const wchar_t* windowClass,
                       const wchar_t* caption, const std::wstring& arguments) {
  std::wstring command = L"\"" + exePath + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process_)) {
    throw std::runtime_error("the program did not start");
  }
  main_ = WaitForTopLevel(windowClass, caption, 20s);
  if (!main_) throw std::runtime_error("the program's main window did not appear");
}

AppProcess::~AppProcess() {
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

std::vector<HWND> AppProcess::TopLevelWindows(const wchar_t* windowClass) const {
  struct Search {
    DWORD pid;
    std::wstring windowClass;
    std::vector<HWND> found;
  } search{process_.dwProcessId, windowClass, {}};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(param);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == s.pid && IsWindowVisible(window) && ClassName(window) == s.windowClass) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND AppProcess::FindTopLevel(const wchar_t* windowClass, const wchar_t* caption) const {
  for (HWND window : TopLevelWindows(windowClass)) {
    if (Text(window) == caption) return window;
  }
  return nullptr;
}

HWND AppProcess::WaitForTopLevel(const wchar_t* windowClass, const wchar_t* caption,
                                 std::chrono::milliseconds timeout) const {
  return WaitFor(timeout, [&] { return FindTopLevel(windowClass, caption); });
}

bool AppProcess::WaitForExit(std::chrono::milliseconds timeout) const {
  return WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) ==
         WAIT_OBJECT_0;
}

HWND AppProcess::FocusedWindow() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(process_.dwThreadId, &info);
  return info.hwndFocus;
}

FontprobeProcess::FontprobeProcess()
    : AppProcess(WinePathFromEnv(L"FONTPROBE_EXE"), L"FontprobeForm1", L"Fontprobe") {}

void FontprobeProcess::Settle() const {
  // Posted messages are handled in order, so once a harmless posted change
  // shows (a button drawn pressed), everything posted before it is done.
  HWND button = control(form1::kCommand2);
  PostMessageW(button, BM_SETSTATE, TRUE, 0);
  WaitFor(10s, [&] { return (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; });
  SendMessageW(button, BM_SETSTATE, FALSE, 0);
}

MessageBoxSeen AnswerMessageBox(const AppProcess& app, Answer answer) {
  HWND box = WaitFor(20s, [&]() -> HWND {
    const auto boxes = app.TopLevelWindows(kDialogClass);
    return boxes.empty() ? nullptr : boxes.front();
  });
  if (!box) throw std::runtime_error("no message box appeared");
  MessageBoxSeen seen;
  seen.caption = Text(box);
  seen.owner = GetWindow(box, GW_OWNER);
  seen.text = Text(GetDlgItem(box, kMessageBoxTextId));
  HWND ok = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const std::wstring kind = ClassName(child);
    if (kind == L"Button") {
      seen.buttons.push_back(Text(child));
      if (GetDlgCtrlID(child) == IDOK) ok = child;
    }
    if (kind == L"Static" && SendMessageW(child, STM_GETICON, 0, 0) != 0) seen.hasIcon = true;
  }
  if (answer == Answer::PressEnter) {
    PressKey(app.FocusedWindow(), VK_RETURN);
  } else if (ok) {
    Click(ok);
  }
  WaitFor(10s, [&] { return !IsWindow(box); });
  return seen;
}

MessageBoxSeen ClickAndAnswerMessageBox(const AppProcess& app, HWND button) {
  Click(button);
  return AnswerMessageBox(app);
}

void DropFiles(const AppProcess& app, HWND window, const std::vector<std::wstring>& paths) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::vector<BYTE> block(reinterpret_cast<const BYTE*>(&header),
                          reinterpret_cast<const BYTE*>(&header + 1));
  for (const std::wstring& path : paths) {
    const auto* bytes = reinterpret_cast<const BYTE*>(path.c_str());
    block.insert(block.end(), bytes, bytes + (path.size() + 1) * sizeof(wchar_t));
  }
  block.insert(block.end(), sizeof(wchar_t), 0);  // the list's end
  void* remote =
      VirtualAllocEx(app.handle(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(app.handle(), remote, block.data(), block.size(), nullptr)) {
    throw std::runtime_error("the drop could not be written into the program");
  }
  PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

std::vector<std::wstring> LoadedModules(const AppProcess& app) {
  HMODULE modules[1024];
  DWORD bytes = 0;
  K32EnumProcessModules(app.handle(), modules, sizeof modules, &bytes);
  std::vector<std::wstring> names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 1024; ++i) {
    wchar_t name[MAX_PATH];
    const DWORD length = K32GetModuleBaseNameW(app.handle(), modules[i], name, MAX_PATH);
    std::wstring lower(name, length);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
    names.push_back(lower);
  }
  return names;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void PressKey(HWND window, WPARAM key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, 0xC0000001);
}

bool RunOnHost(const std::vector<std::string>& command) {
  // Wine's own way of starting a program of the host system.
  using Spawn = LONG(__cdecl*)(char* const*, int);
  const auto spawn = reinterpret_cast<Spawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "__wine_unix_spawnvp")));
  if (!spawn) return false;
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  return spawn(argv.data(), 1) == 0;
}

std::wstring Text(HWND window) {
  wchar_t text[4096];
  const LRESULT length = SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  return std::wstring(text, static_cast<std::size_t>(length));
}

RECT RectInClient(HWND child, HWND parent) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t item[1024] = L"";
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
    items.emplace_back(item);
  }
  return items;
}

}  // namespace fontprobe::testing
