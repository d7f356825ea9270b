// Runs under Wine inside the rig: starts the real Fontprobe.exe and drives its
// main window from outside. The rig's queues: capture_a (default), capture_b,
// refusing (rejects jobs), Drucker_Büro.
#include <gtest/gtest.h>

#include <algorithm>

#include "about/AboutControls.h"
#include "app/Form1Controls.h"
#include "printing/TestPage.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/WindowDriver.h"

// Found by argument lookup, so they live beside RECT.
bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace fontprobe {
namespace {

using namespace form1;
using namespace testing;

struct PixelRect {
  int id;
  RECT at96;
  RECT at144;
};

// Each control's twips rectangle in pixels: twips / 15 at 96 DPI, / 10 at 144.
const PixelRect kControls[] = {
    {kImage1, {8, 8, 434, 86}, {12, 12, 651, 129}},
    {kLabel1, {8, 96, 433, 113}, {12, 144, 650, 170}},
    {kLabel2, {8, 120, 433, 161}, {12, 180, 650, 242}},
    {kLabel3, {48, 176, 89, 201}, {72, 264, 134, 302}},
    {kCombo1, {97, 176, 346, 200}, {145, 264, 519, 300}},
    {kCommand1, {128, 208, 208, 241}, {192, 312, 312, 362}},
    {kCommand2, {232, 208, 313, 241}, {348, 312, 470, 362}},
};

void ExpectControlsInPlace(const AppProcess& app, bool at144) {
  for (const PixelRect& control : kControls) {
    SCOPED_TRACE(control.id);
    EXPECT_EQ(RectInClient(app.control(control.id), app.mainWindow()),
              at144 ? control.at144 : control.at96);
  }
}

void ExpectLayout(const AppProcess& app, bool at144) {
  RECT client;
  GetClientRect(app.mainWindow(), &client);
  EXPECT_EQ(client, (at144 ? RECT{0, 0, 663, 374} : RECT{0, 0, 442, 249}));
  ExpectControlsInPlace(app, at144);
}

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override { ForgetCapturedJobs(); }
};

TEST_F(MainWindowE2E, StartsCentredWithItsControlsTextsAndFocus) {
  FontprobeProcess app;
  EXPECT_EQ(Text(app.mainWindow()), L"Fontprobe");
  ExpectLayout(app, false);

  RECT frame;
  GetWindowRect(app.mainWindow(), &frame);
  EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 1);
  EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 1);

  EXPECT_EQ(Text(app.control(kLabel1)), L"Fontprobe for printers. ");
  EXPECT_EQ(Text(app.control(kLabel2)),
            L"This tool try to print OCR-B font with printer integradet font! It shows you the "
            L"ESC-Sequence, wich was used to generate the testprint.");
  EXPECT_EQ(Text(app.control(kLabel3)), L"Printer:");
  // A screen reader names the chooser after the text right before it.
  EXPECT_EQ(GetWindow(app.control(kCombo1), GW_HWNDPREV), app.control(kLabel3));
  EXPECT_EQ(Text(app.control(kCommand1)), L"EpsonFX / IBM Proprinter");
  EXPECT_EQ(Text(app.control(kCommand2)), L"PCL");
  EXPECT_EQ(GetWindowLongW(app.control(kCommand1), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
  EXPECT_EQ(GetWindowLongW(app.control(kCommand2), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);

  EXPECT_EQ(app.FocusedWindow(), app.control(kCommand1));
  HWND next = GetNextDlgTabItem(app.mainWindow(), app.control(kCommand1), FALSE);
  EXPECT_EQ(next, app.control(kCombo1));
  next = GetNextDlgTabItem(app.mainWindow(), next, FALSE);
  EXPECT_EQ(next, app.control(kCommand2));
  EXPECT_EQ(GetNextDlgTabItem(app.mainWindow(), next, FALSE), app.control(kCommand1));

  // The Tab key itself moves the focus on, into the chooser's text field.
  PostMessageW(app.control(kCommand1), WM_KEYDOWN, VK_TAB, 0);
  app.Settle();
  EXPECT_EQ(GetParent(app.FocusedWindow()), app.control(kCombo1));
}

TEST_F(MainWindowE2E, ChooserListsTheQueuesInOrderWithTheDefaultSelected) {
  FontprobeProcess app;
  HWND combo = app.control(kCombo1);
  EXPECT_EQ(ComboItems(combo), (std::vector<std::wstring>{L"capture_a", L"capture_b",
                                                          L"Drucker_B\u00fcro", L"refusing"}));
  EXPECT_EQ(Text(combo), L"capture_a");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
}

// Takes the default printer away for as long as it lives.
class NoDefaultPrinter {
 public:
  NoDefaultPrinter() {
    RegGetValueW(HKEY_CURRENT_USER, kKey, L"Device", RRF_RT_REG_SZ, nullptr, saved_, &savedSize_);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Device");
  }
  ~NoDefaultPrinter() {
    RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Device", REG_SZ, saved_, savedSize_);
  }

 private:
  static constexpr wchar_t kKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  wchar_t saved_[512] = L"";
  DWORD savedSize_ = sizeof saved_;
};

TEST_F(MainWindowE2E, WithoutADefaultPrinterNothingIsSelected) {
  NoDefaultPrinter noDefault;
  wchar_t name[256];
  DWORD size = 256;
  ASSERT_FALSE(GetDefaultPrinterW(name, &size));
  FontprobeProcess app;
  HWND combo = app.control(kCombo1);
  EXPECT_EQ(ComboItems(combo).size(), 4u);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Text(combo), L"");  // the designer's placeholder never shows
}

TEST_F(MainWindowE2E, EachButtonSendsItsPageToTheChosenQueueOnly) {
  FontprobeProcess app;
  const struct {
    int button;
    PrinterFamily family;
  } presses[] = {{kCommand1, PrinterFamily::EpsonIbm}, {kCommand2, PrinterFamily::Pcl}};
  SetWindowTextW(app.control(kCombo1), L"capture_b");
  for (const auto& press : presses) {
    const MessageBoxSeen box = ClickAndAnswerMessageBox(app, app.control(press.button));
    EXPECT_EQ(box.caption, L"Fontprobe");
    EXPECT_EQ(box.text, L"Executed!");
    EXPECT_EQ(box.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_FALSE(box.hasIcon);
  }
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(2);
  ASSERT_EQ(jobs.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(jobs[i].queue, "capture_b");
    EXPECT_EQ(jobs[i].title, "Command Print");
    EXPECT_EQ(jobs[i].data, ComposeTestPage(presses[i].family));
  }
}

TEST_F(MainWindowE2E, TextsThatReachNoPrinterShowTheirMessageAndSendNothing) {
  const std::wstring notRecognized = L"The Printer Name you typed wasn't recognized.";
  const struct {
    std::wstring typed;
    int button;
    std::wstring message;
  } cases[] = {
      {L"Capture_b", kCommand2, notRecognized},
      {L"", kCommand1, notRecognized},
      {L"capture_b ", kCommand2, notRecognized},
      {L"\u65e5\u672c\tcapture\r\n", kCommand1, notRecognized},
      {std::wstring(3000, L'x'), kCommand2, notRecognized},
      {L"refusing", kCommand1, L"The test page could not be sent to the printer."},
  };
  FontprobeProcess app;
  for (const auto& c : cases) {
    SetWindowTextW(app.control(kCombo1), c.typed.c_str());
    const MessageBoxSeen box = ClickAndAnswerMessageBox(app, app.control(c.button));
    EXPECT_EQ(box.caption, L"Fontprobe");
    EXPECT_EQ(box.text, c.message);
  }
  EXPECT_TRUE(WaitForCapturedJobs(1, 1s).empty());
}

// Tab to PCL, Space, Enter closes the box, the focus is back on PCL, and Enter
// runs it again: the keyboard alone, as a person without a mouse would.
TEST_F(MainWindowE2E, TheKeyboardRunsATestAndComesBackToTheButton) {
  FontprobeProcess app;
  SetWindowTextW(app.control(kCombo1), L"capture_b");
  HWND pcl = app.control(kCommand2);
  for (int tab = 0; tab < 2 && app.FocusedWindow() != pcl; ++tab) {
    PressKey(app.FocusedWindow(), VK_TAB);
    app.Settle();
  }
  ASSERT_EQ(app.FocusedWindow(), pcl);

  PressKey(pcl, VK_SPACE);
  const MessageBoxSeen box = AnswerMessageBox(app, Answer::PressEnter);
  EXPECT_EQ(box.text, L"Executed!");
  EXPECT_EQ(box.owner, app.mainWindow());
  EXPECT_TRUE(WaitFor(5s, [&] { return app.FocusedWindow() == pcl; }));

  PressKey(pcl, VK_RETURN);
  EXPECT_EQ(AnswerMessageBox(app, Answer::PressEnter).text, L"Executed!");
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(2);
  ASSERT_EQ(jobs.size(), 2u);
  for (const CapturedJob& job : jobs) {
    EXPECT_EQ(job.queue, "capture_b");
    EXPECT_EQ(job.data, ComposeTestPage(PrinterFamily::Pcl));
  }
}

// Takes a queue away from CUPS for as long as it lives. Wine's list of printers
// is read from CUPS when a session's first program starts, so the queue stays
// listed: as a printer removed after the list was read.
class QueueRemovedFromCups {
 public:
  explicit QueueRemovedFromCups(std::string name) : name_(std::move(name)) {
    removed_ = RunOnHost({"lpadmin", "-x", name_});
  }
  ~QueueRemovedFromCups() { RunOnHost({"lpadmin", "-p", name_, "-E", "-v", "capture:/rig"}); }
  bool removed() const { return removed_; }

 private:
  std::string name_;
  bool removed_ = false;
};

TEST_F(MainWindowE2E, AListedPrinterRemovedBeforeTheClickGetsTheNotSentMessage) {
  FontprobeProcess app;
  const QueueRemovedFromCups gone("capture_b");
  ASSERT_TRUE(gone.removed());
  const auto items = ComboItems(app.control(kCombo1));
  ASSERT_NE(std::find(items.begin(), items.end(), L"capture_b"), items.end());
  SetWindowTextW(app.control(kCombo1), L"capture_b");
  EXPECT_EQ(ClickAndAnswerMessageBox(app, app.control(kCommand2)).text,
            L"The test page could not be sent to the printer.");
  EXPECT_TRUE(WaitForCapturedJobs(1, 1s).empty());
}

// The rig's print server stopped (SIGSTOP), as a spooler stalls when its print
// server has gone away, until Continue or the object's end.
class StalledSpooler {
 public:
  StalledSpooler() : stalled_(Signal("STOP")) {}
  ~StalledSpooler() { Continue(); }
  bool stalled() const { return stalled_; }
  void Continue() {
    if (stalled_) Signal("CONT");
    stalled_ = false;
  }

 private:
  static bool Signal(const std::string& name) {
    return RunOnHost(
        {"sh", "-c", "kill -" + name + " \"$(cat \"${FONTPROBE_RIG_JOBS%/jobs}/cupsd.pid\")\""});
  }
  bool stalled_;
};

// True when the window answers within 100 ms, as Windows asks before it calls
// a window "Not Responding".
bool Answers(HWND window) {
  wchar_t text[64];
  DWORD_PTR length = 0;
  return SendMessageTimeoutW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 100, &length) != 0;
}

// Asks the window every 50 ms for `time`; how many times it did not answer.
int TimesUnanswered(HWND window, std::chrono::milliseconds time) {
  int unanswered = 0;
  for (const auto end = std::chrono::steady_clock::now() + time;
       std::chrono::steady_clock::now() < end; Sleep(50)) {
    unanswered += !Answers(window);
  }
  return unanswered;
}

bool MessageBoxOpen(const AppProcess& app) { return !app.TopLevelWindows(L"#32770").empty(); }

// Moves the pointer over the middle of `window` and waits until it shows
// `cursor` (or, with `differs`, another); the program's handles to the
// system's cursors are its own, so the test compares with what it saw before.
bool PointerShows(HWND window, HCURSOR cursor, bool differs = false) {
  RECT rect;
  GetWindowRect(window, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  return WaitFor(3s, [&] {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    return GetCursorInfo(&info) && info.hCursor && (info.hCursor == cursor) != differs;
  });
}

HCURSOR Pointer() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  GetCursorInfo(&info);
  return info.hCursor;
}

TEST_F(MainWindowE2E, AStalledSpoolerLeavesTheWindowAnsweringAndGetsOnePage) {
  FontprobeProcess app;
  SetWindowTextW(app.control(kCombo1), L"capture_b");
  StalledSpooler stall;
  ASSERT_TRUE(stall.stalled());
  ASSERT_TRUE(PointerShows(app.control(kLabel2), nullptr, true));
  const HCURSOR arrow = Pointer();
  Click(app.control(kCommand2));
  // The pointer says the program is working while the window still answers.
  EXPECT_TRUE(PointerShows(app.control(kLabel2), arrow, true));
  EXPECT_EQ(TimesUnanswered(app.mainWindow(), 2s), 0);

  PostMessageW(app.mainWindow(), WM_COMMAND, kMenuAbout, 0);
  HWND about = app.WaitForTopLevel(about::kWindowClass, L"About Fontprobe");
  ASSERT_TRUE(about);
  EXPECT_TRUE(Answers(about));
  PostMessageW(about, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor(5s, [&] { return !IsWindow(about); }));

  // Presses while the page is on its way are ignored.
  Click(app.control(kCommand1));
  Click(app.control(kCommand2));
  app.Settle();
  EXPECT_EQ(TimesUnanswered(app.mainWindow(), 1s), 0);
  EXPECT_FALSE(MessageBoxOpen(app));  // the page is still stuck in the spooler
  EXPECT_TRUE(CapturedJobs().empty());

  stall.Continue();
  const MessageBoxSeen box = AnswerMessageBox(app);
  EXPECT_EQ(box.text, L"Executed!");
  EXPECT_EQ(box.owner, app.mainWindow());
  EXPECT_TRUE(PointerShows(app.control(kLabel2), arrow));
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].queue, "capture_b");
  EXPECT_EQ(jobs[0].data, ComposeTestPage(PrinterFamily::Pcl));
  EXPECT_FALSE(WaitFor(2s, [&] { return MessageBoxOpen(app); }));
}

