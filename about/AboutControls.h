#pragma once

#include <windows.h>

namespace fontprobe::about {

// Control identifiers of the About dialog; OK is the dialog's OK and Esc button.
enum ControlId : int {
  kCmdOK = IDOK,
  kPicIcon = 301,
  kLblTitle,
  kVersion,
  kLblDescription,
  kCommand1,
  kCmdSysInfo,
};

inline constexpr wchar_t kWindowClass[] = L"FontprobeAbout";

}  // namespace fontprobe::about
