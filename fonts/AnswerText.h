#pragma once

#include <string_view>

namespace fontprobe {

// Each whole line of `text`, without its line end (CR, LF or both), until
// `visit` returns false; a last line cut off before its end is left out.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  for (auto end = text.find_first_of("\r\n"); end != std::string_view::npos;
       end = text.find_first_of("\r\n")) {
    if (!visit(text.substr(0, end))) return;
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crLf ? 2 : 1));
  }
}

// Without the blanks round it, and the form feed that ends an answer before.
inline std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\f");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\f") - first + 1);
}

inline bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

}  // namespace fontprobe
