// Telling the test page from the lines seen on a scan.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "reading/PageLayout.h"

namespace fontprobe {
namespace {

constexpr double kSpacing = 50;  // pixels from line to line, as at 300 dpi

TEST(PrintedLines, AreReadFromThePagesOwnBytes) {
  const auto epson = PrintedLines(PrinterFamily::EpsonIbm);
  const auto pcl = PrintedLines(PrinterFamily::Pcl);
  ASSERT_EQ(epson.size(), 12u);
  ASSERT_EQ(pcl.size(), 9u);
  std::vector<std::string> sequences;
  for (const auto& line : epson) {
    if (line.probe) sequences.push_back(line.sequence);
  }
  for (const auto& line : pcl) {
    if (line.probe) sequences.push_back(line.sequence);
  }
  EXPECT_EQ(sequences,
            (std::vector<std::string>{"ESCk126", "ESCk5", "ESCk127", "ESC(s3T", "ESC(1O"}));
  EXPECT_EQ(epson[0].characters, 22);  // "Fontprobe for printers"
  EXPECT_EQ(pcl[0].characters, 23);    // "Fontprobe for printers!"
  EXPECT_EQ(epson.back().row, 16);
  EXPECT_TRUE(epson.back().probe);
}

// The page's printed lines as a scan shows them, from row `from` on, starting
// `top` pixels down; each line's length off by `error` characters.
std::vector<SeenLine> Seen(PrinterFamily family, int from = 0, int to = 99, double error = 0) {
  std::vector<SeenLine> seen;
  for (const PrintedLine& line : PrintedLines(family)) {
    if (line.row < from || line.row > to) continue;
    seen.push_back(
        {300 + line.row * kSpacing + (line.probe ? -4 : 3), line.probe, line.characters + error});
    error = -error;
  }
  return seen;
}

std::optional<LayoutMatch> Match(const std::vector<SeenLine>& seen, double bottom = 4000) {
  return MatchLayout(seen, kSpacing, 0, bottom).match;
}

TEST(MatchLayout, TellsEachPageAndFindsItsLinesOf3s) {
  const auto epson = Match(Seen(PrinterFamily::EpsonIbm, 0, 99, 0.3));
  ASSERT_TRUE(epson);
  EXPECT_EQ(epson->family, PrinterFamily::EpsonIbm);
  EXPECT_EQ(epson->blocks, (std::vector<std::optional<std::size_t>>{5, 8, 11}));
  const auto pcl = Match(Seen(PrinterFamily::Pcl, 0, 99, 0.3));
  ASSERT_TRUE(pcl);
  EXPECT_EQ(pcl->family, PrinterFamily::Pcl);
  EXPECT_EQ(pcl->blocks, (std::vector<std::optional<std::size_t>>{5, 8}));
}

TEST(MatchLayout, ALostLineNeverTurnsTheEpsonPageIntoThePclPage) {
  // The third block cut off the bottom of the scan: the heading and the
  // second label still say Epson.
  const auto cut = Match(Seen(PrinterFamily::EpsonIbm, 0, 13), 300 + 14 * kSpacing);
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->family, PrinterFamily::EpsonIbm);
  EXPECT_EQ(cut->blocks[2], std::nullopt);

  // The third block's line of 3s not seen (too faint), its label and caption seen.
  std::vector<SeenLine> faint = Seen(PrinterFamily::EpsonIbm);
  faint.pop_back();
  const auto lost = Match(faint);
  ASSERT_TRUE(lost);
  EXPECT_EQ(lost->family, PrinterFamily::EpsonIbm);

