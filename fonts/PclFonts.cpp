#include "fonts/PclFonts.h"

#include "fonts/AnswerText.h"
#include "fonts/PrinterLanguage.h"

namespace fontprobe {
namespace {

constexpr char kFormFeed = '\f';

// Where the answer's own lines begin: at the end of its "INFO FONTS" line,
// after a "PCL" line (whatever else the printer said before them); npos when
// they are not there.
std::size_t ListStart(std::string_view received) {
  bool afterPcl = false;
  std::size_t start = std::string_view::npos;
  std::size_t offset = 0;
  ForEachLine(received, [&](std::string_view line) {
    offset = static_cast<std::size_t>(line.data() - received.data()) + line.size();
    const std::string_view words = Trimmed(line);
    if (afterPcl && StartsWith(words, "INFO FONTS")) {
      start = offset;
      return false;
    }
    if (!words.empty()) afterPcl = words == "PCL";
    return true;
  });
  return start;
}

// A keyword's value without the quotes round it.
std::string_view Value(std::string_view line, std::string_view keyword) {
  std::string_view value = Trimmed(line.substr(keyword.size()));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::string PclFontQuery() {
  // Location type 2 is all locations, unit 0 all units; entity 4 is font
  // extended, which adds each font's name.
  return std::string(kUniversalExit) +
         "@PJL ENTER LANGUAGE = PCL\r\n\x1b"
         "E\x1b*s2T\x1b*s0U\x1b*s4I\x1b"
         "E" +
         std::string(kUniversalExit);
}

bool PclAnswerEnded(std::string_view received) {
  const std::size_t start = ListStart(received);
  return start != std::string_view::npos &&
         received.find(kFormFeed, start) != std::string_view::npos;
}

FontListing ReadPclAnswer(std::string_view answer) {
  FontListing listing;
  const std::size_t start = ListStart(answer);
  if (start == std::string_view::npos) return listing;
  std::string_view list = answer.substr(std::min(start, answer.size()));
  const auto formFeed = list.find(kFormFeed);
  listing.state =
      formFeed == std::string_view::npos ? ListingState::BrokenOff : ListingState::Whole;
  // The line before the form feed is whole even without a line end.
  const std::string body =
      std::string(list.substr(0, formFeed)) + (formFeed != std::string_view::npos ? "\n" : "");
  ForEachLine(body, [&](std::string_view line) {
    const std::string_view words = Trimmed(line);
    if (StartsWith(words, "SELECT=")) {
      if (listing.fonts.size() == kMostFonts) {
        listing.state = ListingState::TooManyFonts;
        return false;
      }
      const std::string_view selection = Value(words, "SELECT=");
      listing.fonts.push_back(
          {"", std::string(selection.substr(0, kLongestName)), SelectsOcrBSymbolSet(selection)});
    } else if (StartsWith(words, "NAME=") && !listing.fonts.empty()) {
      ResidentFont& font = listing.fonts.back();
      font.name = std::string(Value(words, "NAME=").substr(0, kLongestName));
      font.ocrB = font.ocrB || IsOcrBName(font.name);
    } else if (StartsWith(words, "ERROR=")) {
      listing.printerError = std::string(Value(words, "ERROR=").substr(0, kLongestName));
    }
    return true;
  });
  if (listing.state == ListingState::Whole && !listing.printerError.empty() &&
      listing.printerError != "NONE") {
    listing.state = ListingState::NotAFontList;
  }
  return listing;
}

}  // namespace fontprobe
