// A line of 3s as the reader measures it and cuts it into characters, clean
// and damaged: a pale band, glare, a streak, a stamp, a worn ribbon's upper
// pins, the edge of a green band, a pitch that grows along the line.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

#include "reading/Lines.h"
#include "reading/ProbeLine.h"
#include "reading/ReferenceGlyphs.h"

namespace fontprobe {
namespace {

constexpr int kCount = 64;
constexpr double kPitch = 30;  // pixels
constexpr int kMiddle = 60;    // of the line, down the map
constexpr double kSpacing = 50;

// How the ink of character k at (x, y) of the map comes out; (cx, cy) is the
// character's centre.
using Change = std::function<float(int k, double x, double y, double cx, double cy, float ink)>;

// Each character's centre along the line: evenly, or growing from `pitch` by
// `growth` a character.
double Centre(int k, double growth, double pitch = kPitch) {
  return 100 + pitch * k + growth * k * k / 2;
}

// How far character k stands below the line's middle, in pixels.
using Lift = std::function<double(int k)>;

// An ink map holding a line of 64 Courier 3s, changed as `change` says.
InkMap LineOf3s(const Change& change, double growth = 0, double pitch = kPitch,
                const Lift& lift = {}) {
  const Glyph three = ReferenceInk(kReferenceFaces[2], 3);  // TeX Gyre Cursor
  const int width = static_cast<int>(Centre(kCount, growth, pitch)) + 100;
  InkMap map{width, 2 * kMiddle,
             std::vector<std::uint8_t>(static_cast<std::size_t>(width) * 2 * kMiddle)};
  for (int k = 0; k < kCount; ++k) {
    const double cx = Centre(k, growth, pitch), step = (pitch + growth * k) / kGlyphWidth;
    const double cy = kMiddle + (lift ? lift(k) : 0);
    for (int y = 0; y < map.height; ++y) {
      for (int x = static_cast<int>(cx - pitch); x < cx + pitch; ++x) {
        const double gx = (x + 0.5 - cx) / step + kGlyphWidth / 2.0;
        const double gy = (y + 0.5 - cy) / step + kGlyphHeight / 2.0;
        const float ink = change(k, x + 0.5, y + 0.5, cx, cy, three.Sample(gx, gy));
        auto& out = map.ink[static_cast<std::size_t>(y) * width + x];
        out = static_cast<std::uint8_t>(std::clamp(out + ink, 0.0f, 255.0f));
      }
    }
  }
  return map;
}

struct Read {
  LineMeasure measure;
  CharacterRow row;
};

Read ReadLine(const InkMap& map, double spacing = kSpacing) {
  const LineImage image(map, PageFrame{}, FoundLine{kMiddle, 0, 0, double(map.width), 1, {}}, 1,
                        spacing);
  const LineMeasure measure = MeasureLine(image, spacing);
  return {measure, CutCharacters(image, measure)};
}

TEST(CutCharacters, LeavesDamagedCharactersOutOfTheMean) {
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const Glyph cleanMean = ReadLine(LineOf3s(clean)).row.mean;
  const struct {
    const char* what;
    Change change;
    std::set<int> damaged;  // characters damaged beyond their line's own spread
    int leastLeftOut;       // of them
    int leastUsed;
  } cases[] = {
      {"clean", clean, {}, 0, 64},
      {"a pale band of low toner over ten characters: levelled and used",
       [](int k, double, double, double, double, float ink) {
         return k >= 20 && k < 30 ? 0.2f * ink : ink;
       },
       {},
       0,
       60},
      {"glare taking nine characters away",
       [](int k, double, double, double, double, float ink) { return k >= 25 && k < 34 ? 0 : ink; },
       {},
       0,
       55},
      {"a drum's streak through two characters",
       [](int k, double x, double, double cx, double, float ink) {
         return (k == 10 || k == 40) && std::abs(x - cx + 4) < 4 ? 255.0f : ink;
       },
       {10, 40},
       2,
       60},
      {"a stamp's letters, heavy strokes slanting across eight characters",
       [](int k, double x, double y, double cx, double cy, float ink) {
         return k >= 45 && k < 53 && std::abs(y - cy - (x - cx) * 1.5) < 6 ? ink + 150 : ink;
       },
       {45, 46, 47, 48, 49, 50, 51, 52},
       5,
       54},
      {"a pen's thin stroke slanting across three characters: left out or harmless",
       [](int k, double x, double y, double, double cy, float ink) {
         return k >= 3 && k < 6 && std::abs(y - cy + 20 - (x - 190) * 0.25) < 2 ? 230.0f : ink;
       },
       {},
       0,
       59},
      {"a grey stamp over eight characters",
       [](int k, double, double y, double, double cy, float ink) {
         return k >= 45 && k < 53 && std::abs(y - cy) < 20 ? ink + 110 : ink;
       },
       {},
       0,
       54},
  };
  for (const auto& c : cases) {
    const Read read = ReadLine(LineOf3s(c.change));
    ASSERT_TRUE(read.measure.inked) << c.what;
    EXPECT_NEAR(read.measure.pitch, kPitch, 1) << c.what;
    // The whole line is measured, whatever it lost.
    EXPECT_NEAR(read.measure.last - read.measure.first, kCount * kPitch, 2 * kPitch) << c.what;
    const CharacterRow& row = read.row;
    EXPECT_GE(row.Used(), c.leastUsed) << c.what;
    EXPECT_EQ(row.used.size(), row.glyphs.size()) << c.what;
    // Which were left out, by their place along the line.
    int leftOut = 0;
    for (std::size_t i = 0; i < row.centres.size(); ++i) {
      const int k = static_cast<int>(std::lround((row.centres[i] - 100) / kPitch));
      leftOut += c.damaged.count(k) && !row.used[i];
    }
    EXPECT_GE(leftOut, c.leastLeftOut) << c.what;
    EXPECT_GT(Likeness(row.mean, cleanMean, 1), 0.98) << c.what;
  }
}

TEST(CutCharacters, TakesOffWhatThePaperOrTheRibbonAddsToEveryCharacter) {
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const Glyph cleanMean = ReadLine(LineOf3s(clean)).row.mean;
  const struct {
    const char* what;
    Change change;
  } cases[] = {
      {"a worn ribbon: the upper pins a third as dark",
       [](int, double, double y, double, double cy, float ink) { return y < cy ? ink / 3 : ink; }},
      {"the edge of a green band along the characters' feet",
       [](int, double, double y, double, double cy, float ink) {
         return std::abs(y - cy - 24) < 1.5 ? ink + 60 : ink;
       }},
  };
  for (const auto& c : cases) {
    const Read read = ReadLine(LineOf3s(c.change));
    EXPECT_EQ(read.row.Used(), kCount) << c.what;
    EXPECT_GT(Likeness(read.row.mean, cleanMean, 1), 0.95) << c.what;
  }
}

TEST(CutCharacters, CallsALineUnlevelByTheCourseOfItsCharacters) {
  // A curl bends the line over many characters; characters
  // whose ink sits a little higher or lower one by one (their dots falling
  // differently on a coarse scan's rows) do not bend it.
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const struct {
    const char* what;
    Lift lift;
    bool level;  // at most 0.08 pitches astray, as a line to judge must be
  } cases[] = {
      {"straight", [](int) { return 0.0; }, true},
      {"slanting half a pitch over the line", [](int k) { return kPitch * (k - 32) / 128.0; },
       true},
      {"every other pair of characters a fifth of a pitch lower",
       [](int k) { return (k / 2) % 2 ? 0.2 * kPitch : 0.0; }, true},
      {"curled: both ends half a pitch up",
       [](int k) { return -0.5 * kPitch * (k - 31.5) * (k - 31.5) / (31.5 * 31.5); }, false},
      {"curled: both ends 0.4 pitches down",
       [](int k) { return 0.4 * kPitch * (k - 31.5) * (k - 31.5) / (31.5 * 31.5); }, false},
  };
  for (const auto& c : cases) {
    const CharacterRow row = ReadLine(LineOf3s(clean, 0, kPitch, c.lift)).row;
    ASSERT_GE(row.centres.size(), 56u) << c.what;
    EXPECT_EQ(row.level <= 0.08, c.level) << c.what << ": " << row.level;
  }
}

TEST(CutCharacters, CutsCharactersRoundThePrintThatABandEdgeDrawsTheirInkFrom) {
  // The line was found below its characters, drawn down by the edge of a
  // green band that crosses the line at a slant: the characters are still
  // cut round their print, whole, not round their lower half and the edge.
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const Glyph cleanMean = ReadLine(LineOf3s(clean)).row.mean;
  const auto bandEdge = [](double below, double rise) -> Change {
    return [=](int, double x, double y, double, double, float ink) {
      return std::abs(y - kMiddle - below + rise * x / 2100) < 2 ? ink + 70 : ink;
    };
  };
  const struct {
    const char* what;
    double lift;  // of the characters, from the line's middle
    Change change;
  } cases[] = {
      {"centred, the edge along their feet", 0, bandEdge(24, 0)},
      {"a sixth of a spacing up, the edge below their feet", -8, bandEdge(14, 0)},
      {"a fifth of a spacing up, the edge rising from below them to their feet", -10,
       bandEdge(16, 10)},
      {"a fifth of a spacing up, the edge rising from their feet through them", -10,
       bandEdge(8, 16)},
  };
  for (const auto& c : cases) {
    const CharacterRow row =
        ReadLine(LineOf3s(c.change, 0, kPitch, [&](int) { return c.lift; })).row;
    EXPECT_GE(row.Used(), 56) << c.what;
    EXPECT_GT(Likeness(row.mean, cleanMean, 1), 0.95) << c.what;
  }
}

TEST(MeasureLine, FollowsAPitchThatGrowsAlongTheLine) {
  // From 30 pixels to 30 + 63 * 0.12 = 37.6, as the near side of a photo
  // taken at an angle shows it.
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const Read read = ReadLine(LineOf3s(clean, 0.12));
  EXPECT_GT(read.measure.pitchChange, 0.5 * 0.12 / kPitch);
  EXPECT_NEAR(read.row.pitch, kPitch + 0.12 * 31.5, 1);
  EXPECT_EQ(read.row.Used(), kCount);
}

TEST(MeasureLine, TakesThePitchNotTwoWhenItFallsBetweenWholeColumns) {
  // A photo's lines stand further apart than ten characters an inch and six
  // lines an inch say, so that twice the pitch lies within the lags tried;
  // a pitch half a column off a whole one repeats best, in whole columns, at
  // twice itself.
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  for (const double pitch : {26.5, 27.4, 28.5, 29.0}) {
    const double spacing = 2.1 * pitch;
    const Read read = ReadLine(LineOf3s(clean, 0, pitch), spacing);
    EXPECT_NEAR(read.measure.pitch, pitch, 0.3) << "pitch " << pitch;
    EXPECT_EQ(read.row.Used(), kCount) << "pitch " << pitch;
  }
}

TEST(CutCharacters, CountsCharactersBetweenColumnsAsThePitchChanges) {
  // Evenly, growing towards a photo's near side, shrinking towards its far
  // side; counted within the line and a few characters past its ends, as a
  // line of text is counted along a line of 3s.
  const Change clean = [](int, double, double, double, double, float ink) { return ink; };
  const struct {
    int from;
    int to;
  } spans[] = {{0, 20}, {10, 63}, {30, 45}, {-3, 12}, {50, 68}};
  for (const double growth : {0.0, 0.12, -0.12}) {
    const CharacterRow row = ReadLine(LineOf3s(clean, growth)).row;
    // The line image starts a spacing before the map's first column.
    auto cell = [&](int k) { return row.CellAt(Centre(k, growth) + kSpacing); };
    for (const auto& span : spans) {
      const double counted = cell(span.to) - cell(span.from);
      EXPECT_NEAR(counted, span.to - span.from, 0.25)
          << "growth " << growth << ", from " << span.from << " to " << span.to;
    }
  }
}

TEST(FindLines, FindsThinPrintBesideHeavyLinesWhenAskedTo) {
  // Twelve lines of blocky characters, 17 pixels apart as in a reduced map;
  // two solid and dark, the rest drawn in a thin, light outline with a
  // twentieth of their ink, as an economy laser setting prints its text
  // beside two heavy lines of 3s.
  constexpr int kLines = 12, kLineSpacing = 17, kWidth = 700;
  InkMap map{
      kWidth, kLines * kLineSpacing + 20,
      std::vector<std::uint8_t>(static_cast<std::size_t>(kWidth) * (kLines * kLineSpacing + 20))};
  for (int line = 0; line < kLines; ++line) {
    const bool heavy = line == 4 || line == 7;
    const int top = 15 + line * kLineSpacing;
    for (int left = 20; left + 6 < kWidth - 20; left += 10) {
      for (int y = top; y < top + 10; ++y) {
        for (int x = left; x < left + 6; ++x) {
          const bool edge = y == top || y == top + 9 || x == left || x == left + 5;
          if (heavy || edge) map.ink[static_cast<std::size_t>(y) * kWidth + x] = heavy ? 250 : 40;
        }
      }
    }
  }
  const Marks marks = FindMarks(map, 12, 30);
  const LineSearch usual = FindLines(marks, PageFrame{}, 0.5, LineInk::Usual);
  const LineSearch thin = FindLines(marks, PageFrame{}, 0.5, LineInk::Thin);
  // The usual search takes the thin lines for dust beside the heavy ones.
  EXPECT_LT(usual.lines.size(), std::size_t{kLines});
  ASSERT_EQ(thin.lines.size(), std::size_t{kLines});
  EXPECT_NEAR(thin.spacing, kLineSpacing, 1);
  for (int line = 0; line < kLines; ++line)
    EXPECT_NEAR(thin.lines[line].VAt(kWidth / 2), 15 + line * kLineSpacing + 4.5, 1) << line;
}

TEST(FindLines, FollowsLinesThatBendOrTurnDownThePage) {
  // Ten lines of blocky characters 20 pixels apart, the first of each block
  // of three a short label at the left, the rest long; each line's top at x
  // as `course` says.
  constexpr int kLines = 10, kLineSpacing = 20, kWidth = 1000, kHeight = 300;
  auto curled = [](int line, double x) {
    // Bent up toward the left edge, where the sheet curls, more so down the
    // page: the labels lie almost wholly in the bend.
    const double t = std::max(0.0, (380 - x) / 360);
    return 60.0 + line * kLineSpacing - 14 * t * t * (0.7 + 0.6 * line / (kLines - 1));
  };
  auto keystoned = [](int line, double x) {
    // Straight, the slope turning from 0.04 to -0.04 down the page.
    return 60.0 + line * kLineSpacing + (0.04 - 0.08 * line / (kLines - 1)) * (x - kWidth / 2);
  };
  const struct {
    const char* what;
    std::function<double(int, double)> course;
  } cases[] = {{"curled", curled}, {"keystoned", keystoned}};
  for (const auto& c : cases) {
    InkMap map{kWidth, kHeight, std::vector<std::uint8_t>(std::size_t{kWidth} * kHeight)};
    auto label = [](int line) { return line % 3 == 0; };
    auto right = [&](int line) { return label(line) ? 300 : kWidth - 20; };
    for (int line = 0; line < kLines; ++line) {
      for (int left = 20; left + 6 < right(line); left += 10) {
        const int top = static_cast<int>(std::lround(c.course(line, left + 3)));
        for (int y = top; y < top + 10; ++y) {
          for (int x = left; x < left + 6; ++x) map.ink[std::size_t(y) * kWidth + x] = 200;
        }
      }
    }
    const LineSearch search = FindLines(FindMarks(map, 12, 30), PageFrame{}, 0.5, LineInk::Usual);
    ASSERT_EQ(search.lines.size(), std::size_t{kLines}) << c.what;
    for (int line = 0; line < kLines; ++line) {
      for (const double x : {40.0, 160.0, right(line) - 20.0}) {
        EXPECT_NEAR(search.lines[line].VAt(x), c.course(line, x) + 4.5, 2)
            << c.what << ", line " << line << " at " << x;
      }
    }
  }
}

}  // namespace
}  // namespace fontprobe
