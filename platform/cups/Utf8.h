#pragma once

#include <string>

namespace fontprobe {

// CUPS speaks UTF-8; the portable core holds text as UTF-16.
std::string ToUtf8(const std::u16string& text);
std::u16string FromUtf8(const std::string& text);

}  // namespace fontprobe
