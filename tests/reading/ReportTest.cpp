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
  pcl.verdict = Verdict::NoOcrB;
  pcl.blocks = {Block(1, "ESC(s3T", Typeface::Comparison),
                Block(2, "ESC(1O", Typeface::Unclear, "its characters do not lie level")};
  const auto lines = ReportLines("pages.tiff", 2, pcl);
  EXPECT_EQ(lines.front(), "pages.tiff (page 2)");
  EXPECT_EQ(lines[2], "  block 2  ESC(1O   unclear: its characters do not lie level");
  EXPECT_EQ(lines.back(),
            "No sequence printed OCR-B on this printer; block 2 could not be judged.");

  PageReading blank;
  blank.reason = "the page is blank: nothing printed was found on it";
  EXPECT_EQ(ReportLines("-", 1, blank),
            (std::vector<std::string>{
                "-", "Unreadable: the page is blank: nothing printed was found on it."}));
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
