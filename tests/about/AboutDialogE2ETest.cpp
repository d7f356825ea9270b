// Runs under Wine inside the rig: opens the About dialog of the real
// Fontprobe.exe and drives it from outside.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "about/AboutControls.h"
#include "app/Form1Controls.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/WindowDriver.h"

namespace fontprobe {
namespace {

using namespace testing;
namespace fs = std::filesystem;

// The build's home-page setting, handed to this test by the build.
constexpr wchar_t kHomePage[] = L"" FONTPROBE_HOME_PAGE;

struct PixelRect {
  int id;
  RECT at96;
  RECT at144;
};

// Each control's twips rectangle in pixels: twips / 15 at 96 DPI, / 10 at 144.
const PixelRect kControls[] = {
    {about::kPicIcon, {16, 16, 52, 52}, {24, 24, 78, 78}},
    {about::kLblTitle, {70, 16, 329, 48}, {105, 24, 494, 72}},
    {about::kVersion, {70, 52, 329, 67}, {105, 78, 494, 101}},
    {about::kLblDescription, {70, 75, 329, 153}, {105, 113, 494, 230}},
    {about::kCmdOK, {283, 175, 367, 198}, {425, 263, 551, 298}},
    {about::kCommand1, {64, 192, 257, 225}, {96, 288, 386, 338}},
    {about::kCmdSysInfo, {284, 205, 367, 228}, {426, 308, 551, 343}},
};

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// "Version MAJOR.MINOR" as the program file's version record gives it.
std::wstring VersionInTheRecord() {
  const std::wstring exe = WinePathFromEnv(L"FONTPROBE_EXE");
  std::vector<BYTE> record(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (record.empty() ||
      !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(record.size()), record.data()) ||
      !VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
    return L"<no version record>";
  }
  return L"Version " + std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
         std::to_wstring(LOWORD(fixed->dwFileVersionMS));
}

HWND OpenAbout(const AppProcess& app) {
  PostMessageW(app.mainWindow(), WM_COMMAND, form1::kMenuAbout, 0);
  return app.WaitForTopLevel(about::kWindowClass, L"About Fontprobe");
}

bool WaitUntilGone(HWND window) {
  return WaitFor(5s, [&] { return !IsWindow(window); });
}

void ExpectLayout(HWND dialog, bool at144) {
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_TRUE(SameRect(client, at144 ? RECT{0, 0, 573, 356} : RECT{0, 0, 382, 237}));
  for (const PixelRect& control : kControls) {
    SCOPED_TRACE(control.id);
    const RECT actual = RectInClient(GetDlgItem(dialog, control.id), dialog);
    const RECT& expected = at144 ? control.at144 : control.at96;
    EXPECT_TRUE(SameRect(actual, expected))
        << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom;
  }
}

TEST(AboutDialogE2E, MenuTwiceAndLogoLeaveExactlyOneDialog) {
  FontprobeProcess app;
  ASSERT_TRUE(OpenAbout(app));
  ASSERT_TRUE(OpenAbout(app));
  HWND logo = app.control(form1::kImage1);
  PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  app.Settle();
  EXPECT_EQ(app.TopLevelWindows(about::kWindowClass).size(), 1u);
}

TEST(AboutDialogE2E, LogoAloneOpensIt) {
  FontprobeProcess app;
  HWND logo = app.control(form1::kImage1);
  PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(app.WaitForTopLevel(about::kWindowClass, L"About Fontprobe"));
}

TEST(AboutDialogE2E, ShowsItsTextsLayoutAndFocusWithoutBlockingTheMainWindow) {
  FontprobeProcess app;
  HWND dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  ExpectLayout(dialog, false);
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kLblTitle)), L"Fontprobe for Printers");
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kVersion)), L"Version 1.0");
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kVersion)), VersionInTheRecord());
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kLblDescription)),
            L"Send teststring to printer to check its OCR-B ability. ");
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kCmdOK)), L"OK");
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kCmdSysInfo)), L"&System Info...");
  EXPECT_EQ(Text(GetDlgItem(dialog, about::kCommand1)), kHomePage);

  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  HWND owner = GetWindow(dialog, GW_OWNER);
  EXPECT_NE(owner, app.mainWindow());
  EXPECT_FALSE(owner && IsWindowVisible(owner));
  EXPECT_TRUE(IsWindowEnabled(app.mainWindow()));

  EXPECT_EQ(app.FocusedWindow(), GetDlgItem(dialog, about::kCmdOK));
  HWND next = GetNextDlgTabItem(dialog, GetDlgItem(dialog, about::kCmdOK), FALSE);
  EXPECT_EQ(next, GetDlgItem(dialog, about::kCmdSysInfo));
  next = GetNextDlgTabItem(dialog, next, FALSE);
  EXPECT_EQ(next, GetDlgItem(dialog, about::kCommand1));
  EXPECT_EQ(GetNextDlgTabItem(dialog, next, FALSE), GetDlgItem(dialog, about::kCmdOK));
}

