#include "reading/InkMap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fontprobe {

namespace {

// Values measured block by block over a picture, and read between the block
// centres round a pixel.
struct Blocks {
  int width = 0;  // of a block, in pixels
  int height = 0;
  int columns = 0;
  int rows = 0;
  std::vector<float> values;

  Blocks(const GreyView& picture, int blockWidth, int blockHeight)
      : width(blockWidth),
        height(blockHeight),
        columns((picture.width + blockWidth - 1) / blockWidth),
        rows((picture.height + blockHeight - 1) / blockHeight),
        values(static_cast<std::size_t>(columns) * rows) {}

  float At(int column, int row) const {
    column = std::clamp(column, 0, columns - 1);
    row = std::clamp(row, 0, rows - 1);
    return values[static_cast<std::size_t>(row) * columns + column];
  }
  // The block row above pixel row y's centre, and how far down to the next.
  std::pair<int, float> RowOf(int y) const {
    const float by = (y + 0.5f) / height - 0.5f;
    const int row = static_cast<int>(std::floor(by));
    return {row, by - row};
  }
};

// For each pixel of a row, the block column left of its centre and how far
// across to the next: the same for every row.
struct Across {
  std::vector<int> column;
  std::vector<float> fraction;

  Across(int width, int block) : column(width), fraction(width) {
    for (int x = 0; x < width; ++x) {
      const float bx = (x + 0.5f) / block - 0.5f;
      column[x] = static_cast<int>(std::floor(bx));
      fraction[x] = bx - column[x];
    }
  }
};

// The values of pixel row y, each between the four block centres round it.
void ValuesAlong(const Blocks& blocks, const Across& across, int y, std::vector<float>& out) {
  const auto [row, down] = blocks.RowOf(y);
  std::vector<float> blended(blocks.columns + 2);  // block column c at c + 1
  for (int c = -1; c <= blocks.columns; ++c) {
    blended[c + 1] = blocks.At(c, row) * (1 - down) + blocks.At(c, row + 1) * down;
  }
  for (std::size_t x = 0; x < out.size(); ++x) {
    const int c = across.column[x] + 1;
    out[x] = blended[c] * (1 - across.fraction[x]) + blended[c + 1] * across.fraction[x];
  }
}

// The level a histogram's `share` of brightest pixels are brighter than.
int BrighterThan(const std::array<int, 256>& histogram, int pixels, double share) {
  int brighter = 0, value = 255;
  const int wanted = std::max(1, static_cast<int>(pixels * share));
  while (value > 0 && (brighter += histogram[value]) < wanted) --value;
  return value;
}

// The paper's brightness block by block: the level that a tenth of a block's
// pixels are brighter than, so that print covering up to most of a block
// still leaves the paper. Blocks are wider than a character and a few pixels
// high, so that paper that changes down the page (the bands of green-bar
// paper, the top edge of a photographed sheet) is followed row by row.
Blocks MeasureLevels(const GreyView& picture, int block) {
  Blocks paper(picture, block, std::max(2, block / 16));
  std::vector<std::array<int, 256>> histograms(paper.columns);
  for (int row = 0; row < paper.rows; ++row) {
    for (auto& histogram : histograms) histogram.fill(0);
    const int top = row * paper.height, bottom = std::min(picture.height, top + paper.height);
    for (int y = top; y < bottom; ++y) {
      const std::uint8_t* line = picture.pixels + y * picture.stride;
      for (int column = 0; column < paper.columns; ++column) {
        auto& histogram = histograms[column];
        const int end = std::min(picture.width, (column + 1) * paper.width);
        for (int x = column * paper.width; x < end; ++x) ++histogram[line[x]];
      }
    }
    for (int column = 0; column < paper.columns; ++column) {
      const int width = std::min(picture.width - column * paper.width, paper.width);
      paper.values[static_cast<std::size_t>(row) * paper.columns + column] = static_cast<float>(
          std::max(BrighterThan(histograms[column], width * (bottom - top), 0.1), 16));
    }
  }
  return paper;
}

// The grain, in square blocks: how far the brighter pixels spread below the
// paper's level, as noise, JPEG or the grain of a table round a photographed
// sheet make them do; print must stand out of it. Measured from each pixel's
// own paper level, so that a block across the edge of a band holds one paper
// spread, not the step between two: the levels that a tenth and a quarter of
// the pixels are brighter than, relative to the paper, 0.61 standard
// deviations of noise apart.
Blocks MeasureGrain(const GreyView& picture, const Blocks& levels, const Across& across) {
  Blocks grain(picture, levels.width, levels.width);
  std::vector<std::array<int, 256>> histograms(grain.columns);
  std::vector<float> level(picture.width);
  for (int row = 0; row < grain.rows; ++row) {
    for (auto& histogram : histograms) histogram.fill(0);
    const int top = row * grain.height, bottom = std::min(picture.height, top + grain.height);
    // Every other row is enough to measure a spread.
    int counted = 0;
    for (int y = top; y < bottom; y += 2, ++counted) {
      ValuesAlong(levels, across, y, level);
      const std::uint8_t* line = picture.pixels + y * picture.stride;
      for (int x = 0; x < picture.width; ++x) {
        // Brighter than its paper by up to 127, darker by up to 128.
        const float relative = std::clamp(line[x] - level[x] + 128.5f, 0.0f, 255.0f);
        ++histograms[x / grain.width][static_cast<int>(relative)];
      }
    }
    for (int column = 0; column < grain.columns; ++column) {
      const int width = std::min(picture.width - column * grain.width, grain.width);
      const int pixels = width * counted;
      const int tenth = BrighterThan(histograms[column], pixels, 0.1);
      const int quarter = BrighterThan(histograms[column], pixels, 0.25);
      grain.values[static_cast<std::size_t>(row) * grain.columns + column] =
          (tenth - quarter) / 0.61f;
    }
  }
  return grain;
}

// The sheet's edge, a hard shadow or the bands of green-bar paper among the
// blocks round a pixel (the two on each side, as the block it lies in may
// hold both sides of an edge): blending their levels would make the darker
// side look like ink. A pixel as bright as one of them, within the grain, is
// paper; a darker one is print, on the paper of the block it lies in: faint
// print beside a darker band is not taken for the band, and the band's own
// grain (darker than the level a tenth of the band is brighter than) is not
// taken for print on the white paper beside it.
void KeepSteps(const Blocks& levels, const Across& across, int y, const std::uint8_t* in,
               const std::vector<float>& grain, std::vector<float>& level) {
  const auto [row, down] = levels.RowOf(y);
  const int ownRow = y / levels.height;  // of the blocks the pixels lie in
  for (int c = -1; c < levels.columns; ++c) {
    const std::array<float, 8> near = {levels.At(c - 1, row),     levels.At(c, row),
                                       levels.At(c + 1, row),     levels.At(c + 2, row),
                                       levels.At(c - 1, row + 1), levels.At(c, row + 1),
                                       levels.At(c + 1, row + 1), levels.At(c + 2, row + 1)};
    const auto [low, high] = std::minmax_element(near.begin(), near.end());
    if (*high - *low <= 0.08f * *high) continue;
    const int from = std::max(0, static_cast<int>((c + 0.5f) * levels.width));
    const int to =
        std::min(static_cast<int>(level.size()), static_cast<int>((c + 1.5f) * levels.width) + 1);
    for (int x = from; x < to; ++x) {
      if (across.column[x] != c) continue;
      level[x] = levels.At(x / levels.width, ownRow);
      for (const float candidate : near) {
        if (candidate <= in[x] + grain[x]) level[x] = std::min(level[x], candidate);
      }
    }
  }
}

// A table round a photographed sheet is darker than the paper under the same
// light: well under this share of it (a grey table, about 0.4).
constexpr float kTableShare = 0.6f;

// The brightest paper level within `reach` blocks' widths of each block,
// across and down.
Blocks BrightestAround(const Blocks& levels, int reach) {
  Blocks around = levels;
  const int rowsReach = reach * levels.width / levels.height;
  for (int row = 0; row < levels.rows; ++row) {
    for (int column = 0; column < levels.columns; ++column) {
      float brightest = 0;
      for (int r = row - rowsReach; r <= row + rowsReach; ++r) {
        for (int c = column - reach; c <= column + reach; ++c) {
          brightest = std::max(brightest, levels.At(c, r));
        }
      }
      around.values[static_cast<std::size_t>(row) * levels.columns + column] = brightest;
    }
  }
  return around;
}

// The table round a photographed sheet, block by block. The sheet's edge is
// a sharp step (light changes over many blocks): a block much darker than a
// block or two beside it is the table, and so is all beyond it, away from the
// paper, out to the picture's edge, while it stays about as dark. The
// corners beyond two edges are reached along the rows that hold no sheet.
class TableBlocks {
 public:
  explicit TableBlocks(const Blocks& levels)
      : levels_(levels), table_(levels.values.size()), edgeInRow_(levels.rows) {
    const int down = std::max(1, levels.width / levels.height);  // rows a block's width spans
    for (int row = 0; row < levels.rows; ++row) {
      for (int column = 0; column < levels.columns; ++column) {
        for (const auto& [dc, dr] :
             {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, down}, std::pair{0, -down}}) {
          if (!StepTo(column, row, dc, dr)) continue;
          MarkOutward(column, row, -std::clamp(dc, -1, 1), -std::clamp(dr, -1, 1));
          if (dr == 0) edgeInRow_[row] = true;
        }
      }
    }
    for (int row = 0; row < levels.rows; ++row) {
      if (edgeInRow_[row]) continue;
      int first = -1, last = -1;
      for (int column = 0; column < levels.columns; ++column) {
        if (!table_[Index(column, row)]) continue;
        if (first < 0) first = column;
        last = column;
      }
      if (first < 0) continue;
      MarkOutward(first, row, -1, 0);
      MarkOutward(last, row, 1, 0);
    }
  }

