#include "printing/TestPage.h"

#include <vector>

namespace fontprobe {
namespace {

constexpr char kEsc = '\x1b';
constexpr const char* kLineEnd = "\r\n";

struct TestBlock {
  const char* label;
  const char* caption;
  std::string sequence;  // the bytes that follow ESC on the probe line
};

struct PageLayout {
  const char* heading;
  std::string comparison;  // the Courier sequence that closes every block
  std::vector<TestBlock> blocks;
};

PageLayout LayoutFor(PrinterFamily family) {
  const char* courier = "To the comparison, here the font Courier!";
  const char* builtIn = "Here should be printed OCR-B, if the printer knows OCR-B!";
  if (family == PrinterFamily::EpsonIbm) {
    return {"Fontprobe for printers",
            std::string{kEsc, 'k', '\x7e'},
            {{"Used sequence: ESCk126", courier, std::string{'k', '\x7e'}},
             {"Used sequence: ESCk5", builtIn, std::string{'k', '\x05'}},
             {"Used sequence: ESCk127",
              "Here should be printed OCR-B, if the font is added by font cartridge!",
              std::string{'k', '\x7f'}}}};
  }
  return {"Fontprobe for printers!",
          std::string{kEsc} + "(s3T",
          {{"Used sequence: ESC(s3T", courier, "(s3T"}, {"Used sequence: ESC(1O", builtIn, "(1O"}}};
}

}  // namespace

std::string ComposeTestPage(PrinterFamily family) {
  const std::string probe = " " + std::string(64, '3');
  const PageLayout layout = LayoutFor(family);

  std::string page;
  page += layout.heading;
  page += kLineEnd;
  page += kLineEnd;
  page += "The character 3 is used for this test. The character 3 on OCR-B is";
  page += kLineEnd;
  page += "flattened in the upper area!";
  page += kLineEnd;
  page += kLineEnd;
  page += kLineEnd;
  for (const TestBlock& block : layout.blocks) {
    page += block.label;
    page += kLineEnd;
    page += block.caption;
    page += kLineEnd;
    page += kEsc + block.sequence + probe + kLineEnd;
    page += layout.comparison + kLineEnd;
  }
  page += kLineEnd;
  page += '\f';
  return page;
}

}  // namespace fontprobe
