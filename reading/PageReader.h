#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "printing/TestPage.h"
#include "reading/Image.h"
#include "reading/PageFrame.h"
#include "reading/Typeface.h"

namespace fontprobe {

// One test block of a page read: its sequence as the page spells it
// ("ESCk5"), how its line of 3s printed, and the evidence.
struct BlockReading {
  int number = 0;
  std::string sequence;
  Typeface typeface = Typeface::Unclear;
  std::string reason;  // why it is unclear, or what else it is
  double difference = 0;
  LineEvidence evidence;
  std::array<Point, 4> box{};  // the line's corners in the picture, when found
};

enum class Verdict { OcrB, NoOcrB, Unreadable };

struct PageReading {
  std::optional<PrinterFamily> family;
  std::vector<BlockReading> blocks;
  Verdict verdict = Verdict::Unreadable;
  std::string reason;                       // why the page is unreadable
  std::optional<PageFrame> frame;           // the page's lines in the picture, once found
  double dotsPerInch = 0;                   // the scan's resolution, from the pitch of the print
  std::optional<double> statedDotsPerInch;  // what the file says, often wrong
};

// Reads a scan or photo of a printed test page: finds the page in any of four
// orientations, its lines of 3s and the text round them, and judges each test
// block's line against the comparison line.
PageReading ReadTestPage(const GreyView& picture, std::optional<double> statedDotsPerInch);

}  // namespace fontprobe