  bool At(int column, int row) const { return table_[Index(column, row)]; }

 private:
  std::size_t Index(int column, int row) const {
    return static_cast<std::size_t>(row) * levels_.columns + column;
  }
  bool Inside(int column, int row) const {
    return column >= 0 && row >= 0 && column < levels_.columns && row < levels_.rows;
  }
  // Whether paper lies a block or two from this block, in one direction, far brighter.
  bool StepTo(int column, int row, int dc, int dr) const {
    if (!Inside(column + dc, row + dr)) return false;
    const float brightest =
        std::max(levels_.At(column + dc, row + dr), levels_.At(column + 2 * dc, row + 2 * dr));
    return levels_.At(column, row) < kTableShare * brightest;
  }
  void MarkOutward(int column, int row, int dc, int dr) {
    const float first = levels_.At(column, row);
    for (; Inside(column, row) && levels_.At(column, row) <= 1.5f * first;
         column += dc, row += dr) {
      table_[Index(column, row)] = true;
    }
  }

  const Blocks& levels_;
  std::vector<bool> table_;
  std::vector<bool> edgeInRow_;
};

// The brightest pixel of each small square cell: print, even heavy, leaves
// some paper in a cell a few strokes wide; a table round the sheet leaves none.
Blocks BrightestInCells(const GreyView& picture, int cell) {
  Blocks brightest(picture, cell, cell);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* line = picture.pixels + y * picture.stride;
    float* out = &brightest.values[static_cast<std::size_t>(y / cell) * brightest.columns];
    for (int x = 0; x < picture.width; ++x) out[x / cell] = std::max<float>(out[x / cell], line[x]);
  }
  return brightest;
}

}  // namespace

