// A scripted run of Fontprobe for scripts/run.sh: presses one test button as a
// person would, prints the message Fontprobe answers with, and closes the window.
#include <cstdio>
#include <string>

#include "app/Form1Controls.h"
#include "tests/support/WindowDriver.h"

int wmain(int argc, wchar_t** argv) {
  using namespace fontprobe;
  const std::wstring family = argc == 2 ? argv[1] : L"";
  if (family != L"epson" && family != L"pcl") return 2;
  testing::FontprobeProcess app;
  const auto box = testing::ClickAndAnswerMessageBox(
      app, app.control(family == L"epson" ? form1::kCommand1 : form1::kCommand2));
  std::printf("Fontprobe said: %ls\n", box.text.c_str());
  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  return app.WaitForExit() ? 0 : 1;
}
