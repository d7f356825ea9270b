#include "ui/Win32Ui.h"

#include <cstdlib>

namespace fontprobe {

HFONT CreateDialogFont(int hundredthsOfPoint, UINT dpi) {
  const int height = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
  // Any character set, so that a printer named in Cyrillic, Greek or CJK shows.
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Shell Dlg");
}

HWND CreateChild(HWND parent, const ChildControl& control, HFONT font, UINT dpi) {
  const TwipsRect& rect = control.rect;
  HWND child =
      CreateWindowExW(0, control.windowClass, control.text, WS_CHILD | WS_VISIBLE | control.style,
                      TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
                      TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi), parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void PlaceChild(HWND child, const TwipsRect& rect, HFONT font, UINT dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  // No repaint here: the caller repaints the whole window once.
  MoveWindow(child, left, top, TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi),
             FALSE);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void DrawTwipsLine(HDC dc, int x1, int x2, int y, int width, COLORREF colour, UINT dpi) {
  const int thickness = MulDiv(width, static_cast<int>(dpi), 96);
  RECT line{TwipsToPixels(x1, dpi), TwipsToPixels(y, dpi), TwipsToPixels(x2, dpi) + 1,
            TwipsToPixels(y, dpi) + thickness};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &line, brush);
  DeleteObject(brush);
}

RECT CentredWindowRect(HMONITOR monitor, int clientWidthTwips, int clientHeightTwips, DWORD style,
                       DWORD exStyle, bool hasMenu, UINT dpi) {
  RECT frame{0, 0, TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi)};
  AdjustWindowRectExForDpi(&frame, style, hasMenu, exStyle, dpi);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const RECT& screen = info.rcMonitor;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = screen.left + (screen.right - screen.left - width) / 2;
  const int top = screen.top + (screen.bottom - screen.top - height) / 2;
  return {left, top, left + width, top + height};
}

UINT FitToWindowDpi(HWND window, UINT createdForDpi, int clientWidthTwips, int clientHeightTwips,
                    bool hasMenu) {
  const UINT dpi = GetDpiForWindow(window);
  if (dpi == createdForDpi) return dpi;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  MoveToRect(window,
             CentredWindowRect(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                               clientWidthTwips, clientHeightTwips, style, exStyle, hasMenu, dpi));
  return dpi;
}

void RepaintAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MoveToRect(HWND window, const RECT& rect) {
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

int Brightness(COLORREF colour) {
  return (GetRValue(colour) * 299 + GetGValue(colour) * 587 + GetBValue(colour) * 114) / 1000;
}

}  // namespace

LRESULT PaintStatic(HDC dc, int background) {
  // Window text, unless a scheme puts it too close to the highlight-text
  // colour; the highlight colour is made to stand out against that one.
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  if (background == COLOR_HIGHLIGHTTEXT &&
      std::abs(Brightness(text) - Brightness(GetSysColor(background))) < 96) {
    text = GetSysColor(COLOR_HIGHLIGHT);
  }
  SetTextColor(dc, text);
  SetBkColor(dc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void FocusKeeper::OnActivate(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) focused_ = focus;
  } else if (focused_ && IsWindow(focused_) && IsChild(window, focused_)) {
    SetFocus(focused_);
  }
}

void RegisterWindowClass(const wchar_t* name, WNDPROC windowProc, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // The window colour: white in the standard scheme, whatever a high-contrast one says.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);  // fails harmlessly when already registered
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace fontprobe
