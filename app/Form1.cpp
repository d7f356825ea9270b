#include "app/Form1.h"

#include <algorithm>
#include <memory>
#include <new>

#include "app/Form1Controls.h"
#include "platform/win32/DroppedFiles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"
#include "printers/PrinterSelection.h"
#include "printing/TestRun.h"
#include "ui/EventHandler.h"
#include "ui/resource.h"

namespace fontprobe {
namespace {

using namespace form1;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_ACCEPTFILES;
constexpr int kClientWidth = 6630;
constexpr int kClientHeight = 3735;
constexpr int kLineLeft = 120;
constexpr int kLineRight = 6480;
constexpr int kLine2Top = 1320;
constexpr int kLine1Top = 2520;
constexpr int kDefaultFontSize = 825;  // hundredths of a point
constexpr int kLargeFontSize = 975;

constexpr int kComboHeight = 360;

// Posted by a test run's thread when the run has ended, with its TestRunEnd.
constexpr UINT kTestRunEnded = WM_APP + 1;

// In creation order, which is the tab order: Command1, Combo1, Command2.
// "Printer:" comes right before the chooser, which a screen reader then names
// after it.
const ChildControl kControls[] = {
    {kImage1, L"STATIC", L"", SS_OWNERDRAW | SS_NOTIFY, {120, 120, 6390, 1170}},
    {kLabel1,
     L"STATIC",
     L"Fontprobe for printers. ",
     SS_LEFT | SS_NOPREFIX,
     {120, 1440, 6375, 255},
     true},
    {kLabel2,
     L"STATIC",
     L"This tool try to print OCR-B font with printer integradet font! It shows you the "
     L"ESC-Sequence, wich was used to generate the testprint.",
     SS_LEFT | SS_NOPREFIX,
     {120, 1800, 6375, 615}},
    {kCommand1,
     L"BUTTON",
     L"EpsonFX / IBM Proprinter",
     BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP,
     {1920, 3120, 1200, 495}},
    {kLabel3, L"STATIC", L"Printer:", SS_LEFT | SS_NOPREFIX, {720, 2640, 615, 375}, true},
    {kCombo1,
     L"COMBOBOX",
     L"",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
     {1448, 2640, 3735, kComboHeight},
     true},
    {kCommand2, L"BUTTON", L"PCL", BS_PUSHBUTTON | WS_TABSTOP, {3480, 3120, 1215, 495}},
};

// The chooser as the selection code sees it: the combo box's list and text.
class ComboChooser : public PrinterChooser {
 public:
  explicit ComboChooser(HWND combo) : combo_(combo) {}
  void AddItem(const std::u16string& text) override {
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  }
  int ItemCount() override { return static_cast<int>(SendMessageW(combo_, CB_GETCOUNT, 0, 0)); }
  std::u16string Item(int index) override {
    const LRESULT length = SendMessageW(combo_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return FromWide(text);
  }
  void Select(int index) override { SendMessageW(combo_, CB_SETCURSEL, index, 0); }
  std::u16string Text() override { return FromWide(WindowText(combo_)); }

 private:
  HWND combo_;
};

// A drop-down combo box is as high as its selection field: the item height set
// for it plus a border that differs between systems. Set the item height once
// to learn the border, then once more to reach the height wanted.
void FitComboHeight(HWND combo, int height) {
  const auto item = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  RECT field;
  GetWindowRect(combo, &field);
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               item + height - (field.bottom - field.top));
}

// The logo banner is drawn for 96 DPI and stored with a few colours; it is
// shown as a 24-bit picture, above 96 DPI scaled once, smoothly.
HBITMAP LogoForDpi(UINT dpi) {
  auto* stored =
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGO),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!stored) return nullptr;
  BITMAP size;
  GetObjectW(stored, sizeof size, &size);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = MulDiv(size.bmWidth, static_cast<int>(dpi), 96);
  info.bmiHeader.biHeight = MulDiv(size.bmHeight, static_cast<int>(dpi), 96);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP shown = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  {
    const BitmapDc source(screen, stored);
    const BitmapDc target(screen, shown);
    if (dpi == USER_DEFAULT_SCREEN_DPI) {
      BitBlt(target.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(target.get(), HALFTONE);
      SetBrushOrgEx(target.get(), 0, 0, nullptr);
      StretchBlt(target.get(), 0, 0, info.bmiHeader.biWidth, info.bmiHeader.biHeight, source.get(),
                 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    }
  }
  ReleaseDC(nullptr, screen);
  DeleteObject(stored);
  return shown;
}

HMENU CreateMainMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuW(file, MF_STRING, kMenuExit, L"Exit");
  HMENU help = CreatePopupMenu();
  AppendMenuW(help, MF_STRING, kMenuAbout, L"About");
  HMENU bar = CreateMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"File");
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"Help");
  return bar;
}

}  // namespace

