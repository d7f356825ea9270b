#include "reading/ThreeShape.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "reading/ReferenceGlyphs.h"

namespace fontprobe {

namespace {

// The glyph's ink as parts of its strongest, so that a faint print and a
// heavy one measure alike; inked where it is at least half.
class Ink {
 public:
  explicit Ink(const Glyph& glyph) : glyph_(glyph) {
    strongest_ = *std::max_element(glyph.ink.begin(), glyph.ink.end());
  }
  bool Any() const { return strongest_ > 0; }
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < kGlyphWidth && y < kGlyphHeight &&
           glyph_.At(x, y) >= 0.5f * strongest_;
  }
  // The first inked column of row y from the left (or the right), or -1.
  int Leftmost(int y) const {
    for (int x = 0; x < kGlyphWidth; ++x)
      if (At(x, y)) return x;
    return -1;
  }
  int Rightmost(int y) const {
    for (int x = kGlyphWidth - 1; x >= 0; --x)
      if (At(x, y)) return x;
    return -1;
  }

 private:
  const Glyph& glyph_;
  float strongest_ = 0;
};

struct Box {
  int left = kGlyphWidth, right = -1, top = kGlyphHeight, bottom = -1;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

Box InkBox(const Ink& ink) {
  Box box;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      if (!ink.At(x, y)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// The longest run of ink in row y: where it starts and how long it is.
std::pair<int, int> LongestRun(const Ink& ink, int y) {
  int start = 0, length = 0;
  for (int x = 0; x < kGlyphWidth;) {
    int end = x;
    while (end < kGlyphWidth && ink.At(end, y)) ++end;
    if (end - x > length) {
      start = x;
      length = end - x;
    }
    x = std::max(end, x + 1);
  }
  return {start, length};
}

// How many rows of ink stand together in column x from row y down.
int RunDown(const Ink& ink, int x, int y) {
  int rows = 0;
  while (ink.At(x, y + rows)) ++rows;
  return rows;
}

// Each measure's spread among the reference 3s: what counts as far apart.
const std::array<double, 8>& Spreads() {
  static const std::array<double, 8> spreads = [] {
    std::vector<std::array<double, 8>> values;
    for (std::size_t i = 0; i < kReferenceThreeCount; ++i) {
      const ThreeShape shape = MeasureThree(ReferenceInk(kReferenceThrees[i].ink));
      if (shape.found) values.push_back(shape.Values());
    }
    std::array<double, 8> spread{};
    for (std::size_t k = 0; k < spread.size(); ++k) {
      double sum = 0, squares = 0;
      for (const auto& v : values) {
        sum += v[k];
        squares += v[k] * v[k];
      }
      const double n = static_cast<double>(values.size());
      spread[k] = std::max(0.02, std::sqrt(std::max(0.0, squares / n - sum * sum / (n * n))));
    }
    return spread;
  }();
  return spreads;
}

}  // namespace

std::array<double, 8> ThreeShape::Values() const {
  return {barLength, barWeight, junctionX, junctionY, diagonalAngle, bowlWidth, contrast, aspect};
}

ThreeShape MeasureThree(const Glyph& glyph) {
  ThreeShape shape;
  const Ink ink(glyph);
  if (!ink.Any()) return shape;
  const Box box = InkBox(ink);
  const int w = box.Width(), h = box.Height();
  if (w < 5 || h < 8) return shape;

  // The top bar: the longest run of ink in the top fifth.
  int barRow = box.top, barStart = 0, barLength = 0;
  for (int y = box.top; y <= box.top + h / 5; ++y) {
    const auto [start, length] = LongestRun(ink, y);
    if (length > barLength) {
      barRow = y;
      barStart = start;
      barLength = length;
    }
  }
  const int barRight = barStart + barLength - 1;
  const int thickness = std::max(1, RunDown(ink, barStart + barLength / 2, box.top));
  shape.barLength = static_cast<double>(barLength) / w;
  shape.barWeight = static_cast<double>(thickness) / h;

  // The junction: the leftmost point of the middle, where the stroke from the
  // bar's end turns into the bowl.
  int junctionX = kGlyphWidth, junctionY = box.top + h / 2;
  for (int y = box.top + h / 4; y <= box.top + 2 * h / 3; ++y) {
    const int left = ink.Leftmost(y);
    if (left >= 0 && left < junctionX) {
      junctionX = left;
      junctionY = y;
    }
  }
  if (junctionX == kGlyphWidth) junctionX = box.left;
  shape.junctionX = static_cast<double>(junctionX - box.left) / w;
  shape.junctionY = static_cast<double>(junctionY - box.top) / h;
  shape.diagonalAngle = std::atan2(static_cast<double>(junctionY - (barRow + thickness)) / h,
                                   static_cast<double>(barRight - junctionX) / w);

  // The bowl: how far right it reaches beyond the bar's end, and its upright
  // stroke's thickness there against the bar's.
  int bowlRight = -1, bowlRow = box.bottom;
  for (int y = junctionY + 1; y <= box.bottom; ++y) {
    if (ink.Rightmost(y) > bowlRight) {
      bowlRight = ink.Rightmost(y);
      bowlRow = y;
    }
  }
  int upright = 0;
  while (bowlRight - upright >= 0 && ink.At(bowlRight - upright, bowlRow)) ++upright;
  shape.bowlWidth = static_cast<double>(bowlRight - barRight) / w;
  shape.contrast = static_cast<double>(upright) / thickness;
  shape.aspect = static_cast<double>(h) / w;
  shape.found = true;
  return shape;
}

double ShapeDistance(const ThreeShape& a, const ThreeShape& b) {
  const auto va = a.Values(), vb = b.Values();
  const auto& spreads = Spreads();
  double sum = 0;
  for (std::size_t k = 0; k < va.size(); ++k) {
    const double d = (va[k] - vb[k]) / spreads[k];
    sum += d * d;
  }
  return std::sqrt(sum / static_cast<double>(va.size()));
}

}  // namespace fontprobe
