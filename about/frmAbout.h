#pragma once

#include <windows.h>

#include <string>

#include "interfaces/Browser.h"
#include "interfaces/ProgramStart.h"
#include "interfaces/WindowsRegistry.h"
#include "platform/win32/Win32MessageSink.h"
#include "ui/TopLevelWindow.h"

namespace fontprobe {

// The About dialog: modeless, at most one at a time, and independent of the
// main window once shown.
class frmAbout : public TopLevelWindow {
 public:
  struct Services {
    WindowsRegistry& registry;
    ProgramStart& programs;
    Browser& browser;
  };

  explicit frmAbout(Services services);
  ~frmAbout() override;

  // Opens a fresh dialog centred on the monitor of `opener`, at that monitor's
  // DPI, or brings the open one to the front.
  void Show(HWND opener);
  // Closes the dialog, if it is open, and lets go of everything it holds.
  void Close();

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Layout(UINT dpi) override;

  void CreateControls();
  void Paint();
  void DrawIcon(const DRAWITEMSTRUCT& item);
  void OnCommand(int id);
  void cmdSysInfo_Click();
  void Command1_Click();

  Services services_;
  HWND owner_ = nullptr;  // hidden, so that the dialog has no taskbar entry
  Win32MessageSink messages_{window_};
  GdiObject font_;
};

}  // namespace fontprobe
