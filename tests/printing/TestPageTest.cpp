#include "printing/TestPage.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace fontprobe {
namespace {

const std::string kProbe = " 3333333333333333333333333333333333333333333333333333333333333333";

// The pages written out by hand, line by line, as a printer must receive them.
const std::string kEpsonPage =
    "Fontprobe for printers\r\n"
    "\r\n"
    "The character 3 is used for this test. The character 3 on OCR-B is\r\n"
    "flattened in the upper area!\r\n"
    "\r\n"
    "\r\n"
    "Used sequence: ESCk126\r\n"
    "To the comparison, here the font Courier!\r\n"
    "\x1bk\x7e" +
    kProbe +
    "\r\n"
    "\x1bk\x7e\r\n"
    "Used sequence: ESCk5\r\n"
    "Here should be printed OCR-B, if the printer knows OCR-B!\r\n"
    "\x1bk\x05" +
    kProbe +
    "\r\n"
    "\x1bk\x7e\r\n"
    "Used sequence: ESCk127\r\n"
    "Here should be printed OCR-B, if the font is added by font cartridge!\r\n"
    "\x1bk\x7f" +
    kProbe +
    "\r\n"
    "\x1bk\x7e\r\n"
    "\r\n"
    "\f";

const std::string kPclPage =
    "Fontprobe for printers!\r\n"
    "\r\n"
    "The character 3 is used for this test. The character 3 on OCR-B is\r\n"
    "flattened in the upper area!\r\n"
    "\r\n"
    "\r\n"
    "Used sequence: ESC(s3T\r\n"
    "To the comparison, here the font Courier!\r\n"
    "\x1b(s3T" +
    kProbe +
    "\r\n"
    "\x1b(s3T\r\n"
    "Used sequence: ESC(1O\r\n"
    "Here should be printed OCR-B, if the printer knows OCR-B!\r\n"
    "\x1b(1O" +
    kProbe +
    "\r\n"
    "\x1b(s3T\r\n"
    "\r\n"
    "\f";

using Lines = std::vector<std::pair<std::size_t, std::size_t>>;  // offset, length

struct PageCase {
  PrinterFamily family;
  const std::string* expected;
  std::size_t size;
  Lines lines;
};

const PageCase kPages[] = {
    {PrinterFamily::EpsonIbm, &kEpsonPage, 599, {{0, 24},   {24, 2},  {26, 68},  {94, 30},
                                                 {124, 2},  {126, 2}, {128, 24}, {152, 43},
                                                 {195, 70}, {265, 5}, {270, 22}, {292, 59},
                                                 {351, 70}, {421, 5}, {426, 24}, {450, 71},
                                                 {521, 70}, {591, 5}, {596, 2},  {598, 1}}},
    {PrinterFamily::Pcl,
     &kPclPage,
     438,
     {{0, 25},
      {25, 2},
      {27, 68},
      {95, 30},
      {125, 2},
      {127, 2},
      {129, 24},
      {153, 43},
      {196, 72},
      {268, 7},
      {275, 23},
      {298, 59},
      {357, 71},
      {428, 7},
      {435, 2},
      {437, 1}}},
};

Lines SplitAfterLineEnds(const std::string& page) {
  Lines lines;
  std::size_t start = 0;
  for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.emplace_back(start, end + 2 - start);
  }
  if (start < page.size()) lines.emplace_back(start, page.size() - start);
  return lines;
}

TEST(ComposeTestPage, GivesEachFamilysPageByteForByte) {
  for (const PageCase& c : kPages) {
    const std::string page = ComposeTestPage(c.family);
    EXPECT_EQ(page.size(), c.size);
    EXPECT_EQ(page, *c.expected);
    EXPECT_EQ(SplitAfterLineEnds(page), c.lines);
  }
}

TEST(ComposeTestPage, KeepsToTheBytesAPrinterExpects) {
  for (const PageCase& c : kPages) {
    const std::string page = ComposeTestPage(c.family);
    EXPECT_EQ(page.substr(page.size() - 5), "\r\n\r\n\f");
    EXPECT_EQ(page.find('\0'), std::string::npos);
    EXPECT_NE(page.find("OCR-B is\r\n"), std::string::npos);
    for (unsigned char byte : page) EXPECT_LT(byte, 128);
    EXPECT_EQ(ComposeTestPage(c.family), page);
  }
}

TEST(ComposeTestPage, EpsonProbeLinesPutTheProbeRightAfterTheTypefaceNumber) {
  const std::string page = ComposeTestPage(PrinterFamily::EpsonIbm);
  for (std::size_t line : {195u, 351u, 521u}) {
    EXPECT_EQ(page.substr(line, 2), "\x1bk");
    EXPECT_EQ(page[line + 3], ' ');
    EXPECT_EQ(page.substr(line + 4, 64), std::string(64, '3'));
    EXPECT_EQ(page.substr(line + 68, 2), "\r\n");
  }
}

}  // namespace
}  // namespace fontprobe
