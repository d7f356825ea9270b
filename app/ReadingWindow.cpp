#include "app/ReadingWindow.h"

#include <algorithm>

#include "app/ReadingControls.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Error.h"
#include "ui/resource.h"

namespace fontprobe {
namespace {

using namespace reading;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 10800;
constexpr int kClientHeight = 9300;
constexpr int kFontSize = 825;  // hundredths of a point
constexpr int kFixedFontSize = 900;
// The box the picture is shown in holds a picture of the annotation's size at
// 96 DPI, 15 twips to a pixel, at 1:1.
constexpr TwipsRect kPictureBox{120, 120, kAnnotationWidth * 15, kAnnotationHeight * 15};
constexpr int kLinesTop = kPictureBox.top + kPictureBox.height + 120;
constexpr int kLinesHeight = kClientHeight - 120 - kLinesTop;

// In creation order, which is the tab order: the lines, then Close beside them.
const ChildControl kControls[] = {
    {kPicture, L"STATIC", L"", SS_OWNERDRAW, kPictureBox},
    {kLines,
     L"EDIT",
     L"",
     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL |
         WS_BORDER | WS_TABSTOP,
     {120, kLinesTop, 9120, kLinesHeight}},
    {kClose,
     L"BUTTON",
     L"Close",
     BS_DEFPUSHBUTTON | WS_TABSTOP,
     {9360, kLinesTop + kLinesHeight - 420, 1320, 420}},
};

// The lines as the edit control shows them, each ended by CR LF.
std::wstring EditText(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\r\n";
  return WideFromUtf8(joined);
}

// The face of the edit control: the report's columns line up.
HFONT CreateFixedFont(int hundredthsOfPoint, UINT dpi) {
  const int height = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FIXED_PITCH | FF_MODERN, L"Courier New");
}

}  // namespace

ReadingWindow::ReadingWindow(HWND owner, const std::wstring& caption, PageAnnotation annotation,
                             const std::vector<std::string>& lines, std::function<void()> closed)
    : annotation_(std::move(annotation)), closed_(std::move(closed)) {
  // Over its owner, at that monitor's DPI.
  dpi_ = GetDpiForWindow(owner);
  const RECT frame = CentredWindowRect(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST),
                                       kClientWidth, kClientHeight, kStyle, kExStyle, false, dpi_);
  if (!Create(kWindowClass, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_FONTPROBE)),
              caption.c_str(), kStyle, kExStyle, frame, owner, nullptr)) {
    ThrowWin32Error(u"Fontprobe could not open a window for the page read.", GetLastError());
  }
  dpi_ = FitToWindowDpi(window_, dpi_, kClientWidth, kClientHeight, false);
  MakePicture(dpi_);
  CreateControls(lines);
  ShowWindow(window_, SW_SHOWNORMAL);
  SetForegroundWindow(window_);
  SetFocus(GetDlgItem(window_, kLines));
}

std::optional<LRESULT> ReadingWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kClose && HIWORD(wParam) == BN_CLICKED) DestroyWindow(window_);
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kClose, DC_HASDEFID);
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      // The read-only edit too: text and background in system colours.
      return PaintStatic(reinterpret_cast<HDC>(wParam), COLOR_WINDOW);
    default:
      return std::nullopt;
  }
}

void ReadingWindow::CreateControls(const std::vector<std::string>& lines) {
  font_ = CreateDialogFont(kFontSize, dpi_);
  fixedFont_ = CreateFixedFont(kFixedFontSize, dpi_);
  for (const ChildControl& control : kControls) {
    CreateChild(window_, control, control.id == kLines ? fixedFont_.font() : font_.font(), dpi_);
  }
  SetDlgItemTextW(window_, kLines, EditText(lines).c_str());
}

void ReadingWindow::MakePicture(UINT dpi) {
  const RgbImage picture = DrawAnnotation(annotation_, dpi / 96.0);
  header_ = {};
  header_.biSize = sizeof header_;
  header_.biWidth = picture.width;
  header_.biHeight = picture.height;  // bottom-up
  header_.biPlanes = 1;
  header_.biBitCount = 24;
  header_.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t{3};
  pixels_.assign(stride * picture.height, 0);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* from = &picture.pixels[static_cast<std::size_t>(y) * picture.width * 3];
    BYTE* to = &pixels_[(picture.height - 1 - y) * stride];
    for (int x = 0; x < picture.width; ++x, from += 3, to += 3) {
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  shown_ = nullptr;
}

void ReadingWindow::Layout(UINT dpi) {
  dpi_ = dpi;
  MakePicture(dpi);
  // Every control gets its new font before the old one is deleted.
  GdiObject font(CreateDialogFont(kFontSize, dpi));
  GdiObject fixedFont(CreateFixedFont(kFixedFontSize, dpi));
  for (const ChildControl& control : kControls) {
    PlaceChild(GetDlgItem(window_, control.id), control.rect,
               control.id == kLines ? fixedFont.font() : font.font(), dpi);
  }
  font_.Swap(font);
  fixedFont_.Swap(fixedFont);
  RepaintAll(window_);
}

// The picture at the top of its box, at its own size; only a picture larger
// than the box (words of unusual length) is reduced to fit, smoothly, once for
// each size it is shown at.
void ReadingWindow::DrawPicture(const DRAWITEMSTRUCT& item) {
  const int boxWidth = item.rcItem.right - item.rcItem.left;
  const int boxHeight = item.rcItem.bottom - item.rcItem.top;
  const double scale = std::min({1.0, static_cast<double>(boxWidth) / header_.biWidth,
                                 static_cast<double>(boxHeight) / header_.biHeight});
  const int width = std::max(1, static_cast<int>(header_.biWidth * scale));
  const int height = std::max(1, static_cast<int>(header_.biHeight * scale));
  if (!shown_.get() || shownSize_.cx != width || shownSize_.cy != height) {
    shown_ = CreateCompatibleBitmap(item.hDC, width, height);
    const BitmapDc target(item.hDC, shown_.get());
    SetStretchBltMode(target.get(), scale < 1 ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(target.get(), 0, 0, nullptr);
    StretchDIBits(target.get(), 0, 0, width, height, 0, 0, header_.biWidth, header_.biHeight,
                  pixels_.data(), reinterpret_cast<const BITMAPINFO*>(&header_), DIB_RGB_COLORS,
                  SRCCOPY);
    shownSize_ = {width, height};
  }
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
  const BitmapDc source(item.hDC, shown_.get());
  BitBlt(item.hDC, item.rcItem.left + (boxWidth - width) / 2, item.rcItem.top, width, height,
         source.get(), 0, 0, SRCCOPY);
}

}  // namespace fontprobe
