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
  std::string reason;                // why it is unclear, or what else it is
  std::optional<double> difference;  // from the comparison, when compared
  LineEvidence evidence;
  std::array<Point, 4> box{};  // the line's corners in the picture, when found
};

// OCR-B: a block printed OCR-B. NoOcrB: every test block was found and
// judged, and none printed OCR-B. Undecided: the test page was found, no
// block was judged OCR-B, and some could not be judged. Unreadable: no test
// page could be read.
// What to try when a test page could not be read whole.
inline constexpr const char* kTryAgain =
    "scan or photograph the page again flatter, brighter, straight on and at 300 dpi";

enum class Verdict { OcrB, NoOcrB, Undecided, Unreadable };

struct PageReading {
  std::optional<PrinterFamily> family;
  std::vector<BlockReading> blocks;
  Verdict verdict = Verdict::Unreadable;
  std::string reason;                       // why the page is unreadable or undecided
  std::optional<PageFrame> frame;           // the page's lines in the picture, once found
  double dotsPerInch = 0;                   // the scan's resolution, from the pitch of the print
  std::optional<double> statedDotsPerInch;  // what the file says, often wrong
};

// Reads a scan or photo of a printed test page: finds the page in any of four
// orientations, its lines of 3s and the text round them, and judges each test
// block's line against the comparison line.
PageReading ReadTestPage(const GreyView& picture, std::optional<double> statedDotsPerInch);

}  // namespace fontprobe
