#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fontprobe {

// CUPS speaks UTF-8; the portable core holds text as UTF-16. Either way, what
// is not a well-formed character (a lone surrogate; in UTF-8 a stray or missing
// continuation byte, an overlong form, a surrogate, anything above U+10FFFF)
// becomes U+FFFD.
std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(std::string_view text);

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// One character of UTF-8 text, read at a byte offset: U+FFFD with a length of
// one byte where the bytes there are not well-formed.
struct Utf8Character {
  char32_t code;
  std::size_t length;
};
Utf8Character ReadUtf8(std::string_view text, std::size_t offset);
void AppendUtf8(std::string& out, char32_t code);

}  // namespace fontprobe
