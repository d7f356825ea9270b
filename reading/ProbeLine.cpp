#include "reading/ProbeLine.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "reading/ReferenceGlyphs.h"
#include "reading/Statistics.h"

namespace fontprobe {

namespace {

// Extra samples round each character's frame, so that it can be moved to fit the others.
constexpr int kMargin = 3;
constexpr int kPatchWidth = kGlyphWidth + 2 * kMargin;
constexpr int kPatchHeight = kGlyphHeight + 2 * kMargin;

struct Patch {
  std::vector<float> ink = std::vector<float>(kPatchWidth * kPatchHeight);

  // The frame moved by (dx, dy) samples.
  Glyph Frame(int dx, int dy) const {
    Glyph glyph;
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) {
        glyph.At(x, y) = ink[(y + kMargin + dy) * kPatchWidth + x + kMargin + dx];
      }
    }
    return glyph;
  }
};

std::vector<double> ColumnInk(const LineImage& line) {
  std::vector<double> columns(line.Width(), 0.0);
  for (int y = 0; y < line.Height(); ++y) {
    for (int x = 0; x < line.Width(); ++x) columns[x] += line.At(x, y);
  }
  return columns;
}

// The centre of the ink in columns [from, to), and how much ink there is.
std::pair<double, double> InkCentre(const std::vector<double>& columns, double from, double to) {
  const int begin = std::max(0, static_cast<int>(std::floor(from)));
  const int end = std::min(static_cast<int>(columns.size()), static_cast<int>(std::ceil(to)));
  double mass = 0, moment = 0;
  for (int x = begin; x < end; ++x) {
    mass += columns[x];
    moment += columns[x] * (x + 0.5);
  }
  return {mass > 0 ? moment / mass : (from + to) / 2, mass};
}

// Walks the line character by character: each centre where the ink of the
// cell around the expected place is, the pitch following slowly, as it changes
// along a line photographed at a slant. Empty cells keep their expected place.
struct Walk {
  std::vector<double> centres;
  std::vector<bool> inked;
};

Walk WalkLine(const std::vector<double>& columns, const LineMeasure& measure) {
  double typical = 0;  // the ink of a character, from the cells seen so far
  Walk walk;
  double step = measure.PitchAt(measure.first);
  double centre = InkCentre(columns, measure.first, measure.first + step).first;
  for (;;) {
    const double pitch = measure.PitchAt(centre);
    const auto [found, mass] = InkCentre(columns, centre - pitch / 2, centre + pitch / 2);
    const bool inked = mass > 0.25 * typical;
    if (inked) {
      if (!walk.centres.empty() && walk.inked.back()) {
        step = std::clamp(0.9 * step + 0.1 * (found - walk.centres.back()), 0.92 * pitch,
                          1.08 * pitch);
      }
      centre = found;
      typical = typical == 0 ? mass : 0.9 * typical + 0.1 * mass;
    }
    walk.centres.push_back(centre);
    walk.inked.push_back(inked);
    centre += step + measure.pitchChange * step;
    if (centre > measure.last + pitch / 2) break;
  }
  return walk;
}

// The least-squares polynomial of `degree` (1 or 2) through the points.
std::vector<double> Polynomial(const std::vector<double>& xs, const std::vector<double>& ys,
                               int degree) {
  const int n = degree + 1;
  double m[3][4] = {};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    double powers[5] = {1, xs[i], xs[i] * xs[i], xs[i] * xs[i] * xs[i],
                        xs[i] * xs[i] * xs[i] * xs[i]};
    for (int r = 0; r < n; ++r) {
      for (int c = 0; c < n; ++c) m[r][c] += powers[r + c];
      m[r][n] += powers[r] * ys[i];
    }
  }
  for (int c = 0; c < n; ++c) {
    if (std::abs(m[c][c]) < 1e-12) return std::vector<double>(n, 0.0);
    for (int r = 0; r < n; ++r) {
      if (r == c) continue;
      const double f = m[r][c] / m[c][c];
      for (int k = c; k <= n; ++k) m[r][k] -= f * m[c][k];
    }
  }
  std::vector<double> coefficients(n);
  for (int c = 0; c < n; ++c) coefficients[c] = m[c][n] / m[c][c];
  return coefficients;
}

