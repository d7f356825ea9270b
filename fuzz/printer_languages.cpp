// Any bytes as a printer's IEEE 1284 device ID and as its PJL INFO CONFIG
// answer: the languages read from either are upper-cased words, and a
// language is asked in only where the bytes name it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fonts/Pjl.h"
#include "fonts/PrinterLanguage.h"

namespace {

void CheckWords(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word.empty()) __builtin_trap();
    for (const char c : word) {
      if (c >= 'a' && c <= 'z') __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> commands = fontprobe::CommandSet(bytes);
  CheckWords(commands);
  const fontprobe::Languages languages = fontprobe::LanguagesIn(commands);
  if (languages.fontLanguages.size() > 2) __builtin_trap();
  if (!languages.fontLanguages.empty() && commands.empty()) __builtin_trap();
  if (const auto config = fontprobe::LanguagesInConfig(bytes)) {
    CheckWords(*config);
    if (!fontprobe::PjlAnswerEnded(bytes)) __builtin_trap();
  }
  return 0;
}
