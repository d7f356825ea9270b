#pragma once

#include <windows.h>

#include <optional>

#include "ui/Win32Ui.h"

namespace fontprobe {

// What every top-level window of Fontprobe does alike: it counts among the
// windows the program runs for, gives the keyboard focus back where it was
// after another window, follows a DPI change and the system colours, and
// closes with its title bar's button. A window handles its own messages in
// OnMessage; what it leaves gets this common handling, then the default.
class TopLevelWindow {
 public:
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;

  HWND window() const { return window_; }
  // Destroys the window, if it is open.
  void Close();

 protected:
  TopLevelWindow() = default;
  // A window still open then is destroyed without a word to the object, which
  // is going.
  virtual ~TopLevelWindow();

  // Creates the window of class `className` (registered here, white-backed,
  // with the arrow cursor) with this object handling its messages. False when
  // it could not be created; GetLastError says why.
  bool Create(const wchar_t* className, HICON icon, const wchar_t* caption, DWORD style,
              DWORD exStyle, const RECT& frame, HWND owner, HMENU menu);

  virtual std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // Gives the children their fonts and places for `dpi`, and repaints.
  virtual void Layout(UINT dpi) = 0;
  // The window is gone: the last call the object gets from it, which may end the object.
  virtual void OnClosed() {}

  HWND window_ = nullptr;
  UINT dpi_ = GetDpiForSystem();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  FocusKeeper focus_;
};

}  // namespace fontprobe