Form1::Form1(Services services) : services_(std::move(services)) {}

void Form1::Show(int showCommand) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // Created where it will stay, so that start-up moves no window. It takes
  // dropped files (the style DragAcceptFiles sets, without loading shell32).
  const RECT frame = CentredWindowRect(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY),
                                       kClientWidth, kClientHeight, kStyle, kExStyle, true, dpi_);
  HMENU menu = CreateMainMenu();
  if (!Create(kWindowClass, LoadIconW(instance, MAKEINTRESOURCEW(IDI_FONTPROBE)), L"Fontprobe",
              kStyle, kExStyle, frame, nullptr, menu)) {
    const DWORD error = GetLastError();
    DestroyMenu(menu);
    ThrowWin32Error(u"Fontprobe could not create its main window.", error);
  }
  dpi_ = FitToWindowDpi(window_, dpi_, kClientWidth, kClientHeight, true);
  runEndsTo_ = window_;
  CreateControls();
  Form_Load();
  ShowWindow(window_, showCommand);
  SetFocus(GetDlgItem(window_, kCommand1));
}

std::optional<LRESULT> Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DRAWITEM:
      DrawLogo(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // "Printer:" sits on the highlight-text colour, the other texts on the
      // window colour (both white in the standard scheme).
      return PaintStatic(reinterpret_cast<HDC>(wParam),
                         GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kLabel3
                             ? COLOR_HIGHLIGHTTEXT
                             : COLOR_WINDOW);
    case WM_DROPFILES:
      OnDrop(reinterpret_cast<HDROP>(wParam));
      return 0;
    case kTestRunEnded: {
      const std::unique_ptr<TestRunEnd> end(reinterpret_cast<TestRunEnd*>(lParam));
      OnTestRunEnded(*end);
      return 0;
    }
    case WM_SETCURSOR:
      // While a page is on its way the window still answers, and says so with
      // the pointer of a program working in the background.
      if (LOWORD(lParam) == HTCLIENT && services_.testRun.Running()) {
        SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      return std::nullopt;
    case DM_GETDEFID: {
      // Neither button is the default, but Enter runs the one that has the focus.
      const int focused = GetDlgCtrlID(GetFocus());
      if (focused == kCommand1 || focused == kCommand2) return MAKELRESULT(focused, DC_HASDEFID);
      return 0;
    }
    default:
      return std::nullopt;
  }
}

void Form1::CreateControls() {
  defaultFont_ = CreateDialogFont(kDefaultFontSize, dpi_);
  largeFont_ = CreateDialogFont(kLargeFontSize, dpi_);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont_.font()), FALSE);
  for (const ChildControl& control : kControls) {
    CreateChild(window_, control, control.largeFont ? largeFont_.font() : defaultFont_.font(),
                dpi_);
  }
  FitComboHeight(GetDlgItem(window_, kCombo1), TwipsToPixels(kComboHeight, dpi_));
}

void Form1::Layout(UINT dpi) {
  dpi_ = dpi;
  // Every control gets its new font before the old one is deleted.
  GdiObject defaultFont(CreateDialogFont(kDefaultFontSize, dpi));
  GdiObject largeFont(CreateDialogFont(kLargeFontSize, dpi));
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont.font()), FALSE);
  for (const ChildControl& control : kControls) {
    PlaceChild(GetDlgItem(window_, control.id), control.rect,
               control.largeFont ? largeFont.font() : defaultFont.font(), dpi);
  }
  defaultFont_.Swap(defaultFont);
  largeFont_.Swap(largeFont);
  FitComboHeight(GetDlgItem(window_, kCombo1), TwipsToPixels(kComboHeight, dpi));
  FitDroppedWidth();
  RepaintAll(window_);
}