TEST(AboutDialogE2E, EscOkAndTheCloseButtonCloseItAndAFreshOneHasTheFocusOnOk) {
  FontprobeProcess app;
  HWND dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  PostMessageW(GetDlgItem(dialog, about::kCommand1), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntilGone(dialog));

  dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(app.FocusedWindow(), GetDlgItem(dialog, about::kCmdOK));
  Click(GetDlgItem(dialog, about::kCmdOK));
  EXPECT_TRUE(WaitUntilGone(dialog));

  dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(dialog));
  EXPECT_TRUE(IsWindow(app.mainWindow()));
}

TEST(AboutDialogE2E, FileExitClosesBothWindows) {
  FontprobeProcess app;
  ASSERT_TRUE(OpenAbout(app));
  PostMessageW(app.mainWindow(), WM_COMMAND, form1::kMenuExit, 0);
  EXPECT_TRUE(app.WaitForExit());
}

TEST(AboutDialogE2E, TheProgramRunsUntilTheLastWindowCloses) {
  FontprobeProcess app;
  HWND dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntilGone(app.mainWindow()));
  EXPECT_FALSE(app.WaitForExit(500ms));
  EXPECT_TRUE(IsWindowVisible(dialog));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitForExit());
}

TEST(AboutDialogE2E, TheWebButtonHandsTheAddressToTheBrowserOncePerClick) {
  const fs::path visits = WinePathFromEnv(L"FONTPROBE_RIG_BROWSER_VISITS");
  fs::remove(visits);
  FontprobeProcess app;
  HWND dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  Click(GetDlgItem(dialog, about::kCommand1));
  Click(GetDlgItem(dialog, about::kCommand1));
  const auto visitCount = [&] {
    const std::string seen = ReadAll(visits);
    return std::count(seen.begin(), seen.end(), '\n');
  };
  WaitFor(10s, [&] { return visitCount() >= 2; });
  Sleep(500);  // a third visit would show by now
  const std::string address = FONTPROBE_HOME_PAGE "\n";
  EXPECT_EQ(ReadAll(visits), address + address);
  EXPECT_TRUE(IsWindow(dialog));
}

