#pragma once

#include <optional>
#include <string>
#include <vector>

#include "printing/TestPage.h"

namespace fontprobe {

// A line of print as the test page puts it on paper: its row (one a line
// feed), and either its text's length in characters or, for a line of 3s,
// the sequence that printed it as its label spells it ("ESCk5").
struct PrintedLine {
  int row = 0;
  int characters = 0;
  bool probe = false;
  std::string sequence;
};
// The lines with print on them, top to bottom, read from the page's own bytes.
std::vector<PrintedLine> PrintedLines(PrinterFamily family);

// A line of print seen on a scan: where it is down the page (pixels), and
// whether it is a line of like characters or text of so many characters.
struct SeenLine {
  double v = 0;
  bool probe = false;
  double characters = 0;
};

// Which test page the seen lines are, which seen line (by index) is each
// block's line of 3s, where it was seen, and where down the page each block's
// line of 3s should be, seen or not (a line printed too faint to be found
// among the others may still be read where it should be).
struct LayoutMatch {
  PrinterFamily family = PrinterFamily::Pcl;
  std::vector<std::optional<std::size_t>> blocks;
  std::vector<double> blockPlaces;
  double score = 0;
};

// The page that the lines (top to bottom, `spacing` apart) fit best, told by
// its lines of 3s and the labels, captions and heading round them; nothing,
// with the reason, when they fit neither page or both alike. Lines expected
// between `top` and `bottom` (the picture's edges) count against a page when
// they were not seen.
struct LayoutResult {
  std::optional<LayoutMatch> match;
  std::string problem;
};
LayoutResult MatchLayout(const std::vector<SeenLine>& lines, double spacing, double top,
                         double bottom);

}  // namespace fontprobe
