#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// On Windows wchar_t is UTF-16, so the portable core's text crosses unchanged.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

namespace fontprobe {

inline std::wstring ToWide(const std::u16string& text) { return {text.begin(), text.end()}; }
inline std::u16string FromWide(const std::wstring& text) { return {text.begin(), text.end()}; }

// The core's words and a report's lines are UTF-8; each UTF-8 byte gives at
// most one UTF-16 unit, each UTF-16 unit at most three bytes.
inline std::wstring WideFromUtf8(std::string_view text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

inline std::string Utf8FromWide(const std::wstring& text) {
  std::string utf8(text.size() * 3, '\0');
  utf8.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                          static_cast<int>(utf8.size()), nullptr, nullptr)));
  return utf8;
}

}  // namespace fontprobe