// Registry entries and program files for System Information, undone afterwards.
class SysInfoE2E : public ::testing::Test {
 protected:
  static constexpr wchar_t kEntry1[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  static constexpr wchar_t kEntry2[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";

  void SetUp() override {
    log_ = fs::temp_directory_path() / L"fontprobe-probe.log";
    fs::remove(log_);
    SetEnvironmentVariableW(L"FONTPROBE_PROBE_LOG", log_.c_str());
    ClearEntries();
  }
  void TearDown() override {
    ClearEntries();
    for (const fs::path& file : installed_) fs::remove(file);
  }

  void ClearEntries() {
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kEntry1, L"PATH");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kEntry2, L"MSINFO");
  }
  void SetEntry(const wchar_t* key, const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, value.c_str(),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  // Puts a copy of the probe program at `path`.
  void Install(const fs::path& path) {
    fs::create_directories(path.parent_path());
    fs::copy_file(WinePathFromEnv(L"FONTPROBE_SYSINFO_PROBE"), path,
                  fs::copy_options::overwrite_existing);
    installed_.push_back(path);
  }

  // Presses System Info; returns the programs started and whether the
  // unavailable message came.
  std::pair<std::wstring, bool> PressSysInfo() {
    FontprobeProcess app;
    HWND dialog = OpenAbout(app);
    if (!dialog) return {L"<no dialog>", false};
    Click(GetDlgItem(dialog, about::kCmdSysInfo));
    bool unavailable = false;
    for (int i = 0; i < 300; ++i) {
      if (fs::exists(log_)) break;
      if (!app.TopLevelWindows(L"#32770").empty()) {
        const MessageBoxSeen box = AnswerMessageBox(app);
        unavailable = box.text == L"System Information Is Unavailable At This Time" &&
                      box.caption == L"Fontprobe";
        break;
      }
      Sleep(10);
    }
    Sleep(500);  // a second, wrong start would show by now
    const std::string bytes = ReadAll(log_);
    std::wstring started(reinterpret_cast<const wchar_t*>(bytes.data()),
                         bytes.size() / sizeof(wchar_t));
    return {started, unavailable};
  }

  fs::path log_;
  std::vector<fs::path> installed_;
};

TEST_F(SysInfoE2E, Entry1StartsTheProgramItNames) {
  Install(L"C:\\Fontprobe Tools\\msinfo-one.exe");
  SetEntry(kEntry1, L"PATH", L"C:\\Fontprobe Tools\\msinfo-one.exe");
  EXPECT_EQ(PressSysInfo(),
            std::make_pair(std::wstring(L"C:\\Fontprobe Tools\\msinfo-one.exe\n"), false));
}

TEST_F(SysInfoE2E, Entry2StartsMsinfo32InItsFolder) {
  Install(L"C:\\Fontprobe Info\\MSINFO32.EXE");
  SetEntry(kEntry2, L"MSINFO", L"C:\\Fontprobe Info");
  EXPECT_EQ(PressSysInfo(),
            std::make_pair(std::wstring(L"C:\\Fontprobe Info\\MSINFO32.EXE\n"), false));
}

TEST_F(SysInfoE2E, Entry1NamingAMissingFileShowsTheMessageWithoutTryingEntry2) {
  Install(L"C:\\Fontprobe Info\\MSINFO32.EXE");
  SetEntry(kEntry1, L"PATH", L"C:\\Fontprobe Tools\\gone.exe");
  SetEntry(kEntry2, L"MSINFO", L"C:\\Fontprobe Info");
  EXPECT_EQ(PressSysInfo(), std::make_pair(std::wstring(), true));
}

TEST_F(SysInfoE2E, WithNeitherEntryTheMessageShows) {
  EXPECT_EQ(PressSysInfo(), std::make_pair(std::wstring(), true));
}

TEST_F(SysInfoE2E, APathWithSpacesStartsThatProgramNeverTheDecoy) {
  Install(L"C:\\Program.exe");
  Install(L"C:\\Program Files\\Fontprobe Info\\msinfo32.exe");
  SetEntry(kEntry1, L"PATH", L"C:\\Program Files\\Fontprobe Info\\msinfo32.exe");
  EXPECT_EQ(
      PressSysInfo(),
      std::make_pair(std::wstring(L"C:\\Program Files\\Fontprobe Info\\msinfo32.exe\n"), false));
}

// Run in a rig whose prefix is set to 144 DPI.
TEST(AboutDialogAt144Dpi, ScalesEveryControlWithTheDpi) {
  ASSERT_EQ(GetDpiForSystem(), 144u);
  FontprobeProcess app;
  HWND dialog = OpenAbout(app);
  ASSERT_TRUE(dialog);
  ExpectLayout(dialog, true);
  // Centred on the screen its opener is on.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(app.mainWindow(), MONITOR_DEFAULTTONEAREST), &monitor);
  RECT frame;
  GetWindowRect(dialog, &frame);
  EXPECT_NEAR(frame.left + frame.right, monitor.rcMonitor.left + monitor.rcMonitor.right, 1);
  EXPECT_NEAR(frame.top + frame.bottom, monitor.rcMonitor.top + monitor.rcMonitor.bottom, 1);
}

}  // namespace
}  // namespace fontprobe