  // Only the lines of 3s of the first two blocks: either page.
  const std::vector<SeenLine> two = Seen(PrinterFamily::EpsonIbm, 8, 12);
  std::vector<SeenLine> probes;
  for (const SeenLine& line : two) {
    if (line.probe) probes.push_back(line);
  }
  const LayoutResult unsure = MatchLayout(probes, kSpacing, 0, 4000);
  EXPECT_FALSE(unsure.match);
  EXPECT_FALSE(unsure.problem.empty());
}

TEST(MatchLayout, NeverLeavesALineOf3sWithoutABlock) {
  // The PCL page with a line of 3s three rows past its last block (the Epson
  // page's third block, its label and caption lost, or a misplaced line): a
  // page of two blocks would leave that line unjudged and seem whole.
  std::vector<SeenLine> pclAndMore = Seen(PrinterFamily::Pcl);
  pclAndMore.push_back({pclAndMore.back().v + 3 * kSpacing, true, 64});
  EXPECT_FALSE(Match(pclAndMore));
  // The Epson page without its third block's label and caption: the Epson
  // page or none, never the PCL page.
  std::vector<SeenLine> epson = Seen(PrinterFamily::EpsonIbm);
  epson.erase(epson.end() - 3, epson.end() - 1);
  const auto match = Match(epson);
  EXPECT_TRUE(!match || match->family == PrinterFamily::EpsonIbm);
}

TEST(MatchLayout, StrayMarksBetweenLinesDoNotMoveTheRows) {
  std::vector<SeenLine> seen = Seen(PrinterFamily::Pcl);
  seen.insert(seen.begin() + 2, {300 + 1.5 * kSpacing, false, 12});  // a smudge between lines
  seen.push_back({300 + 40 * kSpacing, false, 30});                  // the sheet's bottom edge
  const auto match = Match(seen);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->family, PrinterFamily::Pcl);
  EXPECT_EQ(match->blocks, (std::vector<std::optional<std::size_t>>{6, 9}));
}

TEST(MatchLayout, PlacesEachLineOf3sSeenOrNot) {
  const struct {
    PrinterFamily family;
    std::size_t unseen;  // the block whose line of 3s was too faint to be found
  } cases[] = {{PrinterFamily::EpsonIbm, 0}, {PrinterFamily::EpsonIbm, 2}, {PrinterFamily::Pcl, 0}};
  for (const auto& c : cases) {
    std::vector<SeenLine> seen = Seen(c.family);
    std::vector<double> places;
    std::size_t block = 0;
    for (auto line = seen.begin(); line != seen.end();) {
      if (!line->probe) {
        ++line;
        continue;
      }
      places.push_back(line->v);
      line = block++ == c.unseen ? seen.erase(line) : line + 1;
    }
    const auto match = Match(seen);
    ASSERT_TRUE(match);
    ASSERT_EQ(match->blockPlaces.size(), places.size());
    EXPECT_EQ(match->blocks[c.unseen], std::nullopt);
    for (std::size_t k = 0; k < places.size(); ++k) {
      // Placed a whole number of spacings from a text line, which sits 7
      // pixels lower on its row than a line of 3s.
      EXPECT_NEAR(match->blockPlaces[k], places[k], k == c.unseen ? 8 : 0.5) << k;
    }
  }
}

// A photo taken at an angle spaces the lines wider where the sheet was
// nearer than the spacing measured over the whole picture, and a line of 3s
// printed in another face sits higher or lower on its row than the text: the
// rows are still counted right.
TEST(MatchLayout, CountsRowsByTheSpacingTheTextShows) {
  const struct {
    const char* what;
    double spacing;  // as the lines lie, against kSpacing measured
    double shift;    // of the second block's line of 3s on its row
  } cases[] = {
      {"8% wider", 1.08 * kSpacing, 0},
      {"8% wider, a line of 3s a quarter row high", 1.08 * kSpacing, -0.25 * kSpacing},
      {"8% narrower, a line of 3s a quarter row low", 0.92 * kSpacing, 0.25 * kSpacing},
  };
  for (const auto& c : cases) {
    std::vector<SeenLine> seen;
    int probes = 0;
    for (const PrintedLine& line : PrintedLines(PrinterFamily::EpsonIbm)) {
      const double shift = line.probe && ++probes == 2 ? c.shift : 0;
      seen.push_back({300 + line.row * c.spacing + shift, line.probe, double(line.characters)});
    }
    const auto match = Match(seen);
    ASSERT_TRUE(match) << c.what;
    EXPECT_EQ(match->family, PrinterFamily::EpsonIbm) << c.what;
    EXPECT_EQ(match->blocks, (std::vector<std::optional<std::size_t>>{5, 8, 11})) << c.what;
  }
}

TEST(MatchLayout, RefusesLinesThatAreNoTestPage) {
  std::vector<SeenLine> text;
  for (int row = 0; row < 12; ++row) text.push_back({300 + row * kSpacing, false, 60});
  EXPECT_FALSE(Match(text));
  std::vector<SeenLine> oneProbe{{300, true, 65}};
  EXPECT_FALSE(Match(oneProbe));
  EXPECT_FALSE(Match({}));
}

}  // namespace
}  // namespace fontprobe
