// Runs under Wine inside the rig: drops synthetic scans on the real
// Fontprobe.exe's main window, as the shell does, and reads the windows and
// messages that answer. tests/app/dropped_scans.py made the scans and wrote
// beside each what the fontprobe command prints for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "app/Form1Controls.h"
#include "app/ReadingControls.h"
#include "platform/win32/WicPicture.h"
#include "printing/TestPage.h"
#include "reading/Annotate.h"
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
  // The focus follows the activation a moment later: Esc goes to where it is.
  WaitFor(5s, [&] {
    return GetForegroundWindow() == windows[0] &&
           GetAncestor(app.FocusedWindow(), GA_ROOT) == windows[0];
  });
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
  EXPECT_EQ(client.bottom, 9300 / twipsPerPixel);
  const struct {
    int id;
    RECT at;
  } controls[] = {
      {reading::kPicture, pixels(120, 120, 10560, 7200)},
      {reading::kLines, pixels(120, 7440, 9120, 1740)},
      {reading::kClose, pixels(9360, 8760, 1320, 420)},
  };
  for (const auto& control : controls) {
    const RECT at = RectInClient(GetDlgItem(window, control.id), window);
    EXPECT_TRUE(at.left == control.at.left && at.top == control.at.top &&
                at.right == control.at.right && at.bottom == control.at.bottom)
        << control.id << ": " << at.left << "," << at.top << "," << at.right << "," << at.bottom;
  }
}

// A picture as 0xRRGGBB values, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> rgb;

  std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
  bool operator==(const Pixels&) const = default;
};