// The chooser's list drops down at least as wide as its longest printer name.
void Form1::FitDroppedWidth() {
  HWND combo = GetDlgItem(window_, kCombo1);
  HDC dc = GetDC(combo);
  HGDIOBJ previous = SelectObject(dc, largeFont_.get());
  int widest = 0;
  ComboChooser chooser(combo);
  for (int i = 0, count = chooser.ItemCount(); i < count; ++i) {
    const std::wstring item = ToWide(chooser.Item(i));
    SIZE size{};
    GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, previous);
  ReleaseDC(combo, dc);
  const int margins = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi_) +
                      4 * GetSystemMetricsForDpi(SM_CXEDGE, dpi_) +
                      MulDiv(4, static_cast<int>(dpi_), 96);
  SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + margins), 0);
}

void Form1::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  for (int top : {kLine2Top, kLine1Top}) {
    DrawTwipsLine(dc, kLineLeft, kLineRight, top, 1, GetSysColor(COLOR_WINDOWTEXT), dpi_);
  }
  EndPaint(window_, &paint);
}

void Form1::DrawLogo(const DRAWITEMSTRUCT& item) {
  // Made at the first paint, which comes after the window shows, and again
  // only when the DPI changes.
  if (logoDpi_ != dpi_) {
    logo_ = LogoForDpi(dpi_);
    logoDpi_ = dpi_;
  }
  BITMAP bitmap;
  GetObjectW(logo_.get(), sizeof bitmap, &bitmap);
  const BitmapDc source(item.hDC, logo_.get());
  BitBlt(item.hDC, 0, 0, bitmap.bmWidth, bitmap.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void Form1::OnCommand(int id, int notification) {
  switch (id) {
    case kCommand1:
      if (notification == BN_CLICKED) Command1_Click();
      break;
    case kCommand2:
      if (notification == BN_CLICKED) Command2_Click();
      break;
    case kImage1:
      if (notification == STN_CLICKED) {
        RunEventHandler(messages_, [this] { services_.showAbout(window_); });
      }
      break;
    case kMenuAbout:
      RunEventHandler(messages_, [this] { services_.showAbout(window_); });
      break;
    case kMenuExit:
      // Both windows go, and the program ends once the last one has.
      services_.closeAbout();
      DestroyWindow(window_);
      break;
  }
}

void Form1::Form_Load() {
  RunEventHandler(messages_, [this] {
    ComboChooser chooser(GetDlgItem(window_, kCombo1));
    GetPrinters(services_.registry, chooser);
  });
  FitDroppedWidth();
}

void Form1::Command1_Click() { RunTest(PrinterFamily::EpsonIbm); }

void Form1::Command2_Click() { RunTest(PrinterFamily::Pcl); }

void Form1::OnDrop(HDROP drop) {
  RunEventHandler(messages_, [this, drop] {
    // The window comes to the front, as the answer will be over it.
    SetForegroundWindow(window_);
    services_.readScans(window_, DroppedFiles(drop), messages_);
  });
}

// The page goes to the spooler off the window's thread; a press while one is
// on its way is ignored. The chooser's text is read at the press.
void Form1::RunTest(PrinterFamily family) {
  RunEventHandler(messages_, [this, family] {
    const std::u16string chosen = ComboChooser(GetDlgItem(window_, kCombo1)).Text();
    const bool started = services_.testRun.Start(family, chosen, [this](TestRunEnd end) {
      auto* posted = new (std::nothrow) TestRunEnd(std::move(end));
      const HWND window = runEndsTo_;
      if (posted &&
          !(window && PostMessageW(window, kTestRunEnded, 0, reinterpret_cast<LPARAM>(posted)))) {
        delete posted;
      }
    });
    if (started) ShowCursorForState();
  });
}

void Form1::OnTestRunEnded(TestRunEnd& end) {
  ShowCursorForState();
  RunEventHandler(messages_, [&end, this] {
    if (end.error) std::rethrow_exception(end.error);
    messages_.Show(end.message);
  });
}

// The pointer over the window changes at once when a run starts or ends, not
// only when the mouse next moves.
void Form1::ShowCursorForState() {
  POINT at;
  if (!GetCursorPos(&at)) return;
  HWND under = WindowFromPoint(at);
  if (under != window_ && !IsChild(window_, under)) return;
  const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

void Form1::OnClosed() { runEndsTo_ = nullptr; }

}  // namespace fontprobe
