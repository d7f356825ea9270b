#include "fonts/FontInquiry.h"

#include "fonts/Exchange.h"
#include "fonts/PclFonts.h"
#include "fonts/Pjl.h"
#include "fonts/PostScriptFonts.h"

namespace fontprobe {
namespace {

std::string Joined(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : ", ") + word;
  return joined;
}

// The start of what a printer sent, for a person to recognise it by.
std::string Excerpt(const std::string& answer) {
  constexpr std::size_t kShown = 60;
  std::string excerpt = "\"";
  excerpt.append(answer, 0, kShown);
  excerpt.append(answer.size() > kShown ? "...\"" : "\"");
  return excerpt;
}

// Why an exchange gave no whole answer, when nothing was made of its bytes.
std::string Unanswered(const Exchanged& exchanged, const std::string& within) {
  switch (exchanged.end) {
    case ExchangeEnd::TimedOut:
      return exchanged.answer.empty() ? "no answer from the printer within " + within
                                      : "the printer's answer did not end within " + within;
    case ExchangeEnd::Closed:
      return exchanged.answer.empty() ? "the printer closed the connection without answering"
                                      : "the printer closed the connection in the middle of "
                                        "its answer";
    case ExchangeEnd::Flooded:
      return "the printer sent more than " + std::to_string(kLongestAnswer >> 20) +
             " MB, more than any answer holds; it was no longer read";
    case ExchangeEnd::Answered:
      break;
  }
  return "the printer's answer ended";
}

// What the printer's languages are, from the device ID or, where that says it
// speaks PJL, from asking it over PJL; empty with `answer.problem` set when
// none can be asked.
std::vector<PrinterLanguage> KnownLanguages(const FontQuestion& question,
                                            const ConnectToPrinter& connect, FontAnswer& answer) {
  if (question.language) {
    answer.languageSource = "--language";
    return {*question.language};
  }
  if (!question.deviceId || question.deviceId->empty()) {
    answer.problem = "the printer's language is not known: it gave no device ID";
    return {};
  }
  const std::vector<std::string> commands = CommandSet(*question.deviceId);
  const Languages fromId = LanguagesIn(commands);
  answer.languageSource = "device ID";
  if (!fromId.fontLanguages.empty()) return fromId.fontLanguages;
  if (!fromId.pjl) {
    answer.problem = commands.empty() ? "the printer's device ID names no command set"
                                      : "the printer's device ID names no PostScript or PCL "
                                        "(its command set: " +
                                            Joined(commands) + ")";
    return {};
  }
  answer.languageSource = "PJL";
  answer.sent = true;
  const Exchanged exchanged = Exchange(*connect(), PjlConfigQuery(), PjlAnswerEnded);
  const auto languages = LanguagesInConfig(exchanged.answer);
  if (!languages) {
    answer.problem = "the printer did not tell its languages over PJL: " +
                     (exchanged.end == ExchangeEnd::Answered || !exchanged.answer.empty()
                          ? "its answer was no list of languages: " + Excerpt(exchanged.answer)
                          : Unanswered(exchanged, question.within));
    return {};
  }
  const Languages fromPjl = LanguagesIn(*languages);
  if (fromPjl.fontLanguages.empty()) {
    answer.problem = "the printer speaks " + Joined(*languages) + ", but no PostScript or PCL";
  }
  return fromPjl.fontLanguages;
}

// Why a listing that is not whole gives no list.
std::string NoList(const FontListing& listing, const Exchanged& exchanged,
                   const std::string& within) {
  switch (listing.state) {
    case ListingState::TooManyFonts:
      return "the printer listed more than " + std::to_string(kMostFonts) +
             " fonts, more than any printer holds; it is not taken as its list";
    case ListingState::BrokenOff:
      return "the printer's answer broke off after " + std::to_string(listing.fonts.size()) +
             (listing.fonts.size() == 1 ? " font: " : " fonts: ") + Unanswered(exchanged, within);
    case ListingState::NotAFontList:
      if (!listing.printerError.empty()) {
        return "the printer answered ERROR=" + listing.printerError + " instead of its fonts";
      }
      if (exchanged.answer.empty()) return Unanswered(exchanged, within);
      if (exchanged.end == ExchangeEnd::Flooded) {
        return Unanswered(exchanged, within) +
               ", and none of it was a font list: " + Excerpt(exchanged.answer);
      }
      return "the printer answered, but not with a font list (" +
             std::to_string(exchanged.answer.size()) + " bytes: " + Excerpt(exchanged.answer) + ")";
    case ListingState::Whole:
      break;
  }
  return {};
}

}  // namespace

FontAnswer AskResidentFonts(const FontQuestion& question, const ConnectToPrinter& connect) {
  FontAnswer answer;
  const std::vector<PrinterLanguage> languages = KnownLanguages(question, connect, answer);
  if (languages.empty()) return answer;
  // Asked in the first language it speaks only: a printer that stays silent
  // in one has used up the time for the other.
  const PrinterLanguage language = languages.front();
  answer.language = language;
  answer.sent = true;
  const bool pcl = language == PrinterLanguage::Pcl;
  const Exchanged exchanged = Exchange(*connect(), pcl ? PclFontQuery() : PostScriptFontQuery(),
                                       pcl ? PclAnswerEnded : PostScriptAnswerEnded);
  FontListing listing =
      pcl ? ReadPclAnswer(exchanged.answer) : ReadPostScriptAnswer(exchanged.answer);
  answer.listed = listing.state == ListingState::Whole;
  if (!answer.listed) answer.problem = NoList(listing, exchanged, question.within);
  answer.fonts = std::move(listing.fonts);
  return answer;
}

}  // namespace fontprobe
