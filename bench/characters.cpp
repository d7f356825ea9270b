// How a line's mean character settles as its characters are dropped: for each
// line of 3s read from the pictures given, the mean of n of its characters,
// drawn at random many times, against the mean of all of them, by the
// figures the judgement rests on: the difference from the whole line's mean
// (as blocks are told from the comparison) and the likeness to OCR-B's 3 and
// to the nearest other 3. Prints, for each n, the 95th percentile and the
// largest of each change over all lines and draws.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/images/PictureFiles.h"
#include "reading/PageReader.h"
#include "reading/ProbeLine.h"
#include "reading/Statistics.h"

namespace {

using namespace fontprobe;

constexpr int kDraws = 30;
constexpr int kSizes[] = {4, 8, 12, 16, 24, 32, 40, 48, 56};

struct Changes {
  std::vector<double> difference, ocrB, other;
};

// False when the line has too few characters to draw from.
bool Settle(const LineEvidence& line, std::mt19937& random, std::vector<Changes>& changes) {
  std::vector<Glyph> used;
  for (std::size_t k = 0; k < line.glyphs.size(); ++k) {
    if (line.used[k]) used.push_back(line.glyphs[k]);
  }
  if (used.size() < 60) return false;
  const Glyph all = MeanCharacter(used);
  const ShapeMatch whole = MatchShape(all);
  for (std::size_t s = 0; s < std::size(kSizes); ++s) {
    for (int draw = 0; draw < kDraws; ++draw) {
      std::shuffle(used.begin(), used.end(), random);
      const Glyph some = MeanCharacter({used.begin(), used.begin() + kSizes[s]});
      const ShapeMatch shape = MatchShape(some);
      changes[s].difference.push_back(1 - Likeness(some, all, 3));
      changes[s].ocrB.push_back(std::abs(shape.ocrB - whole.ocrB));
      changes[s].other.push_back(std::abs(shape.other - whole.other));
    }
  }
  return true;
}

std::string Figures(std::vector<double> values) {
  char text[64];
  std::snprintf(text, sizeof text, "%.4f %.4f", Percentile(values, 95),
                *std::max_element(values.begin(), values.end()));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::mt19937 random(1);
  std::vector<Changes> changes(std::size(kSizes));
  int lines = 0;
  for (int i = 1; i < argc; ++i) {
    const auto file = OpenPicture(argv[i], [] { return false; });
    while (const auto page = file->NextPage()) {
      const PageReading reading = ReadTestPage(page->image.View(), page->dotsPerInch);
      for (const BlockReading& block : reading.blocks) {
        if (block.evidence.found && Settle(block.evidence, random, changes)) ++lines;
      }
    }
  }
  std::printf("%d lines, %d draws each; 95th percentile and largest change:\n", lines, kDraws);
  std::printf("characters  difference       OCR-B likeness   other likeness\n");
  for (std::size_t s = 0; s < std::size(kSizes); ++s) {
    if (changes[s].ocrB.empty()) continue;
    std::printf("%10d  %s  %s  %s\n", kSizes[s], Figures(changes[s].difference).c_str(),
                Figures(changes[s].ocrB).c_str(), Figures(changes[s].other).c_str());
  }
  return 0;
}
