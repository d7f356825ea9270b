// Asking a printer for its fonts over a fake connection: in a language it is
// known to speak only, a bounded exchange, and true words for every failure.
#include <gtest/gtest.h>

#include <string>

#include "fonts/Exchange.h"
#include "fonts/FontInquiry.h"
#include "fonts/PclFonts.h"
#include "fonts/Pjl.h"
#include "fonts/PostScriptFonts.h"
#include "tests/fonts/FakePrinter.h"

namespace fontprobe {
namespace {

using testing::FakePrinter;
using testing::Reply;

const std::string kPostScriptFonts =
    "\nFONTPROBE-FONTS-BEGIN\nFONT Courier\nFONT OCRB\nFONTPROBE-FONTS-END\n";
const std::string kPclFonts =
    "PCL\r\nINFO FONTS EXTENDED\r\nSELECT=\"<Esc>(8U<Esc>(s0p16.67h8.5v0s0b0T\"\r\n"
    "NAME=\"Line Printer\"\r\n\f";
const std::string kConfig =
    "@PJL INFO CONFIG\r\nLANGUAGES [1 ENUMERATED]\r\n\tPOSTSCRIPT\r\nMEMORY=8388608\r\n\f";

TEST(Exchange, ReadsUntilTheAnswerEndsTheConnectionClosesOrTooMuchCame) {
  const std::string flood(64 * 1024, 'x');
  const struct {
    const char* what;
    Reply reply;
    ExchangeEnd end;
    std::size_t received;
  } cases[] = {
      {"an answer in pieces",
       {{"\nFONTPROBE-FONTS-BEGIN\nFONT A\n", "FONTPROBE-FONTS-END", "\n", "more"}},
       ExchangeEnd::Answered,
       50},
      {"hung up at once", {{}}, ExchangeEnd::Closed, 0},
      {"half an answer, then closed",
       {{"\nFONTPROBE-FONTS-BEGIN\nFONT A\n"}},
       ExchangeEnd::Closed,
       30},
      {"silence", {{std::nullopt}}, ExchangeEnd::TimedOut, 0},
      {"a flood", {{flood}, true}, ExchangeEnd::Flooded, kLongestAnswer},
  };
  for (const auto& c : cases) {
    FakePrinter printer({c.reply});
    const Exchanged exchanged = Exchange(*printer.Connector()(), "query", PostScriptAnswerEnded);
    EXPECT_EQ(exchanged.end, c.end) << c.what;
    EXPECT_EQ(exchanged.answer.size(), c.received) << c.what;
    EXPECT_EQ(printer.sent, std::vector<std::string>{"query"}) << c.what;
    // A flood is read no further than one piece past the longest answer.
    EXPECT_LE(printer.receives, static_cast<int>(kLongestAnswer / flood.size()) + 2) << c.what;
  }
}

struct InquiryCase {
  const char* what;
  FontQuestion question;
  std::vector<Reply> replies;     // one for each connection the printer gets
  std::vector<std::string> sent;  // what each connection was sent
  bool listed;
  std::optional<PrinterLanguage> language;
  std::string says;  // a part of the problem; empty when listed
};

TEST(AskResidentFonts, AsksOnlyInALanguageThePrinterIsKnownToSpeak) {
  using enum PrinterLanguage;
  const std::string ps = PostScriptFontQuery(), pcl = PclFontQuery(), pjl = PjlConfigQuery();
  const InquiryCase cases[] = {
      {"the user's language",
       {PostScript, std::nullopt, "15 s"},
       {{{kPostScriptFonts}}},
       {ps},
       true,
       PostScript,
       ""},
      {"the device ID's",
       {std::nullopt, "MFG:Rig;CMD:PJL,PCL;", "15 s"},
       {{{kPclFonts}}},
       {pcl},
       true,
       Pcl,
       ""},
      {"PCL first when it speaks both",
       {std::nullopt, "CMD:POSTSCRIPT,PCL,PJL;", "15 s"},
       {{{kPclFonts}}},
       {pcl},
       true,
       Pcl,
       ""},
      {"the user's over the device ID's",
       {PostScript, "CMD:PCL;", "15 s"},
       {{{kPostScriptFonts}}},
       {ps},
       true,
       PostScript,
       ""},
      {"from PJL where the device ID names only PJL",
       {std::nullopt, "CMD:PJL;", "15 s"},
       {{{kConfig}}, {{kPostScriptFonts}}},
       {pjl, ps},
       true,
       PostScript,
       ""},
      {"no device ID",
       {std::nullopt, std::nullopt, "15 s"},
       {},
       {},
       false,
       std::nullopt,
       "it gave no device ID"},
      {"a dot-matrix printer's device ID",
       {std::nullopt, "MFG:OKI;CMD:EPSONFX,IBMPPR;", "15 s"},
       {},
       {},
       false,
       std::nullopt,
       "names no PostScript or PCL (its command set: EPSONFX, IBMPPR)"},
      {"PJL lists neither language",
       {std::nullopt, "CMD:PJL;", "15 s"},
       {{{"@PJL INFO CONFIG\r\nLANGUAGES [1 ENUMERATED]\r\n\tPCLXL\r\n\f"}}},
       {pjl},
       false,
       std::nullopt,
       "the printer speaks PCLXL, but no PostScript or PCL"},
      {"PJL silent",
       {std::nullopt, "CMD:PJL;", "2 s"},
       {{{std::nullopt}}},
       {pjl},
       false,
       std::nullopt,
       "did not tell its languages over PJL: no answer from the printer within 2 s"},
      {"PJL garbage",
       {std::nullopt, "CMD:PJL;", "2 s"},
       {{{"\x07\x07READY\r\n"}}},
       {pjl},
       false,
       std::nullopt,
       "its answer was no list of languages: \"\x07\x07READY\r\n\""},
      {"silence",
       {PostScript, std::nullopt, "2 s"},
       {{{std::nullopt}}},
       {ps},
       false,
       PostScript,
       "no answer from the printer within 2 s"},
      {"hung up at once",
       {Pcl, std::nullopt, "2 s"},
       {{{}}},
       {pcl},
       false,
       Pcl,
       "the printer closed the connection without answering"},
      {"half an answer",
       {PostScript, std::nullopt, "2 s"},
       {{{"\nFONTPROBE-FONTS-BEGIN\nFONT Courier\nFONT Ti", std::nullopt}}},
       {ps},
       false,
       PostScript,
       "the printer's answer broke off after 1 font: the printer's answer did not end "
       "within 2 s"},
      {"garbage",
       {Pcl, std::nullopt, "2 s"},
       {{{std::string("\x00\x17PRINTER READY\r\n", 17)}}},
       {pcl},
       false,
       Pcl,
       "the printer answered, but not with a font list (17 bytes: "},
      {"a flood",
       {Pcl, std::nullopt, "2 s"},
       {{{std::string(4096, 'x')}, true}},
       {pcl},
       false,
       Pcl,
       "the printer sent more than 1 MB, more than any answer holds; it was no longer read"},
      {"an error",
       {Pcl, std::nullopt, "2 s"},
       {{{"PCL\r\nINFO FONTS EXTENDED\r\nERROR=INVALID ENTITY\r\n\f"}}},
       {pcl},
       false,
       Pcl,
       "the printer answered ERROR=INVALID ENTITY instead of its fonts"},
  };
  for (const InquiryCase& c : cases) {
    FakePrinter printer(c.replies);
    const FontAnswer answer = AskResidentFonts(c.question, printer.Connector());
    EXPECT_EQ(printer.sent, c.sent) << c.what;
    EXPECT_EQ(answer.sent, !c.sent.empty()) << c.what;
    EXPECT_EQ(answer.listed, c.listed) << c.what;
    EXPECT_EQ(answer.language, c.language) << c.what;
    EXPECT_NE(answer.problem.find(c.says), std::string::npos) << c.what << ": " << answer.problem;
    EXPECT_EQ(answer.problem.empty(), c.listed) << c.what;
  }
}

TEST(AskResidentFonts, GivesTheFontsAndWhichAreOcrB) {
  FakePrinter printer({{{kPostScriptFonts}}});
  const FontAnswer answer =
      AskResidentFonts({PrinterLanguage::PostScript, std::nullopt, "15 s"}, printer.Connector());
  ASSERT_EQ(answer.fonts.size(), 2u);
  EXPECT_EQ(answer.fonts[0].name, "Courier");
  EXPECT_FALSE(answer.fonts[0].ocrB);
  EXPECT_EQ(answer.fonts[1].name, "OCRB");
  EXPECT_TRUE(answer.fonts[1].ocrB);
  EXPECT_EQ(answer.languageSource, "--language");
}

}  // namespace
}  // namespace fontprobe
