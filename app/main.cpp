#include <windows.h>

#include <chrono>

#include "about/frmAbout.h"
#include "app/DroppedScans.h"
#include "app/Form1.h"
#include "platform/PlatformError.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Browser.h"
#include "platform/win32/Win32PrinterRegistry.h"
#include "platform/win32/Win32ProgramStart.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Spooler.h"
#include "platform/win32/Win32WorkThread.h"

namespace {

// How long a page on its way when the last window closed may still take.
constexpr std::chrono::seconds kLastPageTime{15};

// Every window gets dialog-style keyboard navigation (Tab, arrows, Enter, Esc).
int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // The manifest asks for this already; a system that refuses the call (Wine
  // sets the awareness itself) leaves the program just as sharp.
  SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

  fontprobe::Win32PrinterRegistry registry;
  fontprobe::Win32Spooler spooler;
  fontprobe::Win32Registry windowsRegistry;
  fontprobe::Win32ProgramStart programs;
  fontprobe::Win32Browser browser;
  fontprobe::Win32WorkThread testThread;
  fontprobe::BackgroundTestRun testRun(registry, spooler, testThread);
  fontprobe::frmAbout about({windowsRegistry, programs, browser});
  fontprobe::DroppedScans scans;
  fontprobe::Form1 form1(
      {registry, testRun, [&about](HWND opener) { about.Show(opener); },
       [&about] { about.Close(); },
       [&scans](HWND owner, const std::vector<std::wstring>& paths,
                fontprobe::MessageSink& messages) { scans.Read(owner, paths, messages); }});
  try {
    form1.Show(showCommand);
  } catch (const fontprobe::PlatformError& error) {
    // Without its window the program could do nothing: say so and end.
    MessageBoxW(nullptr, fontprobe::ToWide(error.message()).c_str(), L"Fontprobe", MB_OK);
    return 1;
  }
  const int status = RunMessageLoop();
  // A page on its way when the window closed is handed over whole, or given
  // up whole, before the program ends; a spooler that never answers cannot
  // keep a program without windows alive, nor have it told anything.
  if (!testRun.Finish(kLastPageTime)) TerminateProcess(GetCurrentProcess(), status);
  return status;
}