double Evaluate(const std::vector<double>& p, double x) {
  double value = 0;
  for (std::size_t i = p.size(); i-- > 0;) value = value * x + p[i];
  return value;
}

// The centre across the line of the ink in the cell round `centre`, in the
// line's middle seven tenths: the lines above and below reach into the rest.
// Ink counts up to `enough`, so that print lighter in part of each character
// (a worn ribbon's upper pins) counts as much as the rest.
double InkHeight(const LineImage& line, double centre, double pitch, float enough) {
  const int begin = std::max(0, static_cast<int>(centre - pitch / 2));
  const int end = std::min(line.Width(), static_cast<int>(centre + pitch / 2));
  double mass = 0, moment = 0;
  for (int y = line.Height() * 15 / 100; y < line.Height() * 85 / 100; ++y) {
    for (int x = begin; x < end; ++x) {
      const float ink = std::min(line.At(x, y), enough);
      mass += ink;
      moment += ink * (y + 0.5);
    }
  }
  return mass > 0 ? moment / mass : line.Height() / 2.0;
}

// Each column's place in the row's cells as a turn round a circle: the
// cosine and sine of 2 pi times the cell it falls in.
struct Phases {
  std::vector<float> cos, sin;
};

Phases PhasesAlong(const LineImage& line, const CharacterRow& row) {
  Phases phases;
  for (int x = 0; x < line.Width(); ++x) {
    const double turn = 2 * std::numbers::pi * row.CellAt(x + 0.5);
    phases.cos.push_back(static_cast<float>(std::cos(turn)));
    phases.sin.push_back(static_cast<float>(std::sin(turn)));
  }
  return phases;
}

// The centre across the line of the print in the cells round `centre`
// (three either side), in the line's middle seven tenths: of what each row
// holds that repeats character by character, above what the emptiest rows
// hold. The edge of a band of green-bar paper crossing the line at a slant
// does not repeat so, and does not draw it aside. Ink counts up to `enough`.
double PrintHeight(const LineImage& line, const Phases& phases, double centre, double pitch,
                   float enough) {
  const int begin = std::max(0, static_cast<int>(centre - 3.5 * pitch));
  const int end = std::min(line.Width(), static_cast<int>(centre + 3.5 * pitch));
  const int top = line.Height() * 15 / 100, bottom = line.Height() * 85 / 100;
  std::vector<double> repeats;
  for (int y = top; y < bottom; ++y) {
    double c = 0, s = 0;
    for (int x = begin; x < end; ++x) {
      const float ink = std::min(line.At(x, y), enough);
      c += ink * phases.cos[x];
      s += ink * phases.sin[x];
    }
    repeats.push_back(std::hypot(c, s));
  }
  std::vector<double> sorted = repeats;
  const double floor = Percentile(sorted, 25);
  double mass = 0, moment = 0;
  for (int y = top; y < bottom; ++y) {
    const double part = std::max(0.0, repeats[y - top] - floor);
    mass += part;
    moment += part * (y + 0.5);
  }
  return mass > 0 ? moment / mass : line.Height() / 2.0;
}

// How far the characters' heights stray from the straight line through them:
// the median distance of their course, each height averaged with its
// neighbours' within two characters either side. A curled sheet bends the
// course over many characters; where one character's ink sits a
// little higher than the next's (its dots falling differently on the rows of
// a coarse scan) is no bend, nor a smudge or a speck in a cell or two.
double Unlevel(const std::vector<double>& heights, const std::vector<double>& straight) {
  constexpr std::size_t kReach = 2;
  std::vector<double> offs;
  for (std::size_t k = 0; k < heights.size(); ++k) {
    const std::size_t from = k >= kReach ? k - kReach : 0;
    const std::size_t to = std::min(heights.size(), k + kReach + 1);
    double off = 0;
    for (std::size_t i = from; i < to; ++i) off += heights[i] - straight[i];
    offs.push_back(std::abs(off / static_cast<double>(to - from)));
  }
  return Median(offs);
}

