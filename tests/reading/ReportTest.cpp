// The words a page read is told in, by the command and the Windows program alike.
#include <gtest/gtest.h>

#include "reading/Report.h"

namespace fontprobe {
namespace {

BlockReading Block(int number, const char* sequence, Typeface typeface, const char* reason = "") {
  BlockReading block;
  block.number = number;
  block.sequence = sequence;
  block.typeface = typeface;
  block.reason = reason;
  return block;
}

TEST(ReportLines, NameTheFileEachBlockAndTheVerdict) {
  PageReading epson;
  epson.family = PrinterFamily::EpsonIbm;
  epson.verdict = Verdict::OcrB;
  epson.blocks = {Block(1, "ESCk126", Typeface::Comparison), Block(2, "ESCk5", Typeface::OcrB),
                  Block(3, "ESCk127", Typeface::SameAsComparison)};
  EXPECT_EQ(ReportLines("scan.png", 1, epson),
            (std::vector<std::string>{
                "scan.png", "  block 1  ESCk126  the comparison (the printer's Courier)",
                "  block 2  ESCk5    OCR-B",
                "  block 3  ESCk127  the same as the comparison: the printer ignored the sequence",
                "This printer prints OCR-B with ESCk5."}));

  PageReading pcl;
  pcl.verdict = Verdict::Undecided;
  pcl.blocks = {Block(1, "ESC(s3T", Typeface::Comparison),
                Block(2, "ESC(1O", Typeface::Unclear, "its characters do not lie level")};
  const auto lines = ReportLines("pages.tiff", 2, pcl);
  EXPECT_EQ(lines.front(), "pages.tiff (page 2)");
  EXPECT_EQ(lines[2], "  block 2  ESC(1O   unclear: its characters do not lie level");
  EXPECT_EQ(lines.back(),
            "Undecided: block 2 (ESC(1O) could not be judged: its characters do not lie level. No "
            "block was seen to print OCR-B, but not every block could be judged: scan or "
            "photograph the page again flatter, brighter, straight on and at 300 dpi.");

  PageReading blank;
  blank.reason = "the page is blank: nothing printed was found on it";
  EXPECT_EQ(ReportLines("-", 1, blank),
            (std::vector<std::string>{
                "-", "Unreadable: the page is blank: nothing printed was found on it."}));
}

// What the page showed of how it was taken: mirrored, and lines judged from
// fewer than their 64 characters.
TEST(ReportLines, SayWhenThePageWasMirroredAndFromHowManyCharacters) {
  const auto judged = [](int number, const char* sequence, Typeface typeface, int characters) {
    BlockReading block = Block(number, sequence, typeface);
    block.evidence.found = true;
    block.evidence.characters = characters;
    return block;
  };
  PageReading page;
  page.family = PrinterFamily::EpsonIbm;
  page.verdict = Verdict::OcrB;
  page.blocks = {judged(1, "ESCk126", Typeface::Comparison, 64),
                 judged(2, "ESCk5", Typeface::OcrB, 51),
                 judged(3, "ESCk127", Typeface::SameAsComparison, 63)};
  const struct {
    const char* what;
    bool mirrored;
    std::vector<std::string> lines;
  } cases[] = {
      {"as it stands",
       false,
       {"scan.png", "  block 1  ESCk126  the comparison (the printer's Courier)",
        "  block 2  ESCk5    OCR-B, from 51 of its 64 characters",
        "  block 3  ESCk127  the same as the comparison: the printer ignored the sequence, from 63 "
        "of its 64 characters",
        "This printer prints OCR-B with ESCk5."}},
      {"mirrored",
       true,
       {"scan.png",
        "  the picture shows the page mirrored (seen through the paper, or by a front camera); it "
        "was read mirrored back",
        "  block 1  ESCk126  the comparison (the printer's Courier)",
        "  block 2  ESCk5    OCR-B, from 51 of its 64 characters",
        "  block 3  ESCk127  the same as the comparison: the printer ignored the sequence, from 63 "
        "of its 64 characters",
        "This printer prints OCR-B with ESCk5."}},
  };
  for (const auto& c : cases) {
    page.frame = PageFrame{0, c.mirrored};
    EXPECT_EQ(ReportLines("scan.png", 1, page), c.lines) << c.what;
  }
}

// Each verdict says only what was seen: no OCR-B only when every block was
// judged; undecided names each block not judged and why, or the page's reason.
TEST(VerdictSentence, SaysOnlyWhatWasSeen) {
  const struct {
    Verdict verdict;
    std::vector<BlockReading> blocks;
    const char* reason;
    const char* says;
  } cases[] = {
      {Verdict::NoOcrB,
       {Block(1, "ESCk126", Typeface::Comparison), Block(2, "ESCk5", Typeface::SameAsComparison),
        Block(3, "ESCk127", Typeface::Other, "its 3s look most like OCR-A's")},
       "",
       "No sequence printed OCR-B on this printer."},
      {Verdict::Undecided,
       {Block(1, "ESCk126", Typeface::Comparison),
        Block(2, "ESCk5", Typeface::Unclear, "its line of 3s was not found"),
        Block(3, "ESCk127", Typeface::Unclear, "its print (9-pin dots) is too coarse")},
       "",
       "Undecided: block 2 (ESCk5) could not be judged: its line of 3s was not found; block 3 "
       "(ESCk127) could not be judged: its print (9-pin dots) is too coarse. No block"},
      {Verdict::Undecided,
       {Block(1, "ESCk126", Typeface::Unclear, "its line of 3s was not found"),
        Block(2, "ESCk5", Typeface::Unclear, "the comparison line could not be read")},
       "the comparison line (ESCk126) could not be read: its line of 3s was not found",
       "Undecided: the comparison line (ESCk126) could not be read: its line of 3s was not "
       "found. No block"},
      {Verdict::Unreadable, {}, "the page is blank", "Unreadable: the page is blank."},
  };
  for (const auto& c : cases) {
    PageReading reading;
    reading.verdict = c.verdict;
    reading.blocks = c.blocks;
    reading.reason = c.reason;
    EXPECT_EQ(VerdictSentence(reading).rfind(c.says, 0), 0u) << VerdictSentence(reading);
  }
  EXPECT_STREQ(VerdictName(Verdict::Undecided), "undecided");
}

TEST(VerdictSentence, NamesEverySequenceThatPrintedOcrB) {
  PageReading both;
  both.verdict = Verdict::OcrB;
  both.blocks = {Block(1, "ESCk126", Typeface::Comparison), Block(2, "ESCk5", Typeface::OcrB),
                 Block(3, "ESCk127", Typeface::OcrB)};
  EXPECT_EQ(VerdictSentence(both), "This printer prints OCR-B with ESCk5 and with ESCk127.");
}

}  // namespace
}  // namespace fontprobe
