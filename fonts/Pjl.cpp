#include "fonts/Pjl.h"

#include "fonts/AnswerText.h"
#include "fonts/PrinterLanguage.h"

namespace fontprobe {
namespace {

constexpr std::string_view kHeading = "@PJL INFO CONFIG";

}  // namespace

std::string PjlConfigQuery() {
  return std::string(kUniversalExit) + "@PJL\r\n" + std::string(kHeading) + "\r\n" +
         std::string(kUniversalExit);
}

bool PjlAnswerEnded(std::string_view received) {
  const auto heading = received.find(kHeading);
  return heading != std::string_view::npos &&
         received.find('\f', heading) != std::string_view::npos;
}

// The answer: "@PJL INFO CONFIG", then each feature on a line of its own
// ("LANGUAGES [2 ENUMERATED]"), each of its options on a line after it that
// begins with a tab, a form feed at the end.
std::optional<std::vector<std::string>> LanguagesInConfig(std::string_view answer) {
  const auto heading = answer.find(kHeading);
  const auto formFeed = answer.find('\f', heading);
  if (heading == std::string_view::npos || formFeed == std::string_view::npos) return std::nullopt;
  const std::string_view config = answer.substr(heading, formFeed - heading);
  std::vector<std::string> languages;
  bool inLanguages = false;
  ForEachLine(std::string(config) + "\n", [&](std::string_view line) {
    const bool option = !line.empty() && (line[0] == '\t' || line[0] == ' ');
    if (!option) {
      inLanguages = StartsWith(line, "LANGUAGES");
      return true;
    }
    const std::string_view language = Trimmed(line.substr(0, line.find_first_of("\r\n")));
    if (inLanguages && !language.empty()) {
      std::string upper(language.substr(0, language.find(' ')));
      for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
      }
      languages.push_back(upper);
    }
    return true;
  });
  if (languages.empty()) return std::nullopt;
  return languages;
}

}  // namespace fontprobe