Pixels FromBitmap(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  Pixels pixels{width, height,
                std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
  GetDIBits(dc, bitmap, 0, height, pixels.rgb.data(), &info, DIB_RGB_COLORS);
  for (std::uint32_t& pixel : pixels.rgb) pixel &= 0xffffff;  // blue in the low byte
  return pixels;
}

// What the screen shows in `rect`.
Pixels OnScreen(const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(copy, previous);
  Pixels pixels = FromBitmap(screen, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  return pixels;
}

Pixels FromBmpFile(const std::wstring& path) {
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) return {};
  BITMAP size{};
  GetObjectW(bitmap, sizeof size, &size);
  HDC screen = GetDC(nullptr);
  Pixels pixels = FromBitmap(screen, bitmap, size.bmWidth, size.bmHeight);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  return pixels;
}

Pixels FromImage(const RgbImage& image) {
  Pixels pixels{image.width, image.height, {}};
  for (std::size_t i = 0; i < image.pixels.size(); i += 3) {
    pixels.rgb.push_back(static_cast<std::uint32_t>(
        image.pixels[i] << 16 | image.pixels[i + 1] << 8 | image.pixels[i + 2]));
  }
  return pixels;
}

Pixels Part(const Pixels& from, int left, int top, int width, int height) {
  Pixels part{width, height, {}};
  for (int y = top; y < top + height; ++y) {
    for (int x = left; x < left + width; ++x) {
      part.rgb.push_back(x < from.width && y < from.height ? from.At(x, y) : 0xff00ff);
    }
  }
  return part;
}

// The height of the first line of black letters from the top, in the left
// half of `shown`, where the verdict stands beside the page's small picture.
int FirstBlackLineHeight(const Pixels& shown) {
  const auto black = [&](int y) {
    for (int x = 0; x < shown.width / 2; ++x) {
      if (shown.At(x, y) == 0) return true;
    }
    return false;
  };
  int y = 0;
  while (y < shown.height && !black(y)) ++y;
  const int top = y;
  while (y < shown.height && black(y)) ++y;
  return y - top;
}

// From the first to the last row of `rect` in `shown` that holds `colour`.
int InkedHeight(const Pixels& shown, const PixelRect& rect, std::uint32_t colour) {
  int first = -1, last = -1;
  for (int y = rect.top; y < rect.Bottom() && y < shown.height; ++y) {
    for (int x = rect.left; x < rect.Right() && x < shown.width; ++x) {
      if (shown.At(x, y) != colour) continue;
      if (first < 0) first = y;
      last = y;
      break;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

// A text whose letters reach from the top of the pixel font to its baseline.
bool FullHeight(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    return std::isupper(static_cast<unsigned char>(c)) ||
           std::isdigit(static_cast<unsigned char>(c)) || std::strchr("bdfhklt", c);
  });
}

// The picture of a page dropped on the window, as the window shows it at `dpi`:
// at the top of its box, whole and at its own size (the one the reader draws
// for that DPI, pixel for pixel; at 96 DPI the very picture `--annotate`
// writes), its verdict in large type and every text at least 12 pixels high
// on the screen.
void ExpectPictureShownForLooking(HWND window, const std::wstring& scan, int page, UINT dpi) {
  SCOPED_TRACE(scan);
  const std::unique_ptr<PictureFile> pictures = OpenWicPicture(Scan(scan));
  std::optional<PicturePage> decoded;
  for (int i = 0; i < page; ++i) decoded = pictures->NextPage();
  ASSERT_TRUE(decoded);
  const PageReading reading = ReadTestPage(decoded->image.View(), decoded->dotsPerInch);
  const PageAnnotation annotation = AnnotationOf(decoded->image.View(), reading);
  const double scale = dpi / 96.0;
  const Pixels drawn = FromImage(DrawAnnotation(annotation, scale));
  if (dpi == 96) {
    const std::wstring written = Scan(scan + L".annotated-" + std::to_wstring(page) + L".bmp");
    EXPECT_TRUE(FromBmpFile(written) == drawn) << "the window's picture is not the file's";
  }

  RECT box;
  GetWindowRect(GetDlgItem(window, reading::kPicture), &box);
  const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
  EXPECT_LE(drawn.width, boxWidth);
  EXPECT_LE(drawn.height, boxHeight);
  EXPECT_GE(drawn.width * 100, boxWidth * 95) << "a picture much narrower than its box";
  Pixels shown;
  const int left = (boxWidth - drawn.width) / 2;
  const bool same = WaitFor(10s, [&] {
    shown = OnScreen(box);
    return Part(shown, left, 0, drawn.width, drawn.height) == drawn;
  });
  EXPECT_TRUE(same) << "the screen does not show the picture at its own size";
  const Pixels picture = Part(shown, left, 0, drawn.width, drawn.height);

  // Large: three sixteenths of an inch, 18 pixels at 96 DPI.
  EXPECT_GE(FirstBlackLineHeight(picture) * 16, static_cast<int>(dpi) * 3);
  const AnnotationLayout layout = LayOut(annotation, scale);
  ASSERT_GT(layout.texts.size(), layout.verdictLines);
  for (const PlacedText& text : layout.texts) {
    if (!FullHeight(text.text)) continue;
    const auto colour = static_cast<std::uint32_t>(text.colour.red << 16 | text.colour.green << 8 |
                                                   text.colour.blue);
    EXPECT_GE(InkedHeight(picture, text.at, colour), 12) << text.text;
  }
}

// A scan dropped at the rig's DPI opens its window laid out for that DPI,
// with the command's lines and the picture that shows why drawn for it. Then
// the Epson page of a two-page file, the tallest picture, once the later
// page's window that covers it has closed.
void ExpectDroppedScanLaidOut(int twipsPerPixel) {
  const UINT dpi = 1440 / twipsPerPixel;
  FontprobeProcess app;
  DropFiles(app, app.mainWindow(), {Scan(L"pcl-ocrb.png")});
  HWND window = WaitForReading(app, L"pcl-ocrb.png - Fontprobe");
  ASSERT_TRUE(window);
  ExpectReadingLayout(window, twipsPerPixel);
  EXPECT_EQ(Text(GetDlgItem(window, reading::kLines)), CommandPages(L"pcl-ocrb.png")[0]);
  ExpectPictureShownForLooking(window, L"pcl-ocrb.png", 1, dpi);
  PostMessageW(window, WM_CLOSE, 0, 0);

  DropFiles(app, app.mainWindow(), {Scan(L"epson-none-then-pcl-ocrb.tiff")});
  HWND later = WaitForReading(app, L"epson-none-then-pcl-ocrb.tiff (page 2) - Fontprobe");
  HWND epson = WaitForReading(app, L"epson-none-then-pcl-ocrb.tiff - Fontprobe");
  ASSERT_TRUE(later && epson);
  PostMessageW(later, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitFor(10s, [&] { return !IsWindow(later) && !IsWindow(window); }));
  ExpectPictureShownForLooking(epson, L"epson-none-then-pcl-ocrb.tiff", 1, dpi);
}

TEST(ReadingE2E, TheWindowIsLaidOutInTwips) { ExpectDroppedScanLaidOut(15); }

TEST(ReadingAt144Dpi, TheWindowScalesWithTheDpi) { ExpectDroppedScanLaidOut(10); }

}  // namespace
}  // namespace fontprobe
