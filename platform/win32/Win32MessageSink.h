#pragma once

#include <windows.h>

#include "interfaces/MessageSink.h"

namespace fontprobe {

// A message box captioned with the application's title, owned by the window
// that shows it: it stays above that window, goes to the taskbar with it and
// gives the activation back to it.
class Win32MessageSink : public MessageSink {
 public:
  // `owner` is the window's own handle, read when a box is shown.
  explicit Win32MessageSink(const HWND& owner) : owner_(owner) {}
  void Show(const std::u16string& text) override;

 private:
  const HWND& owner_;
};

}  // namespace fontprobe
