// Runs under Wine inside the rig, with this program's standard error kept in the
// trace file: drives the real Fontprobe.exe with Wine's trace channels on and
// checks what it asked of Windows, which the rig cannot see in the captured
// bytes (the capture queues take a page whatever its datatype, and Wine does
// not enforce registry access rights).
#include <gtest/gtest.h>

#include "about/AboutControls.h"
#include "app/Form1Controls.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/WindowDriver.h"
#include "tests/support/WineTrace.h"

namespace fontprobe {
namespace {

using namespace testing;

// The spooler applies the printer's default datatype (often EMF or TEXT) to a
// document that names none, and renders or drops the page.
TEST(Win32CallsE2E, EveryTestPageStartsARawDocument) {
  ForgetCapturedJobs();
  WineTraceOn trace(L"+localspl");
  FontprobeProcess app;
  SetWindowTextW(app.control(form1::kCombo1), L"capture_b");
  for (int button : {form1::kCommand1, form1::kCommand2}) {
    EXPECT_EQ(ClickAndAnswerMessageBox(app, app.control(button)).text, L"Executed!");
  }
  ASSERT_EQ(WaitForCapturedJobs(2).size(), 2u);

  std::vector<std::string> documents;
  for (const std::string& call : TracedCalls(app.processId(), "fpStartDocPrinter")) {
    // Wine logs its own hand-over to CUPS as a second start, with an output file.
    if (call.find("pOutputFile = (null)") != std::string::npos) documents.push_back(call);
  }
  ASSERT_EQ(documents.size(), 2u) << "one document start a page, as Fontprobe made them";
  for (const std::string& document : documents) {
    EXPECT_NE(document.find("pDocName = L\"Command Print\""), std::string::npos) << document;
    EXPECT_NE(document.find("pDatatype = L\"RAW\""), std::string::npos) << document;
  }
}

// A standard user is refused write access under HKEY_LOCAL_MACHINE, so a key
// opened for more than reading would make System Information "unavailable".
TEST(Win32CallsE2E, SystemInformationKeysAreOpenedForReadingOnly) {
  // With neither entry present, both keys are tried.
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH");
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO");
  WineTraceOn trace(L"+reg");
  FontprobeProcess app;
  PostMessageW(app.mainWindow(), WM_COMMAND, form1::kMenuAbout, 0);
  HWND dialog = app.WaitForTopLevel(about::kWindowClass, L"About Fontprobe");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ClickAndAnswerMessageBox(app, GetDlgItem(dialog, about::kCmdSysInfo)).text,
            L"System Information Is Unavailable At This Time");

  std::vector<std::string> opens;
  for (const char* function : {"NtOpenKeyEx", "NtCreateKey"}) {
    for (std::string& call : TracedCalls(app.processId(), function)) {
      if (call.find("Shared Tools") != std::string::npos) opens.push_back(function + (" " + call));
    }
  }
  ASSERT_EQ(opens.size(), 2u) << "one open of each System Information key";
  constexpr unsigned long kReadOnly = KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY;
  for (const std::string& open : opens) {
    SCOPED_TRACE(open);
    ASSERT_EQ(open.rfind("NtOpenKeyEx (", 0), 0u) << "the key is opened, never created";
    // NtOpenKeyEx (ROOT,L"NAME",ACCESS,RESULT): the access mask in hex.
    const auto access = open.find("\",") + 2;
    const unsigned long mask = std::stoul(open.substr(access), nullptr, 16);
    EXPECT_EQ(mask & ~kReadOnly, 0u) << "access " << std::hex << mask;
  }
}

}  // namespace
}  // namespace fontprobe