// A third of the ink the darkest two hundredths of the line's middle reach.
float StrongInk(const LineImage& line) {
  std::vector<float> values;
  for (int y = line.Height() / 4; y < line.Height() * 3 / 4; ++y) {
    for (int x = 0; x < line.Width(); ++x) values.push_back(line.At(x, y));
  }
  return values.empty() ? 1.0f : std::max(1.0f, Percentile(values, 98) / 3);
}

Patch Cut(const LineImage& line, double x, double y, double pitch) {
  Patch patch;
  const double step = pitch / kGlyphWidth;
  for (int py = 0; py < kPatchHeight; ++py) {
    for (int px = 0; px < kPatchWidth; ++px) {
      patch.ink[py * kPatchWidth + px] =
          line.Sample(static_cast<float>(x + (px + 0.5 - kPatchWidth / 2.0) * step),
                      static_cast<float>(y + (py + 0.5 - kPatchHeight / 2.0) * step));
    }
  }
  return patch;
}

// See MeanCharacter.
Glyph Average(const std::vector<Glyph>& glyphs) {
  Glyph mean;
  std::vector<float> values(glyphs.size());
  const std::size_t from = glyphs.size() / 4, to = glyphs.size() - from;
  for (std::size_t i = 0; i < mean.ink.size(); ++i) {
    for (std::size_t k = 0; k < glyphs.size(); ++k) values[k] = glyphs[k].ink[i];
    std::sort(values.begin(), values.end());
    float sum = 0;
    for (std::size_t k = from; k < to; ++k) sum += values[k];
    mean.ink[i] = sum / static_cast<float>(to - from);
  }
  return mean;
}

// How like `mean` (centred: its mean taken off, and `spread` its sum of
// squares) the patch's frame moved by (dx, dy) is: their normalised correlation.
double LikenessAt(const Patch& patch, int dx, int dy, const Glyph& centred, double spread) {
  float sum = 0, squares = 0, product = 0;
  for (int y = 0; y < kGlyphHeight; ++y) {
    const float* row = &patch.ink[(y + kMargin + dy) * kPatchWidth + kMargin + dx];
    for (int x = 0; x < kGlyphWidth; ++x) {
      sum += row[x];
      squares += row[x] * row[x];
      product += row[x] * centred.At(x, y);
    }
  }
  const double variance = squares - static_cast<double>(sum) * sum / centred.ink.size();
  return variance > 0 && spread > 0 ? product / std::sqrt(variance * spread) : -1;
}

// Sample by sample the median of the glyphs: what most characters show,
// whatever a few damaged ones show.
Glyph MedianOf(const std::vector<Glyph>& glyphs) {
  Glyph median;
  std::vector<float> values(glyphs.size());
  for (std::size_t i = 0; i < median.ink.size(); ++i) {
    for (std::size_t k = 0; k < glyphs.size(); ++k) values[k] = glyphs[k].ink[i];
    median.ink[i] = Percentile(values, 50);
  }
  return median;
}

// Each character moved by whole samples to fit what most characters show,
// twice over, as where a character's ink centre falls varies with its dots
// and toner.
std::vector<Glyph> Align(const std::vector<Patch>& patches) {
  std::vector<Glyph> glyphs;
  for (const Patch& p : patches) glyphs.push_back(p.Frame(0, 0));
  for (int round = 0; round < 2; ++round) {
    Glyph centred = MedianOf(glyphs);
    const float mean = std::accumulate(centred.ink.begin(), centred.ink.end(), 0.0f) /
                       static_cast<float>(centred.ink.size());
    double spread = 0;
    for (float& v : centred.ink) {
      v -= mean;
      spread += v * v;
    }
    for (std::size_t i = 0; i < patches.size(); ++i) {
      double best = -2;
      int bestX = 0, bestY = 0;
      for (int dy = -kMargin; dy <= kMargin; ++dy) {
        for (int dx = -kMargin; dx <= kMargin; ++dx) {
          const double likeness = LikenessAt(patches[i], dx, dy, centred, spread);
          if (likeness > best) {
            best = likeness;
            bestX = dx;
            bestY = dy;
          }
        }
      }
      glyphs[i] = patches[i].Frame(bestX, bestY);
    }
  }
  return glyphs;
}

