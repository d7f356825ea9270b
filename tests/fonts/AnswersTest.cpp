// Reading printers' answers to the font queries: whole, broken off, garbage.
#include <gtest/gtest.h>

#include "fonts/PclFonts.h"
#include "fonts/PostScriptFonts.h"

namespace fontprobe {
namespace {

std::vector<std::string> Names(const FontListing& listing) {
  std::vector<std::string> names;
  for (const ResidentFont& font : listing.fonts) {
    names.push_back((font.ocrB ? "*" : "") + (font.name.empty() ? font.selection : font.name));
  }
  return names;
}

struct AnswerCase {
  const char* what;
  std::string answer;
  ListingState state;
  std::vector<std::string> fonts;  // OCR-B ones marked with a *
};

void ExpectListings(const std::vector<AnswerCase>& cases, FontListing (*read)(std::string_view),
                    bool (*ended)(std::string_view)) {
  for (const AnswerCase& c : cases) {
    const FontListing listing = read(c.answer);
    EXPECT_EQ(listing.state, c.state) << c.what;
    EXPECT_EQ(Names(listing), c.fonts) << c.what;
    // Reading stops at the end of an answer: a whole list, or the printer's error.
    EXPECT_EQ(ended(c.answer), c.state == ListingState::Whole || !listing.printerError.empty())
        << c.what;
  }
}

TEST(ReadPostScriptAnswer, ListsEachFontOnceAndTellsABrokenOrForeignAnswer) {
  const std::string whole =
      "%%[ status: busy; source: AppSocket ]%%\r\n\nFONTPROBE-FONTS-BEGIN\nFONT Courier\n"
      "FONT OCRB\nFONT Helvetica-Bold\nFONT Courier\nRESIDENT OCRB\nRESIDENT OCR-B-10-BT\n"
      "FONTPROBE-FONTS-END\n";
  ExpectListings(
      {
          {"a whole answer after a status message",
           whole,
           ListingState::Whole,
           {"Courier", "*OCRB", "Helvetica-Bold", "*OCR-B-10-BT"}},
          {"with CR LF line ends",
           "FONTPROBE-FONTS-BEGIN\r\nFONT Times-Roman\r\nFONTPROBE-FONTS-END\r\n",
           ListingState::Whole,
           {"Times-Roman"}},
          {"cut off in a name",
           whole.substr(0, whole.find("Helvetica") + 4),
           ListingState::BrokenOff,
           {"Courier", "*OCRB"}},
          {"an error report in the middle",
           "FONTPROBE-FONTS-BEGIN\nFONT Courier\n%%[ Error: VMerror; OffendingCommand: "
           "resourceforall ]%%\nFONTPROBE-FONTS-END\n",
           ListingState::Whole,
           {"Courier"}},
          {"no font at all",
           "FONTPROBE-FONTS-BEGIN\nFONTPROBE-FONTS-END\n",
           ListingState::Whole,
           {}},
          {"the end line not yet whole",
           "FONTPROBE-FONTS-BEGIN\nFONT A\nFONTPROBE-FONTS-END",
           ListingState::BrokenOff,
           {"A"}},
          {"a page of text",
           "PRINTER READY\r\n%!PS\r\nFONT Courier\r\n",
           ListingState::NotAFontList,
           {}},
          {"nothing", "", ListingState::NotAFontList, {}},
      },
      ReadPostScriptAnswer, PostScriptAnswerEnded);
}

TEST(ReadPostScriptAnswer, RefusesMoreFontsThanAnyPrinterHolds) {
  std::string answer = "FONTPROBE-FONTS-BEGIN\n";
  for (std::size_t i = 0; i <= kMostFonts; ++i) answer += "FONT F" + std::to_string(i) + "\n";
  EXPECT_EQ(ReadPostScriptAnswer(answer + "FONTPROBE-FONTS-END\n").state,
            ListingState::TooManyFonts);
}

TEST(ReadPclAnswer, ReadsTheStatusReadbackAsItIsDocumented) {
  // A font extended answer: SELECT= for each font, then the keywords for it.
  const std::string extended =
      "PCL\r\nINFO FONTS EXTENDED\r\n"
      "SELECT=\"<Esc>(8U<Esc>(s0p16.67h8.5v0s0b0T\"\r\nDEFID=\"I 45\"\r\nNAME=\"Line Printer\"\r\n"
      "SELECT=\"<Esc>(s1p__v1s3b4111T<Esc>(7X\"\r\nSYMBOLSETS=\"0D,0I,0N,0S,0U,1E\"\r\n"
      "DEFID=NONE\r\nNAME=\"CG Palacio BdIt\"\r\n"
      "SELECT=\"<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T\"\r\nDEFID=\"C 12\"\r\nNAME=\"OCR-B\"\r\n"
      "SELECT=\"<Esc>(0O<Esc>(s0p10.00h12.0v0s0b104T\"\r\nDEFID=\"C 11\"\r\nNAME=\"OCR-A\"\r\n\f";
  ExpectListings(
      {
          {"font extended",
           extended,
           ListingState::Whole,
           {"Line Printer", "CG Palacio BdIt", "*OCR-B", "OCR-A"}},
          {"plain font status, after a PJL status",
           "@PJL USTATUS DEVICE\r\nCODE=10001\r\n\fPCL\r\nINFO FONTS\r\n"
           "SELECT=\"<Esc>(s0p__h0s0b4099T\"\r\nSYMBOLSETS=\"0D,0I\"\r\n"
           "SELECT=\"<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T\"\f",
           ListingState::Whole,
           {"<Esc>(s0p__h0s0b4099T", "*<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T"}},
          {"a name that says OCR-B beside another symbol set",
           "PCL\nINFO FONTS EXTENDED\nSELECT=\"<Esc>(s0p__h0s0b110T\"\nNAME=\"OCR B Std\"\n\f",
           ListingState::Whole,
           {"*OCR B Std"}},
          {"no fonts there", "PCL\r\nINFO FONTS\r\nERROR=NONE\r\n\f", ListingState::Whole, {}},
          {"an error instead of fonts",
           "PCL\r\nINFO FONTS\r\nERROR=INVALID LOCATION\r\n\f",
           ListingState::NotAFontList,
           {}},
          {"cut off before its form feed",
           extended.substr(0, extended.find("DEFID=\"C 12\"")),
           ListingState::BrokenOff,
           {"Line Printer", "CG Palacio BdIt", "*<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T"}},
          {"an echo of the query as text",
           "\x1b*s2T\x1b*s0U\x1b*s4IPCL INFO FONTS\r\n\f",
           ListingState::NotAFontList,
           {}},
          {"PostScript's answer",
           "FONTPROBE-FONTS-BEGIN\nFONT Courier\nFONTPROBE-FONTS-END\n",
           ListingState::NotAFontList,
           {}},
      },
      ReadPclAnswer, PclAnswerEnded);
}

TEST(ReadPclAnswer, KeepsThePrintersErrorWords) {
  EXPECT_EQ(ReadPclAnswer("PCL\r\nINFO FONTS\r\nERROR=INVALID LOCATION\r\n\f").printerError,
            "INVALID LOCATION");
}

TEST(FontQueries, AreWrappedSoThePrinterReturnsToItsOwnLanguage) {
  const std::string uel = "\x1b%-12345X";
  for (const auto& [query, language] : {std::pair{PostScriptFontQuery(), std::string("POSTSCRIPT")},
                                        std::pair{PclFontQuery(), std::string("PCL")}}) {
    EXPECT_EQ(query.rfind(uel + "@PJL ENTER LANGUAGE = " + language + "\r\n", 0), 0u) << query;
    EXPECT_EQ(query.substr(query.size() - uel.size()), uel) << query;
  }
  // PostScript: listed by resourceforall; findfont would give Courier for a missing font;
  // no page is made.
  const std::string postScript = PostScriptFontQuery();
  EXPECT_NE(postScript.find("/Font resourceforall"), std::string::npos);
  EXPECT_EQ(postScript.find("findfont"), std::string::npos);
  EXPECT_EQ(postScript.find("showpage"), std::string::npos);
  EXPECT_NE(PclFontQuery().find("\x1b*s2T\x1b*s0U\x1b*s4I"), std::string::npos);
}

}  // namespace
}  // namespace fontprobe
