#pragma once

#include <windows.h>

#include <string>

#include "platform/PlatformError.h"

namespace fontprobe {

// Throws a PlatformError that says what failed and, in Windows' own words, why.
[[noreturn]] void ThrowWin32Error(const std::u16string& whatFailed, DWORD error);

}  // namespace fontprobe