// A worn ribbon prints with some of a head's pins lighter: the same rows of
// every character lighter than the rest. Rows holding print (an eighth of the
// darkest rows' ink at least; bare paper has none) are levelled up to the
// darkest rows' ink, by at most four times, each row taken as dark as its
// darkest neighbour within a stroke's width, so that the soft edge of a
// stroke is not thickened.
void LevelAcross(std::vector<Glyph>& glyphs) {
  // What runs across nearly all of a character's cell, the gap beside it
  // included (the edge of a band of green-bar paper), is no part of it, and
  // no row to level: each row loses the ink its faintest sixth holds.
  std::vector<float> row(kGlyphWidth);
  for (Glyph& glyph : glyphs) {
    for (int y = 0; y < kGlyphHeight; ++y) {
      for (int x = 0; x < kGlyphWidth; ++x) row[x] = glyph.At(x, y);
      const float floor = Percentile(row, 16);
      for (int x = 0; x < kGlyphWidth; ++x) glyph.At(x, y) = std::max(0.0f, glyph.At(x, y) - floor);
    }
  }
  constexpr int kStroke = 3;  // samples
  const Glyph median = MedianOf(glyphs);
  std::array<float, kGlyphHeight> peak{};
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) peak[y] = std::max(peak[y], median.At(x, y));
  }
  const float full = *std::max_element(peak.begin(), peak.end());
  for (int y = 0; y < kGlyphHeight; ++y) {
    float near = 0;
    for (int k = std::max(0, y - kStroke); k <= std::min(kGlyphHeight - 1, y + kStroke); ++k) {
      near = std::max(near, peak[k]);
    }
    if (near < full / 8 || near >= full) continue;
    const float gain = std::min(4.0f, full / near);
    for (Glyph& glyph : glyphs) {
      for (int x = 0; x < kGlyphWidth; ++x) glyph.At(x, y) *= gain;
    }
  }
}

// How wide the reference digits' 3s draw their strokes: the middle of them.
// Heavy print, or ink spread into the paper, draws wider; shapes, not weights,
// tell typefaces apart.
double ReferenceStrokeWidth() {
  static const double width = [] {
    std::vector<double> widths;
    for (const ReferenceGlyph& reference : ReferenceGlyphs()) {
      if (reference.digit == '3') widths.push_back(StrokeWidth(reference.blurred));
    }
    return Median(widths);
  }();
  return width;
}

}  // namespace

double CharacterRow::CellAt(double x) const {
  // The root of course[2] i² + course[1] i + course[0] = x on the line's own
  // side of the course's turn, in the form that stays exact as course[2]
  // goes to 0; far beyond a course that turns, the turn.
  const auto [c0, c1, c2] = course;
  const double discriminant = std::max(0.0, c1 * c1 + 4 * c2 * (x - c0));
  return 2 * (x - c0) / (c1 + std::sqrt(discriminant));
}

Glyph MeanCharacter(const std::vector<Glyph>& characters) {
  return Centred(NoWiderThan(Average(characters), ReferenceStrokeWidth()));
}

