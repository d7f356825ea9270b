#pragma once

#include <windows.h>

#include <functional>

#include "platform/PrinterRegistry.h"
#include "platform/Spooler.h"
#include "platform/win32/Win32MessageSink.h"
#include "printing/TestPage.h"
#include "ui/Win32Ui.h"

namespace fontprobe {

// The main window: the printer chooser, the two test buttons, the explanatory
// texts, the logo and the menus.
class Form1 {
 public:
  struct Services {
    PrinterRegistry& registry;
    Spooler& spooler;
    std::function<void(HWND opener)> showAbout;
    std::function<void()> closeAbout;
  };

  explicit Form1(Services services);
  ~Form1();
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Creates the window, fills the chooser and shows the window centred; throws
  // PlatformError when the window cannot be created.
  void Show(int showCommand);

 private:
  friend LRESULT CALLBACK ObjectWindowProc<Form1>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void Layout(UINT dpi);
  void FitDroppedWidth();
  void Paint();
  void DrawLogo(const DRAWITEMSTRUCT& item);
  void OnCommand(int id, int notification);
  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void RunTest(PrinterFamily family);

  Services services_;
  HWND window_ = nullptr;
  Win32MessageSink messages_{window_};
  FocusKeeper focus_;
  UINT dpi_ = GetDpiForSystem();
  GdiObject defaultFont_;
  GdiObject largeFont_;
  GdiObject logo_;  // made for logoDpi_ from the 96-DPI resource
  UINT logoDpi_ = 0;
};

}  // namespace fontprobe