// Closing the window with a page on its way: the window goes at once, nothing
// more is told, and the program ends once the page has gone whole, or, with a
// spooler that never answers, within its bound; the printer never gets part of
// a page.
TEST_F(MainWindowE2E, ClosingWithAPageOnItsWayEndsTheProgramWithoutAWord) {
  for (const bool spoolerComesBack : {true, false}) {
    SCOPED_TRACE(spoolerComesBack ? "the spooler comes back" : "the spooler never answers");
    ForgetCapturedJobs();
    FontprobeProcess app;
    StalledSpooler stall;
    ASSERT_TRUE(stall.stalled());
    Click(app.control(kCommand2));
    app.Settle();
    PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor(5s, [&] { return !IsWindow(app.mainWindow()); }));
    EXPECT_FALSE(app.WaitForExit(1s));
    if (spoolerComesBack) stall.Continue();
    bool told = false;
    const bool ended = WaitFor(25s, [&] {
      told = told || MessageBoxOpen(app);
      return app.WaitForExit(0ms);
    });
    EXPECT_TRUE(ended);
    EXPECT_FALSE(told);
    DWORD status = 1;
    GetExitCodeProcess(app.handle(), &status);
    EXPECT_EQ(status, 0u);
    stall.Continue();
    // Given up, the page may still print if the spooler had it whole.
    const std::vector<CapturedJob> jobs = WaitForCapturedJobs(1, spoolerComesBack ? 20s : 3s);
    if (spoolerComesBack) {
      EXPECT_EQ(jobs.size(), 1u);
    }
    EXPECT_LE(jobs.size(), 1u);
    for (const CapturedJob& job : jobs) EXPECT_EQ(job.data, ComposeTestPage(PrinterFamily::Pcl));
  }
}

