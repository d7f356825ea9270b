#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace fontprobe {

// Positions in both windows are given in twips, a physical unit: 1440 to the
// inch, so 15 to a pixel at 96 DPI and 10 at 144 DPI.
inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

struct TwipsRect {
  int left, top, width, height;
};

// A memory device context like `like`, with `bitmap` selected into it for as
// long as it lives.
class BitmapDc {
 public:
  BitmapDc(HDC like, HGDIOBJ bitmap)
      : dc_(CreateCompatibleDC(like)), previous_(SelectObject(dc_, bitmap)) {}
  ~BitmapDc() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  BitmapDc(const BitmapDc&) = delete;
  BitmapDc& operator=(const BitmapDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A font or bitmap that is deleted with its owner.
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  ~GdiObject() { Reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject& operator=(HGDIOBJ object) {
    Reset();
    object_ = object;
    return *this;
  }
  // Takes `other`'s object and hands it ours, which `other` then deletes: a
  // control can be given the new font before the old one goes.
  void Swap(GdiObject& other) { std::swap(object_, other.object_); }
  HGDIOBJ get() const { return object_; }
  HFONT font() const { return static_cast<HFONT>(object_); }

 private:
  void Reset() {
    if (object_) DeleteObject(object_);
    object_ = nullptr;
  }
  HGDIOBJ object_ = nullptr;
};

// The platform's dialog face (MS Shell Dlg: MS Sans Serif's scalable successor
// on Windows) at a size in hundredths of a point, sharp at any DPI.
HFONT CreateDialogFont(int hundredthsOfPoint, UINT dpi);

// A child control as its window's table gives it. Tables list them in creation
// order, which is the tab order and the order a screen reader reads.
struct ChildControl {
  int id;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;
  TwipsRect rect;
  bool largeFont = false;
};

// Creates a visible child where it will stay, with its font.
HWND CreateChild(HWND parent, const ChildControl& control, HFONT font, UINT dpi);

// Moves a child to its twips rectangle and gives it its font, without repainting.
void PlaceChild(HWND child, const TwipsRect& rect, HFONT font, UINT dpi);

// Draws a horizontal line from `x1` to `x2` (twips) at `y`, `width` pixels thick at 96 DPI.
void DrawTwipsLine(HDC dc, int x1, int x2, int y, int width, COLORREF colour, UINT dpi);

// The window's outer rectangle for a client area of the given twips size,
// centred on the monitor.
RECT CentredWindowRect(HMONITOR monitor, int clientWidthTwips, int clientHeightTwips, DWORD style,
                       DWORD exStyle, bool hasMenu, UINT dpi);

// A window is created sized for the system DPI; where its monitor has another,
// this centres and sizes it again for that one. Returns the window's DPI.
UINT FitToWindowDpi(HWND window, UINT createdForDpi, int clientWidthTwips, int clientHeightTwips,
                    bool hasMenu);

// Repaints the window and every control in it: after a new layout or colours.
void RepaintAll(HWND window);

// Moves and sizes a window to `rect`, in screen pixels, keeping its z-order
// and activation.
void MoveToRect(HWND window, const RECT& rect);

// Answers WM_CTLCOLORSTATIC with system colours, so that a high-contrast
// scheme is followed: readable text on the `background` system colour.
LRESULT PaintStatic(HDC dc, int background);

// Remembers which control had the focus when the window was deactivated and
// gives it back on activation, as a dialog box does: after a message box or
// another window, the keyboard carries on where it was.
class FocusKeeper {
 public:
  void OnActivate(HWND window, WPARAM wParam);

 private:
  HWND focused_ = nullptr;
};

std::wstring WindowText(HWND window);

// White-backed window class with the arrow cursor.
void RegisterWindowClass(const wchar_t* name, WNDPROC windowProc, HICON icon);

}  // namespace fontprobe
