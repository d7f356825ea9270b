#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/Win32MessageSink.h"
#include "printers/PrinterRegistry.h"
#include "printing/BackgroundTestRun.h"
#include "printing/TestPage.h"
#include "ui/TopLevelWindow.h"

namespace fontprobe {

// The main window: the printer chooser, the two test buttons, the explanatory
// texts, the logo and the menus. Scans dropped on it are read.
class Form1 : public TopLevelWindow {
 public:
  struct Services {
    PrinterRegistry& registry;
    // Hands the pages to the spooler off the window's thread.
    BackgroundTestRun& testRun;
    std::function<void(HWND opener)> showAbout;
    std::function<void()> closeAbout;
    // Reads the files dropped on the window, telling through its message boxes.
    std::function<void(HWND owner, const std::vector<std::wstring>& paths, MessageSink& messages)>
        readScans;
  };

  explicit Form1(Services services);

  // Creates the window, fills the chooser and shows the window centred; throws
  // PlatformError when the window cannot be created.
  void Show(int showCommand);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Layout(UINT dpi) override;
  void OnClosed() override;

  void CreateControls();
  void FitDroppedWidth();
  void Paint();
  void DrawLogo(const DRAWITEMSTRUCT& item);
  void OnCommand(int id, int notification);
  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void RunTest(PrinterFamily family);
  void OnTestRunEnded(TestRunEnd& end);
  void ShowCursorForState();
  void OnDrop(HDROP drop);

  Services services_;
  Win32MessageSink messages_{window_};
  GdiObject defaultFont_;
  GdiObject largeFont_;
  GdiObject logo_;  // made for logoDpi_ from the 96-DPI resource
  UINT logoDpi_ = 0;
  // Where a test run's end is posted from the run's thread; null once the
  // window is gone, so that nothing is told after it.
  std::atomic<HWND> runEndsTo_ = nullptr;
};

}  // namespace fontprobe