float InkMap::Sample(float x, float y) const { return SampleBetween(*this, width, height, x, y); }

InkMap MakeInkMap(const GreyView& picture) {
  const int block = std::clamp(std::min(picture.width, picture.height) / 40, 8, 96);
  const Across across(picture.width, block);
  const Blocks levels = MeasureLevels(picture, block);
  const Blocks grains = MeasureGrain(picture, levels, across);
  const Blocks paper = BrightestAround(levels, 1);
  const int cell = std::max(8, block / 4);
  const Blocks cells = BrightestInCells(picture, cell);
  const TableBlocks table(levels);
  InkMap map{picture.width, picture.height,
             std::vector<std::uint8_t>(static_cast<std::size_t>(picture.width) * picture.height)};
  std::vector<float> level(picture.width), grain(picture.width), sheet(picture.width);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = picture.pixels + y * picture.stride;
    ValuesAlong(levels, across, y, level);
    ValuesAlong(grains, across, y, grain);
    ValuesAlong(paper, across, y, sheet);
    for (float& g : grain) g *= 3;
    KeepSteps(levels, across, y, in, grain, level);
    // The table's grain is no print: a block of the table, or a cell beside
    // the sheet's edge that holds no paper.
    auto onTable = [&](int x) {
      return table.At(x / levels.width, y / levels.height) ||
             cells.At(x / cell, y / cell) < kTableShare * sheet[x];
    };
    // Darker than the paper by more than three times its grain, in parts of
    // what the paper has left to darken.
    std::uint8_t* out = &map.ink[static_cast<std::size_t>(y) * picture.width];
    for (int x = 0; x < picture.width; ++x) {
      const float paperLeft = std::max(1.0f, level[x] - grain[x]);
      const float ink = onTable(x) ? 0.0f : 255.0f * (paperLeft - in[x]) / paperLeft;
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