CharacterRow CutCharacters(const LineImage& line, const LineMeasure& measure) {
  CharacterRow row;
  if (!measure.inked || measure.pitch < 2) return row;
  const Walk walk = WalkLine(ColumnInk(line), measure);

  // A smooth course through the centres found (straight, or bending a little
  // with perspective), first through all, then through those near it.
  std::vector<double> index, centre;
  for (std::size_t i = 0; i < walk.centres.size(); ++i) {
    if (walk.inked[i]) {
      index.push_back(static_cast<double>(i));
      centre.push_back(walk.centres[i]);
    }
  }
  if (index.size() < 4) return row;
  std::vector<double> course = Polynomial(index, centre, 2);
  std::vector<double> keptIndex, keptCentre;
  for (std::size_t i = 0; i < index.size(); ++i) {
    if (std::abs(Evaluate(course, index[i]) - centre[i]) < 0.2 * measure.pitch) {
      keptIndex.push_back(index[i]);
      keptCentre.push_back(centre[i]);
    }
  }
  if (keptIndex.size() < 4) return row;
  course = Polynomial(keptIndex, keptCentre, 2);
  row.course = {course[0], course[1], course[2]};
  row.pitch = (Evaluate(course, keptIndex.back()) - Evaluate(course, keptIndex.front())) /
              std::max(1.0, keptIndex.back() - keptIndex.front());
  // The local pitch is course[1] + 2 course[2] i; i grows by one a pitch.
  row.pitchChange = 2 * course[2] / row.pitch;

  std::vector<double> heights;
  const float enough = StrongInk(line);
  const Phases phases = PhasesAlong(line, row);
  std::vector<double> repeating, drawnAside;
  for (const double i : keptIndex) {
    row.centres.push_back(Evaluate(course, i));
    heights.push_back(InkHeight(line, row.centres.back(), row.pitch, enough));
    repeating.push_back(PrintHeight(line, phases, row.centres.back(), row.pitch, enough));
    drawnAside.push_back(heights.back() - repeating.back());
  }
  // The characters' ink is centred where they are, unless something along
  // the line besides them (a band edge crossing it) draws it clearly aside
  // from where the print that repeats is centred.
  if (std::abs(Median(drawnAside)) > 0.1 * row.pitch) heights = repeating;
  const std::vector<double> across = Polynomial(keptIndex, heights, 1);
  for (const double i : keptIndex) row.heights.push_back(Evaluate(across, i));
  row.level = Unlevel(heights, row.heights) / row.pitch;

  std::vector<Patch> patches;
  for (std::size_t k = 0; k < keptIndex.size(); ++k) {
    const double local = 2 * course[2] * keptIndex[k] + course[1];
    patches.push_back(Cut(line, row.centres[k], row.heights[k],
                          std::clamp(local, 0.75 * row.pitch, 1.25 * row.pitch)));
  }
  std::vector<Glyph> glyphs = Align(patches);
  LevelAcross(glyphs);

  // Characters unlike what most of the line's characters show are damaged (a
  // streak, a stamp, a pen's stroke, print washed out by glare, the sheet's
  // edge past the line's end) and are left out of the mean: unlike it by more
  // than the line's own characters differ among themselves. Softened, so that
  // noise and grain do not hide how alike the shapes are.
  const Glyph softMedian = Blurred(MedianOf(glyphs));
  std::vector<double> likeness(glyphs.size()), deviations;
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    likeness[k] = Likeness(Blurred(glyphs[k]), softMedian, 0);
  }
  const double typical = Median(likeness);
  for (const double l : likeness) deviations.push_back(std::abs(l - typical));
  const double least = std::max(0.5, typical - std::max(0.04, 4 * 1.4826 * Median(deviations)));
  std::vector<Glyph> used;
  for (std::size_t k = 0; k < glyphs.size(); ++k) {
    row.used.push_back(likeness[k] >= least);
    if (row.used.back()) used.push_back(glyphs[k]);
  }
  row.glyphs = std::move(glyphs);
  if (used.empty()) return row;
  const Glyph soft = Blurred(Average(used));
  double alike = 0;
  for (const Glyph& g : used) alike += Likeness(Blurred(g), soft, 0);
  row.alike = alike / used.size();
  row.mean = MeanCharacter(used);
  return row;
}

}  // namespace fontprobe
