#include "app/Form1.h"

#include "app/Form1Controls.h"
#include "platform/win32/WideText.h"
#include "printers/PrinterSelection.h"
#include "printing/TestRun.h"
#include "ui/EventHandler.h"
#include "ui/TopLevelWindows.h"
#include "ui/resource.h"

namespace fontprobe {
namespace {

using namespace form1;

constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr int kClientWidth = 6630;
constexpr int kClientHeight = 3735;
constexpr int kLineLeft = 120;
constexpr int kLineRight = 6480;
constexpr int kLine2Top = 1320;
constexpr int kLine1Top = 2520;
constexpr int kDefaultFontSize = 825;  // hundredths of a point
constexpr int kLargeFontSize = 975;

struct ControlLayout {
  int id;
  TwipsRect rect;
  bool largeFont;
};

constexpr int kComboHeight = 360;

const ControlLayout kLayout[] = {
    {kImage1, {120, 120, 6390, 1170}, false},          {kLabel1, {120, 1440, 6375, 255}, true},
    {kLabel2, {120, 1800, 6375, 615}, false},          {kLabel3, {720, 2640, 615, 375}, true},
    {kCombo1, {1448, 2640, 3735, kComboHeight}, true}, {kCommand1, {1920, 3120, 1200, 495}, false},
    {kCommand2, {3480, 3120, 1215, 495}, false},
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
  RegisterWindowClass(kWindowClass, &ObjectWindowProc<Form1>,
                      LoadIconW(instance, MAKEINTRESOURCEW(IDI_FONTPROBE)));
  // Created where it will stay, so that start-up moves no window.
  const RECT frame = CentredWindowRect(kClientWidth, kClientHeight, kStyle, 0, true, dpi_);
  CreateWindowExW(0, kWindowClass, L"Fontprobe", kStyle, frame.left, frame.top,
                  frame.right - frame.left, frame.bottom - frame.top, nullptr, CreateMainMenu(),
                  instance, this);
  if (!window_) return;
  TopLevelWindowOpened();
  dpi_ = FitToWindowDpi(window_, dpi_, kClientWidth, kClientHeight, true);
  CreateControls();
  Layout(dpi_);
  Form_Load();
  ShowWindow(window_, showCommand);
  SetFocus(GetDlgItem(window_, kCommand1));
}

LRESULT Form1::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
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
      // "Printer:" sits on the highlight-text colour, the other texts on white.
      if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == kLabel3) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_HIGHLIGHTTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_HIGHLIGHTTEXT));
      }
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DPICHANGED: {
      Layout(HIWORD(wParam));
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      TopLevelWindowClosed();
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

void Form1::CreateControls() {
  CreateChild(window_, L"STATIC", L"", SS_OWNERDRAW | SS_NOTIFY, kImage1);
  CreateChild(window_, L"STATIC", L"Fontprobe for printers. ", SS_LEFT | SS_NOPREFIX, kLabel1);
  CreateChild(window_, L"STATIC",
              L"This tool try to print OCR-B font with printer integradet font! It shows you the "
              L"ESC-Sequence, wich was used to generate the testprint.",
              SS_LEFT | SS_NOPREFIX, kLabel2);
  CreateChild(window_, L"STATIC", L"Printer:", SS_LEFT | SS_NOPREFIX, kLabel3);
  // Creation order is the tab order: Command1, Combo1, Command2.
  CreateChild(window_, L"BUTTON", L"EpsonFX / IBM Proprinter",
              BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, kCommand1);
  HWND combo = CreateChild(window_, L"COMBOBOX", L"",
                           CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kCombo1);
  SetWindowTextW(combo, L"Combo1");
  CreateChild(window_, L"BUTTON", L"PCL", BS_PUSHBUTTON | WS_TABSTOP, kCommand2);
}

void Form1::Layout(UINT dpi) {
  dpi_ = dpi;
  defaultFont_ = CreateDialogFont(kDefaultFontSize, dpi);
  largeFont_ = CreateDialogFont(kLargeFontSize, dpi);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont_.font()), FALSE);
  for (const ControlLayout& control : kLayout) {
    PlaceChild(GetDlgItem(window_, control.id), control.rect,
               control.largeFont ? largeFont_.font() : defaultFont_.font(), dpi);
  }
  FitComboHeight(GetDlgItem(window_, kCombo1), TwipsToPixels(kComboHeight, dpi));
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  // Loaded at the first paint, which comes after the window shows.
  if (!logo_.get()) {
    logo_ = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_LOGO), IMAGE_BITMAP, 0, 0,
                       LR_CREATEDIBSECTION);
  }
  // Pixel for pixel at 96 DPI, scaled with the DPI above it.
  BITMAP bitmap;
  GetObjectW(logo_.get(), sizeof bitmap, &bitmap);
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ previous = SelectObject(source, logo_.get());
  SetStretchBltMode(item.hDC, dpi_ == USER_DEFAULT_SCREEN_DPI ? COLORONCOLOR : HALFTONE);
  StretchBlt(item.hDC, 0, 0, MulDiv(bitmap.bmWidth, static_cast<int>(dpi_), 96),
             MulDiv(bitmap.bmHeight, static_cast<int>(dpi_), 96), source, 0, 0, bitmap.bmWidth,
             bitmap.bmHeight, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
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
      if (notification == STN_CLICKED) RunEventHandler(services_.messages, services_.showAbout);
      break;
    case kMenuAbout:
      RunEventHandler(services_.messages, services_.showAbout);
      break;
    case kMenuExit:
      PostQuitMessage(0);
      break;
  }
}

void Form1::Form_Load() {
  RunEventHandler(services_.messages, [this] {
    ComboChooser chooser(GetDlgItem(window_, kCombo1));
    GetPrinters(services_.registry, chooser);
  });
}

void Form1::Command1_Click() { RunTest(PrinterFamily::EpsonIbm); }

void Form1::Command2_Click() { RunTest(PrinterFamily::Pcl); }

void Form1::RunTest(PrinterFamily family) {
  RunEventHandler(services_.messages, [this, family] {
    ComboChooser chooser(GetDlgItem(window_, kCombo1));
    RunPrinterTest(family, {chooser, services_.registry, services_.spooler, services_.messages});
  });
}

}  // namespace fontprobe
