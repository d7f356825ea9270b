#include "fonts/PostScriptFonts.h"

#include <set>

#include "fonts/AnswerText.h"
#include "fonts/PrinterLanguage.h"

namespace fontprobe {
namespace {

// The answer's own lines: what else a printer says (its status messages, an
// error's report) is told apart from them.
constexpr std::string_view kBegin = "FONTPROBE-FONTS-BEGIN";
constexpr std::string_view kEnd = "FONTPROBE-FONTS-END";
constexpr std::string_view kFont = "FONT ";
constexpr std::string_view kResident = "RESIDENT ";

// A PostScript string of any text: its bytes as hexadecimal, which no name
// can break out of.
std::string HexString(std::string_view text) {
  static const char digits[] = "0123456789ABCDEF";
  std::string hex = "<";
  for (const unsigned char c : text) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex + ">";
}

// Runs `code` so that an error in it is caught and what it left on the
// operand stack is cleared.
std::string Guarded(const std::string& code) {
  return "mark { " + code + " } stopped pop cleartomark\n";
}

}  // namespace

std::string PostScriptFontQuery() {
  std::string query = std::string(kUniversalExit) + "@PJL ENTER LANGUAGE = POSTSCRIPT\r\n%!PS\n";
  query += "(\\n" + std::string(kBegin) + "\\n) print\n";
  // resourceforall, not findfont: findfont quietly gives Courier for a font
  // that is not there.
  query += Guarded("(*) { (" + std::string(kFont) +
                   ") print print (\\n) print } 1024 string /Font resourceforall");
  for (const std::string& name : OcrBFontNames()) {
    query += Guarded(HexString(name) + " cvn /Font resourcestatus { pop pop (" +
                     std::string(kResident) + name + "\\n) print } if");
  }
  query += "(" + std::string(kEnd) + "\\n) print flush\n";
  return query + std::string(kUniversalExit);
}

bool PostScriptAnswerEnded(std::string_view received) {
  const auto begin = received.find(kBegin);
  if (begin == std::string_view::npos) return false;
  // The end line is a line of its own, with its line end.
  for (auto end = received.find(kEnd, begin); end != std::string_view::npos;
       end = received.find(kEnd, end + 1)) {
    const auto after = end + kEnd.size();
    const bool lineStart = received[end - 1] == '\n' || received[end - 1] == '\r';
    if (lineStart && after < received.size() &&
        (received[after] == '\n' || received[after] == '\r')) {
      return true;
    }
  }
  return false;
}

FontListing ReadPostScriptAnswer(std::string_view answer) {
  FontListing listing;
  const auto begin = answer.find(kBegin);
  if (begin == std::string_view::npos) return listing;
  listing.state = ListingState::BrokenOff;
  std::set<std::string> seen;
  ForEachLine(answer.substr(begin + kBegin.size()), [&](std::string_view line) {
    if (line == kEnd) {
      listing.state = ListingState::Whole;
      return false;
    }
    std::string_view name;
    if (StartsWith(line, kFont)) name = line.substr(kFont.size());
    if (StartsWith(line, kResident)) name = line.substr(kResident.size());
    if (name.empty() || name.size() > kLongestName || !seen.insert(std::string(name)).second) {
      return true;
    }
    if (listing.fonts.size() == kMostFonts) {
      listing.state = ListingState::TooManyFonts;
      return false;
    }
    listing.fonts.push_back({std::string(name), "", IsOcrBName(name)});
    return true;
  });
  return listing;
}

}  // namespace fontprobe
