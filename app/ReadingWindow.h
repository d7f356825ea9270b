#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "reading/Annotate.h"
#include "ui/TopLevelWindow.h"

namespace fontprobe {

// One page read from a dropped scan: the picture that shows why, drawn for
// the window's DPI (the one fontprobe read --annotate writes, at 96 DPI) and
// shown whole at its own size, and the lines the fontprobe command prints for
// the page, to select and copy. Modeless; owned by the main window, which
// closes it when it closes.
class ReadingWindow : public TopLevelWindow {
 public:
  // Opens the window over `owner`, at its monitor's DPI; `closed` is called
  // once it has closed. Throws PlatformError when it cannot be created.
  ReadingWindow(HWND owner, const std::wstring& caption, PageAnnotation annotation,
                const std::vector<std::string>& lines, std::function<void()> closed);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Layout(UINT dpi) override;
  void OnClosed() override { closed_(); }

  void CreateControls(const std::vector<std::string>& lines);
  // Draws the picture for `dpi`.
  void MakePicture(UINT dpi);
  void DrawPicture(const DRAWITEMSTRUCT& item);

  PageAnnotation annotation_;
  // The picture as a bottom-up 24-bit DIB, and a copy at the size last shown.
  BITMAPINFOHEADER header_{};
  std::vector<BYTE> pixels_;
  GdiObject shown_;
  SIZE shownSize_{};
  GdiObject font_;
  GdiObject fixedFont_;
  std::function<void()> closed_;
};

}  // namespace fontprobe
