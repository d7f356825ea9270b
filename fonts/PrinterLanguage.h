#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fontprobe {

// The printer languages whose own fonts can be asked for.
enum class PrinterLanguage { Pcl, PostScript };

// "PCL" or "PostScript", as people write them.
const char* LanguageName(PrinterLanguage language);
// The language a user names: "postscript" or "pcl", in any letter case.
std::optional<PrinterLanguage> LanguageNamed(std::string_view name);

// Switches a printer that chooses its language job by job, and returns it to
// its own when sent after a job.
inline constexpr std::string_view kUniversalExit = "\x1b%-12345X";

// The command set an IEEE 1284 device ID names (CMD: or COMMAND SET:), each
// upper-cased; empty when it names none.
std::vector<std::string> CommandSet(std::string_view deviceId);

// What a command set (from a device ID or a PJL answer) says the printer
// speaks: the languages whose fonts can be asked, in the order to ask them
// (PCL first: its answer gives the selection that the PCL test page uses),
// and whether it speaks PJL.
struct Languages {
  std::vector<PrinterLanguage> fontLanguages;
  bool pjl = false;
};
Languages LanguagesIn(const std::vector<std::string>& commandSet);

}  // namespace fontprobe
