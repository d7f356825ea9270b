#include "ui/TopLevelWindow.h"

namespace fontprobe {
namespace {

// Fontprobe runs until its last top-level window has closed, whichever that is.
int openWindows = 0;  // only ever touched on the user-interface thread

void Opened() { ++openWindows; }

void Closed() {
  if (--openWindows == 0) PostQuitMessage(0);
}

}  // namespace

TopLevelWindow::~TopLevelWindow() {
  if (!window_) return;
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
  Closed();
}

void TopLevelWindow::Close() {
  if (window_) DestroyWindow(window_);
}

bool TopLevelWindow::Create(const wchar_t* className, HICON icon, const wchar_t* caption,
                            DWORD style, DWORD exStyle, const RECT& frame, HWND owner, HMENU menu) {
  RegisterWindowClass(className, &TopLevelWindow::WindowProc, icon);
  CreateWindowExW(exStyle, className, caption, style, frame.left, frame.top,
                  frame.right - frame.left, frame.bottom - frame.top, owner, menu,
                  GetModuleHandleW(nullptr), this);
  if (window_) Opened();
  return window_ != nullptr;
}

// The object learns its window at WM_NCCREATE and handles every message from
// then on. It lets go of the window at WM_NCDESTROY, the last message, so that
// nothing reaches the object, or DefWindowProcW a destroyed window, after it.
LRESULT CALLBACK TopLevelWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<TopLevelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TopLevelWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
    self->OnClosed();
    return result;
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT TopLevelWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto handled = OnMessage(message, wParam, lParam)) return *handled;
  switch (message) {
    case WM_ACTIVATE:
      focus_.OnActivate(window_, wParam);
      return 0;
    case WM_SYSCOLORCHANGE:
      RepaintAll(window_);
      return 0;
    case WM_DPICHANGED:
      Layout(HIWORD(wParam));
      MoveToRect(window_, *reinterpret_cast<const RECT*>(lParam));  // the suggested one
      return 0;
    case WM_DESTROY:
      Closed();
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace fontprobe
