#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace fontprobe::testing {

using namespace std::chrono_literals;

// Runs the real Fontprobe.exe (named by FONTPROBE_EXE, a Unix path) and drives
// it from outside, as a person would: find windows, read texts, click.
class FontprobeProcess {
 public:
  FontprobeProcess();
  ~FontprobeProcess();
  FontprobeProcess(const FontprobeProcess&) = delete;
  FontprobeProcess& operator=(const FontprobeProcess&) = delete;

  HWND mainWindow() const { return main_; }
  HWND control(int id) const { return GetDlgItem(main_, id); }
  // A visible top-level window of this process with the class and caption, or null.
  HWND FindTopLevel(const wchar_t* windowClass, const wchar_t* caption) const;
  std::vector<HWND> TopLevelWindows(const wchar_t* windowClass) const;
  HWND WaitForTopLevel(const wchar_t* windowClass, const wchar_t* caption,
                       std::chrono::milliseconds timeout = 10s) const;
  bool WaitForExit(std::chrono::milliseconds timeout = 10s) const;
  HWND FocusedWindow() const;
  // Waits until the program has handled everything posted to it so far.
  void Settle() const;

 private:
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

struct MessageBoxSeen {
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool hasIcon = false;
};

// Posts a click to `button` (a click that opens a modal box must not wait for
// it), reads the message box that appears and closes it with its OK button.
MessageBoxSeen ClickAndAnswerMessageBox(const FontprobeProcess& app, HWND button);
// Reads the message box that is open (or appears) and closes it with OK.
MessageBoxSeen AnswerMessageBox(const FontprobeProcess& app);

void Click(HWND button);
std::wstring Text(HWND window);
RECT RectInClient(HWND child, HWND parent);
std::vector<std::wstring> ComboItems(HWND combo);

}  // namespace fontprobe::testing
