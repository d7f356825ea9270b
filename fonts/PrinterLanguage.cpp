#include "fonts/PrinterLanguage.h"

#include <algorithm>

#include "fonts/AnswerText.h"

namespace fontprobe {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// PostScript under the names makers give it, their clones included. "PS"
// alone and with a level, never a longer word that begins with PS.
bool IsPostScript(const std::string& command) {
  return StartsWith(command, "POSTSCRIPT") || command == "PS" || command == "PS2" ||
         command == "PS3" || StartsWith(command, "BR-SCRIPT") || StartsWith(command, "BRSCRIPT") ||
         StartsWith(command, "KPDL");
}

// PCL 5 and plain PCL, which answer the status readback for fonts. PCL XL
// (also sold as PCL 6) and the PCL 3 of ink-jets do not, and are not asked.
bool IsPcl(const std::string& command) {
  return command == "PCL" || StartsWith(command, "PCL5") || StartsWith(command, "PCL 5");
}

}  // namespace

const char* LanguageName(PrinterLanguage language) {
  return language == PrinterLanguage::Pcl ? "PCL" : "PostScript";
}

std::optional<PrinterLanguage> LanguageNamed(std::string_view name) {
  const std::string upper = Upper(name);
  if (upper == "PCL") return PrinterLanguage::Pcl;
  if (upper == "POSTSCRIPT") return PrinterLanguage::PostScript;
  return std::nullopt;
}

std::vector<std::string> CommandSet(std::string_view deviceId) {
  std::vector<std::string> commands;
  while (!deviceId.empty()) {
    const std::string_view pair = deviceId.substr(0, deviceId.find(';'));
    deviceId.remove_prefix(std::min(deviceId.size(), pair.size() + 1));
    const auto colon = pair.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string key = Upper(Trimmed(pair.substr(0, colon)));
    if (key != "CMD" && key != "COMMAND SET") continue;
    std::string_view values = pair.substr(colon + 1);
    while (!values.empty()) {
      const std::string_view value = values.substr(0, values.find(','));
      values.remove_prefix(std::min(values.size(), value.size() + 1));
      if (!Trimmed(value).empty()) commands.push_back(Upper(Trimmed(value)));
    }
  }
  return commands;
}

Languages LanguagesIn(const std::vector<std::string>& commandSet) {
  Languages languages;
  const auto names = [&](bool (*is)(const std::string&)) {
    return std::any_of(commandSet.begin(), commandSet.end(), is);
  };
  if (names(IsPcl)) languages.fontLanguages.push_back(PrinterLanguage::Pcl);
  if (names(IsPostScript)) languages.fontLanguages.push_back(PrinterLanguage::PostScript);
  languages.pjl = std::find(commandSet.begin(), commandSet.end(), "PJL") != commandSet.end();
  return languages;
}

}  // namespace fontprobe
