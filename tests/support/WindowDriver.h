#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace fontprobe::testing {

using namespace std::chrono_literals;

// Asks `found` every few milliseconds until it gives something true or the time
// is up; returns its last answer.
template <typename Found>
auto WaitFor(std::chrono::milliseconds timeout, Found found) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto result = found();
    if (result || std::chrono::steady_clock::now() >= deadline) return result;
    std::this_thread::sleep_for(5ms);
  }
}

// Runs a windowed program and drives it from outside, as a person would: find
// windows, read texts, click. Construction returns once its main window shows.
class AppProcess {
 public:
  AppProcess(const std::wstring& exePath, const wchar_t* windowClass, const wchar_t* caption,
             const std::wstring& arguments = L"");
  ~AppProcess();
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;

  HWND mainWindow() const { return main_; }
  HWND control(int id) const { return GetDlgItem(main_, id); }
  // A visible top-level window of this process with the class and caption, or null.
  HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* caption) const;
  std::vector<HWND> TopLevelWindows(const wchar_t* windowClass) const;
  HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* caption,
                       std::chrono::milliseconds timeout = 10s) const;
  bool WaitForExit(std::chrono::milliseconds timeout = 10s) const;
  HWND FocusedWindow() const;
  HANDLE handle() const { return process_.hProcess; }
  DWORD processId() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The real Fontprobe.exe, named by FONTPROBE_EXE (a Unix path).
class FontprobeProcess : public AppProcess {
 public:
  FontprobeProcess();
  // Waits until Fontprobe has handled everything posted to it so far.
  void Settle() const;
};

struct MessageBoxSeen {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool hasIcon = false;
  HWND owner = nullptr;
};

enum class Answer { ClickOk, PressEnter };

// Posts a click to `button` (a click that opens a modal box must not wait for
// it), reads the message box that appears and closes it with its OK button.
MessageBoxSeen ClickAndAnswerMessageBox(const AppProcess& app, HWND button);
// Reads the message box that is open (or appears) and closes it: a click on
// OK, or Enter pressed where the box has the focus.
MessageBoxSeen AnswerMessageBox(const AppProcess& app, Answer answer = Answer::ClickOk);
// Presses and releases a key in `window`, as the keyboard would.
void PressKey(HWND window, WPARAM key);
// Runs a command of the machine Wine runs on (lpadmin, say), in the rig's
// environment, and waits for it; true when it succeeded.
bool RunOnHost(const std::vector<std::string>& command);

// Drops the files on `window` as the shell does: a DROPFILES block with the
// wide paths, written into the program's memory, and WM_DROPFILES posted with
// its address.
void DropFiles(const AppProcess& app, HWND window, const std::vector<std::wstring>& paths);
// The names of the modules (DLLs) the program has loaded, in lower case.
std::vector<std::wstring> LoadedModules(const AppProcess& app);

void Click(HWND button);
std::wstring Text(HWND window);
RECT RectInClient(HWND child, HWND parent);
std::vector<std::wstring> ComboItems(HWND combo);

}  // namespace fontprobe::testing
