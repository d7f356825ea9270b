// Runs under Wine inside the rig: drops synthetic scans on the real
// Fontprobe.exe's main window, as the shell does, and reads the windows and
// messages that answer. tests/app/dropped_scans.py made the scans and wrote
// beside each what the fontprobe command prints for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Form1Controls.h"
#include "app/ReadingControls.h"
#include "printing/TestPage.h"
#include "tests/support/CapturedJobs.h"
#include "tests/support/WindowDriver.h"

namespace fontprobe {
namespace {

using namespace testing;

std::wstring Scan(const std::wstring& name) {
  return WinePathFromEnv(L"FONTPROBE_SCANS") + L"\\" + name;
}

// What the command printed for each page of the file, as the reading's
// window shows it: the lines of the page, each ended by CR LF.
std::vector<std::wstring> CommandPages(const std::wstring& name) {
  std::ifstream in(std::filesystem::path(Scan(name + L".lines")));
  std::vector<std::wstring> pages;
  for (std::string line; std::getline(in, line);) {
    // A page starts with the file's name, which these names spell in ASCII.
    const std::wstring wide(line.begin(), line.end());
    if (wide == name || wide.rfind(name + L" (page ", 0) == 0) pages.emplace_back();
    if (!pages.empty()) pages.back() += wide + L"\r\n";
  }
  return pages;
}

// The DLLs the program file names in its import table, in lower case.
std::vector<std::string> ImportedDlls(const std::wstring& exe) {
  HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (!image) return {};
  const auto* base = reinterpret_cast<const BYTE*>(image);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  std::vector<std::string> names;
  for (const auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name; ++entry) {
    std::string name = reinterpret_cast<const char*>(base + entry->Name);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  FreeLibrary(image);
  return names;
}

bool Loaded(const AppProcess& app, const std::wstring& module) {
  const std::vector<std::wstring> modules = LoadedModules(app);
  return std::find(modules.begin(), modules.end(), module) != modules.end();
}

HWND WaitForReading(const AppProcess& app, const std::wstring& caption) {
  return app.WaitForTopLevel(reading::kWindowClass, caption.c_str(), 60s);
}

TEST(ReadingE2E, EachPageDroppedOpensAWindowWithTheCommandsLines) {
  // COM, WIC and the shell are loaded at the first drop, not at every start.
  // (Under Wine the X11 driver loads ole32 for itself.)
  const std::vector<std::string> imports = ImportedDlls(WinePathFromEnv(L"FONTPROBE_EXE"));
  EXPECT_NE(std::find(imports.begin(), imports.end(), "user32.dll"), imports.end());
  for (const char* late : {"ole32.dll", "shell32.dll", "windowscodecs.dll"}) {
    EXPECT_EQ(std::find(imports.begin(), imports.end(), late), imports.end()) << late;
  }
  FontprobeProcess app;
  EXPECT_FALSE(Loaded(app, L"windowscodecs.dll"));
  DropFiles(app, app.mainWindow(),
            {Scan(L"pcl-ocrb.png"), Scan(L"epson-none-then-pcl-ocrb.tiff"),
             Scan(L"sideways-photo.jpeg")});
  const struct {
    std::wstring file;
    std::size_t page;  // from 0
    std::wstring caption;
  } readings[] = {
      {L"pcl-ocrb.png", 0, L"pcl-ocrb.png - Fontprobe"},
      {L"epson-none-then-pcl-ocrb.tiff", 0, L"epson-none-then-pcl-ocrb.tiff - Fontprobe"},
      {L"epson-none-then-pcl-ocrb.tiff", 1, L"epson-none-then-pcl-ocrb.tiff (page 2) - Fontprobe"},
      {L"sideways-photo.jpeg", 0, L"sideways-photo.jpeg - Fontprobe"},
  };
  std::vector<HWND> windows;
  for (const auto& reading : readings) {
    SCOPED_TRACE(reading.caption);
    const std::vector<std::wstring> pages = CommandPages(reading.file);
    ASSERT_GT(pages.size(), reading.page);
    HWND window = WaitForReading(app, reading.caption);
    ASSERT_TRUE(window);
    EXPECT_EQ(GetWindow(window, GW_OWNER), app.mainWindow());
    HWND lines = GetDlgItem(window, reading::kLines);
    EXPECT_EQ(Text(lines), pages[reading.page]);
    EXPECT_TRUE(GetWindowLongW(lines, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(Text(GetDlgItem(window, reading::kClose)), L"Close");
    windows.push_back(window);
  }
  EXPECT_TRUE(Loaded(app, L"windowscodecs.dll"));

  // Esc, the Close button and the title bar's close button each end one;
  // the last goes with the main window.
  SetForegroundWindow(windows[0]);
  WaitFor(5s, [&] { return GetForegroundWindow() == windows[0]; });
  PressKey(app.FocusedWindow(), VK_ESCAPE);
  Click(GetDlgItem(windows[1], reading::kClose));
  PostMessageW(windows[2], WM_SYSCOMMAND, SC_CLOSE, 0);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(WaitFor(10s, [&] { return !IsWindow(windows[i]); })) << i;
  }
  EXPECT_TRUE(IsWindow(windows[3]));
  PostMessageW(app.mainWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor(10s, [&] { return !IsWindow(windows[3]); }));
  EXPECT_TRUE(app.WaitForExit());
}

TEST(ReadingE2E, AFileThatCannotBeReadGetsOneMessageAndPrintingGoesOn) {
  ForgetCapturedJobs();
  FontprobeProcess app;
  DropFiles(app, app.mainWindow(), {Scan(L"letter.txt"), Scan(L"blank.png"), Scan(L"scan.pdf")});
  const std::wstring messages[] = {
      L"letter.txt could not be read: it is not a picture Fontprobe can read (PNG, JPEG or "
      L"TIFF).",
      L"blank.png could not be read: the page is blank: nothing printed was found on it.",
      L"scan.pdf could not be read: it is a PDF, which Fontprobe for Windows cannot read: save "
      L"the scan as PNG, JPEG or TIFF, or read the PDF with the fontprobe command.",
  };
  for (const std::wstring& message : messages) {
    const MessageBoxSeen box = AnswerMessageBox(app);
    EXPECT_EQ(box.caption, L"Fontprobe");
    EXPECT_EQ(box.text, message);
    EXPECT_EQ(box.owner, app.mainWindow());
  }
  EXPECT_TRUE(app.TopLevelWindows(reading::kWindowClass).empty());

  const MessageBoxSeen printed = ClickAndAnswerMessageBox(app, app.control(form1::kCommand2));
  EXPECT_EQ(printed.text, L"Executed!");
  const std::vector<CapturedJob> jobs = WaitForCapturedJobs(1);
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].data, ComposeTestPage(PrinterFamily::Pcl));
}

// The window's controls where their twips put them: twips / 15 at 96 DPI,
// / 10 at 144.
void ExpectReadingLayout(HWND window, int twipsPerPixel) {
  const auto pixels = [&](int left, int top, int width, int height) {
    return RECT{left / twipsPerPixel, top / twipsPerPixel, (left + width) / twipsPerPixel,
                (top + height) / twipsPerPixel};
  };
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 10800 / twipsPerPixel);
  EXPECT_EQ(client.bottom, 9000 / twipsPerPixel);
  const struct {
    int id;
    RECT at;
  } controls[] = {
      {reading::kPicture, pixels(120, 120, 10560, 6360)},
      {reading::kLines, pixels(120, 6600, 10560, 1680)},
      {reading::kClose, pixels(9360, 8430, 1320, 420)},
  };
  for (const auto& control : controls) {
    const RECT at = RectInClient(GetDlgItem(window, control.id), window);
    EXPECT_TRUE(at.left == control.at.left && at.top == control.at.top &&
                at.right == control.at.right && at.bottom == control.at.bottom)
        << control.id << ": " << at.left << "," << at.top << "," << at.right << "," << at.bottom;
  }
}

// A scan dropped at the rig's DPI opens its window laid out for that DPI,
// with the command's lines.
void ExpectDroppedScanLaidOut(int twipsPerPixel) {
  FontprobeProcess app;
  DropFiles(app, app.mainWindow(), {Scan(L"pcl-ocrb.png")});
  HWND window = WaitForReading(app, L"pcl-ocrb.png - Fontprobe");
  ASSERT_TRUE(window);
  ExpectReadingLayout(window, twipsPerPixel);
  EXPECT_EQ(Text(GetDlgItem(window, reading::kLines)), CommandPages(L"pcl-ocrb.png")[0]);
}

TEST(ReadingE2E, TheWindowIsLaidOutInTwips) { ExpectDroppedScanLaidOut(15); }

TEST(ReadingAt144Dpi, TheWindowScalesWithTheDpi) { ExpectDroppedScanLaidOut(10); }

}  // namespace
}  // namespace fontprobe
