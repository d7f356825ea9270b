#include "reading/InkMap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fontprobe {

namespace {

// The paper's brightness block by block: the level that a tenth of a block's
// pixels are brighter than, so that print covering up to most of a block
// still leaves the paper. Blocks are larger than a character. And the grain:
// how far the brighter pixels spread below that level, as noise, JPEG or the
// grain of a table round a photographed sheet make them do; print must stand
// out of it.
struct PaperLevels {
  int block = 0;
  int columns = 0;
  int rows = 0;
  std::vector<float> level;
  std::vector<float> grain;

  float At(const std::vector<float>& values, int column, int row) const {
    column = std::clamp(column, 0, columns - 1);
    row = std::clamp(row, 0, rows - 1);
    return values[static_cast<std::size_t>(row) * columns + column];
  }
};

PaperLevels MeasurePaper(const GreyView& picture) {
  PaperLevels paper;
  paper.block = std::clamp(std::min(picture.width, picture.height) / 40, 8, 96);
  paper.columns = (picture.width + paper.block - 1) / paper.block;
  paper.rows = (picture.height + paper.block - 1) / paper.block;
  paper.level.resize(static_cast<std::size_t>(paper.columns) * paper.rows);
  paper.grain.resize(paper.level.size());
  std::vector<std::array<int, 256>> histograms(paper.columns);
  for (int row = 0; row < paper.rows; ++row) {
    for (auto& histogram : histograms) histogram.fill(0);
    const int top = row * paper.block, bottom = std::min(picture.height, top + paper.block);
    for (int y = top; y < bottom; ++y) {
      const std::uint8_t* line = picture.pixels + y * picture.stride;
      for (int column = 0; column < paper.columns; ++column) {
        auto& histogram = histograms[column];
        const int end = std::min(picture.width, (column + 1) * paper.block);
        for (int x = column * paper.block; x < end; ++x) ++histogram[line[x]];
      }
    }
    for (int column = 0; column < paper.columns; ++column) {
      const int width = std::min(picture.width - column * paper.block, paper.block);
      // The levels that a tenth and four tenths of the pixels are brighter
      // than: 1.28 and 0.25 standard deviations above the mean of noise.
      const int pixels = width * (bottom - top);
      int brighter = 0, value = 255;
      while (value > 0 && (brighter += histograms[column][value]) < std::max(1, pixels / 10))
        --value;
      const int tenth = value;
      while (value > 0 && (brighter += histograms[column][value]) < std::max(1, pixels * 4 / 10))
        --value;
      const std::size_t at = static_cast<std::size_t>(row) * paper.columns + column;
      paper.level[at] = std::max(tenth, 16);
      paper.grain[at] = (tenth - value) / 1.03f;
    }
  }
  return paper;
}

}  // namespace

float InkMap::Sample(float x, float y) const { return SampleBetween(*this, width, height, x, y); }

InkMap MakeInkMap(const GreyView& picture) {
  const PaperLevels paper = MeasurePaper(picture);
  InkMap map{picture.width, picture.height,
             std::vector<std::uint8_t>(static_cast<std::size_t>(picture.width) * picture.height)};
  // The paper level between block centres: across, by each pixel's two
  // nearest block columns, and down, by the row's two nearest block rows.
  const float block = static_cast<float>(paper.block);
  std::vector<int> column(picture.width);
  std::vector<float> across(picture.width);
  for (int x = 0; x < picture.width; ++x) {
    const float bx = (x + 0.5f) / block - 0.5f;
    column[x] = static_cast<int>(std::floor(bx));
    across[x] = bx - column[x];
  }
  std::vector<float> levels(paper.columns + 2),
      grains(paper.columns + 2);  // block column c at c + 1
  std::vector<float> above(paper.columns + 2), below(paper.columns + 2);
  std::vector<float> level(picture.width), grain(picture.width);  // the row's
  for (int y = 0; y < picture.height; ++y) {
    const float by = (y + 0.5f) / block - 0.5f;
    const int row = static_cast<int>(std::floor(by));
    const float down = by - row;
    for (int c = -1; c <= paper.columns; ++c) {
      above[c + 1] = paper.At(paper.level, c, row);
      below[c + 1] = paper.At(paper.level, c, row + 1);
      levels[c + 1] = above[c + 1] * (1 - down) + below[c + 1] * down;
      grains[c + 1] =
          paper.At(paper.grain, c, row) * (1 - down) + paper.At(paper.grain, c, row + 1) * down;
    }
    const std::uint8_t* in = picture.pixels + y * picture.stride;
    for (int x = 0; x < picture.width; ++x) {
      const int c = column[x] + 1;
      level[x] = levels[c] * (1 - across[x]) + levels[c + 1] * across[x];
      grain[x] = 3 * (grains[c] * (1 - across[x]) + grains[c + 1] * across[x]);
    }
    // The sheet's edge or a hard shadow between the blocks round a pixel:
    // blending their levels would make the darker side look like ink. The
    // pixel belongs to the darkest of them it is not darker than.
    for (int c = 0; c <= paper.columns; ++c) {
      const std::array<float, 4> near = {above[c], above[c + 1], below[c], below[c + 1]};
      const auto [low, high] = std::minmax_element(near.begin(), near.end());
      if (*high <= 1.5f * *low) continue;
      const int from = std::max(0, static_cast<int>((c - 0.5f) * block));
      const int to = std::min(picture.width, static_cast<int>((c + 0.5f) * block) + 1);
      for (int x = from; x < to; ++x) {
        if (column[x] + 1 != c) continue;
        level[x] = *high;
        for (const float candidate : near) {
          if (candidate >= in[x] && candidate < level[x]) level[x] = candidate;
        }
      }
    }
    // Darker than the paper by more than three times its grain, in parts of
    // what the paper has left to darken.
    std::uint8_t* out = &map.ink[static_cast<std::size_t>(y) * picture.width];
    for (int x = 0; x < picture.width; ++x) {
      const float paperLeft = std::max(1.0f, level[x] - grain[x]);
      const float ink = 255.0f * (paperLeft - in[x]) / paperLeft;
      out[x] = static_cast<std::uint8_t>(std::clamp(ink, 0.0f, 255.0f));
    }
  }
  return map;
}

InkMap Reduce(const InkMap& map, int factor) {
  return {map.width / factor, map.height / factor,
          ReducedPixels(map.ink.data(), map.width, map.width, map.height, factor)};
}

}  // namespace fontprobe
