#include "about/frmAbout.h"

#include "about/AboutControls.h"
#include "about/SysInfo.h"
#include "platform/win32/WideText.h"
#include "ui/EventHandler.h"
#include "ui/resource.h"

#ifndef FONTPROBE_HOME_PAGE
#error "FONTPROBE_HOME_PAGE names the maker's home page; the build sets it."
#endif

namespace fontprobe {
namespace {

using namespace about;

constexpr wchar_t kHomePage[] = L"" FONTPROBE_HOME_PAGE;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 5730;
constexpr int kClientHeight = 3555;
constexpr int kFontSize = 825;  // hundredths of a point

// In creation order, which is the tab order: OK, System Info, home page.
const ChildControl kControls[] = {
    {kPicIcon, L"STATIC", L"", SS_OWNERDRAW | WS_BORDER, {240, 240, 540, 540}},
    {kLblTitle,
     L"STATIC",
     L"Fontprobe for Printers",
     SS_LEFT | SS_NOPREFIX,
     {1050, 240, 3885, 480}},
    {kVersion, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, {1050, 780, 3885, 225}},
    {kLblDescription,
     L"STATIC",
     L"Send teststring to printer to check its OCR-B ability. ",
     SS_LEFT | SS_NOPREFIX,
     {1050, 1125, 3885, 1170}},
    {kCmdOK, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, {4245, 2625, 1260, 345}},
    {kCmdSysInfo,
     L"BUTTON",
     L"&System Info...",
     BS_PUSHBUTTON | WS_TABSTOP,
     {4260, 3075, 1245, 345}},
    {kCommand1, L"BUTTON", kHomePage, BS_PUSHBUTTON | WS_TABSTOP, {960, 2880, 2895, 495}},
};

// "Version MAJOR.MINOR", read from the program file's own version record so
// that the version is written in one place only.
std::wstring VersionText() {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  if (!resource) return L"";
  const auto* record = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
  const DWORD size = SizeofResource(nullptr, resource);
  // The fixed part sits on a four-byte boundary after the record's name.
  for (DWORD offset = 0; record && offset + sizeof(VS_FIXEDFILEINFO) <= size; offset += 4) {
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(record + offset);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) continue;
    wchar_t text[32];
    wsprintfW(text, L"Version %u.%u", HIWORD(fixed->dwFileVersionMS),
              LOWORD(fixed->dwFileVersionMS));
    return text;
  }
  return L"";
}

}  // namespace

frmAbout::frmAbout(Services services) : services_(services) {}

frmAbout::~frmAbout() { Close(); }

void frmAbout::Close() {
  TopLevelWindow::Close();
  if (owner_) DestroyWindow(owner_);
  owner_ = nullptr;
}

void frmAbout::Show(HWND opener) {
  if (window_) {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    return;
  }
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!owner_) {
    owner_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                             nullptr);
  }
  // Where its opener is, at that monitor's DPI.
  dpi_ = GetDpiForWindow(opener);
  const RECT frame = CentredWindowRect(MonitorFromWindow(opener, MONITOR_DEFAULTTONEAREST),
                                       kClientWidth, kClientHeight, kStyle, kExStyle, false, dpi_);
  if (!Create(kWindowClass, nullptr, L"About Fontprobe", kStyle, kExStyle, frame, owner_,
              nullptr)) {
    return;
  }
  dpi_ = FitToWindowDpi(window_, dpi_, kClientWidth, kClientHeight, false);
  CreateControls();
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  SetFocus(GetDlgItem(window_, kCmdOK));
}

std::optional<LRESULT> frmAbout::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(LOWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kCmdOK, DC_HASDEFID);
    case WM_PAINT:
      Paint();
      return 0;
    case WM_DRAWITEM:
      DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return PaintStatic(reinterpret_cast<HDC>(wParam), COLOR_WINDOW);
    default:
      return std::nullopt;
  }
}

void frmAbout::CreateControls() {
  font_ = CreateDialogFont(kFontSize, dpi_);
  for (const ChildControl& control : kControls) CreateChild(window_, control, font_.font(), dpi_);
  SetDlgItemTextW(window_, kVersion, VersionText().c_str());
}

void frmAbout::Layout(UINT dpi) {
  dpi_ = dpi;
  // Every control gets the new font before the old one is deleted.
  GdiObject font(CreateDialogFont(kFontSize, dpi));
  for (const ChildControl& control : kControls) {
    PlaceChild(GetDlgItem(window_, control.id), control.rect, font.font(), dpi);
  }
  font_.Swap(font);
  RepaintAll(window_);
}

void frmAbout::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  // An etched separator: a grey line with one of the background's colour right
  // below it, in system colours so that a high-contrast scheme shows it.
  DrawTwipsLine(dc, 90, 5654, 2445, 1, GetSysColor(COLOR_GRAYTEXT), dpi_);
  DrawTwipsLine(dc, 105, 5654, 2460, 2, GetSysColor(COLOR_WINDOW), dpi_);
  EndPaint(window_, &paint);
}

void frmAbout::DrawIcon(const DRAWITEMSTRUCT& item) {
  const int size = MulDiv(32, static_cast<int>(dpi_), 96);
  HICON icon =
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FONTPROBE),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  const int left = (item.rcItem.right - item.rcItem.left - size) / 2;
  const int top = (item.rcItem.bottom - item.rcItem.top - size) / 2;
  DrawIconEx(item.hDC, left, top, icon, size, size, 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}

void frmAbout::OnCommand(int id) {
  switch (id) {
    case kCmdOK:
    case IDCANCEL:
      DestroyWindow(window_);
      break;
    case kCmdSysInfo:
      cmdSysInfo_Click();
      break;
    case kCommand1:
      Command1_Click();
      break;
  }
}

void frmAbout::cmdSysInfo_Click() {
  RunEventHandler(messages_,
                  [this] { StartSysInfo(services_.registry, services_.programs, messages_); });
}

void frmAbout::Command1_Click() {
  RunEventHandler(messages_, [this] { services_.browser.Open(FromWide(std::wstring(kHomePage))); });
}

}  // namespace fontprobe
