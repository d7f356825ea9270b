#pragma once

#include <windows.h>

namespace fontprobe::reading {

// Control identifiers of a reading's window; Close is its Esc button too.
enum ControlId : int {
  kClose = IDCANCEL,
  kPicture = 401,
  kLines,
};

inline constexpr wchar_t kWindowClass[] = L"FontprobeReading";

}  // namespace fontprobe::reading