TEST_F(MainWindowE2E, AResizedWindowKeepsItsControlsInPlace) {
  FontprobeProcess app;
  ShowWindow(app.mainWindow(), SW_MAXIMIZE);
  app.Settle();
  ExpectControlsInPlace(app, false);
  ShowWindow(app.mainWindow(), SW_RESTORE);
  SetWindowPos(app.mainWindow(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
  app.Settle();
  ExpectControlsInPlace(app, false);
}

// A picture's pixels as 24-bit colour, top row first.
std::vector<BYTE> Pixels24(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> pixels(static_cast<std::size_t>((width * 3 + 3) & ~3) * height);
  GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

// The banner on the screen is the program's logo in 24-bit colour, pixel for
// pixel, at its natural size.
TEST_F(MainWindowE2E, ShowsTheLogoAtItsNaturalSizeInFullColour) {
  FontprobeProcess app;
  app.Settle();
  RECT logo;
  GetWindowRect(app.control(kImage1), &logo);
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP shown = CreateCompatibleBitmap(screen, 426, 78);
  HMODULE file =
      LoadLibraryExW(WinePathFromEnv(L"FONTPROBE_EXE").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  auto* stored = static_cast<HBITMAP>(
      LoadImageW(file, MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  const std::vector<BYTE> want = Pixels24(screen, stored, 426, 78);
  auto onScreen = [&] {
    HGDIOBJ previous = SelectObject(copy, shown);
    BitBlt(copy, 0, 0, 426, 78, screen, logo.left, logo.top, SRCCOPY);
    SelectObject(copy, previous);  // GetDIBits reads a bitmap no DC holds
    return Pixels24(screen, shown, 426, 78);
  };
  // The first pixels painted are not yet the whole banner: it has the time
  // the window takes to paint it, and must then be the logo to the pixel.
  EXPECT_TRUE(WaitFor(5s, [&] { return onScreen() == want; }));
  // Three colours, none of them lost to a palette of the screen's.
  std::vector<COLORREF> colours;
  for (std::size_t row = 0; row < 78; ++row) {
    for (std::size_t x = 0; x < 426; ++x) {
      const BYTE* pixel = &want[row * 1280 + x * 3];  // rows padded to four bytes
      const COLORREF colour = RGB(pixel[2], pixel[1], pixel[0]);
      if (std::find(colours.begin(), colours.end(), colour) == colours.end()) {
        colours.push_back(colour);
      }
    }
  }
  EXPECT_EQ(colours.size(), 3u);
  DeleteObject(stored);
  FreeLibrary(file);
  DeleteObject(shown);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
}

TEST_F(MainWindowE2E, FileExitEndsTheProgram) {
  FontprobeProcess app;
  PostMessageW(app.mainWindow(), WM_COMMAND, kMenuExit, 0);
  EXPECT_TRUE(app.WaitForExit());
}

TEST_F(MainWindowE2E, ClosingTheWindowEndsTheProgram) {
  FontprobeProcess app;
  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitForExit());
}

// Run in a rig whose prefix is set to 144 DPI.
TEST(MainWindowAt144Dpi, ScalesEveryControlWithTheDpi) {
  ASSERT_EQ(GetDpiForSystem(), 144u);
  FontprobeProcess app;
  ExpectLayout(app, true);
}

}  // namespace
}  // namespace fontprobe

namespace fontprobe {
namespace {

std::wstring VersionString(const std::vector<BYTE>& record, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return L"<missing>";
  }
  return std::wstring(value, length ? length - 1 : 0);
}

TEST(ProgramFile, CarriesItsVersionRecordIconAndLogo) {
  const std::wstring exe = testing::WinePathFromEnv(L"FONTPROBE_EXE");
  std::vector<BYTE> record(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  ASSERT_FALSE(record.empty());
  ASSERT_TRUE(
      GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  DWORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(*translation, 0x04B00409u);
  EXPECT_EQ(VersionString(record, L"ProductName"), L"Fontprobe");
  EXPECT_EQ(VersionString(record, L"FileVersion"), L"1.00");
  EXPECT_EQ(VersionString(record, L"ProductVersion"), L"1.00");
  EXPECT_EQ(VersionString(record, L"InternalName"), L"Fontprobe");
  EXPECT_EQ(VersionString(record, L"OriginalFilename"), L"Fontprobe.exe");

  HMODULE file = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(file);
  // One image for each size Windows asks for, 256 pixels written as 0.
  HRSRC group = FindResourceW(file, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
  ASSERT_TRUE(group);
  const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(file, group)));
  std::vector<int> sizes;
  const int count = directory[4] | directory[5] << 8;
  for (int i = 0; i < count; ++i) sizes.push_back(directory[6 + 14 * i]);
  EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 48, 0}));
  HICON icon = static_cast<HICON>(LoadImageW(file, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0));
  EXPECT_TRUE(icon);
  ICONINFO iconInfo{};
  ASSERT_TRUE(GetIconInfo(icon, &iconInfo));
  EXPECT_TRUE(iconInfo.hbmMask);
  BITMAP colour{};
  GetObjectW(iconInfo.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, 32);
  HBITMAP logo = static_cast<HBITMAP>(
      LoadImageW(file, MAKEINTRESOURCEW(101), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP logoInfo{};
  ASSERT_TRUE(GetObjectW(logo, sizeof logoInfo, &logoInfo));
  EXPECT_EQ(logoInfo.bmWidth, 426);
  EXPECT_EQ(logoInfo.bmHeight, 78);
  DeleteObject(logo);
  DeleteObject(iconInfo.hbmColor);
  DeleteObject(iconInfo.hbmMask);
  DestroyIcon(icon);
  FreeLibrary(file);
}

}  // namespace
}  // namespace fontprobe
