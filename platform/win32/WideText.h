#pragma once

#include <string>

// On Windows wchar_t is UTF-16, so the portable core's text crosses unchanged.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace fontprobe {

inline std::wstring ToWide(const std::u16string& text) { return {text.begin(), text.end()}; }
inline std::u16string FromWide(const std::wstring& text) { return {text.begin(), text.end()}; }

}  // namespace fontprobe
