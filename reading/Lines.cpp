#include "reading/Lines.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <optional>
#include <tuple>

#include "reading/Statistics.h"

namespace fontprobe {

namespace {

struct Peak {
  double v;
  double weight;
};

// A mark's part in one strip of the page, in a frame: where its ink is centred.
struct Placed {
  std::size_t strip;
  double v;
  double ink;
};

// How tall each mark stands across the lines of the frame.
std::vector<double> Heights(const Marks& marks, const PageFrame& frame) {
  std::vector<double> heights;
  for (const Mark& mark : marks.marks) {
    double low = 1e300, high = -1e300;
    for (std::size_t i = mark.first; i < mark.first + mark.count; ++i) {
      const double v = frame.V(marks.pixels[i].centre);
      low = std::min(low, v);
      high = std::max(high, v);
    }
    heights.push_back(high - low + 1);
  }
  return heights;
}

// Where a strip of the page holds lines: the characters of a line have their
// centres about as high, those of the next line are a line's spacing lower,
// so marks whose centres lie close (`gap`) to each other are one line. A few characters of two
// lines touching (a descender reaching a tall character below) do not move the lines. The line is
// where its marks' ink is centred.
std::vector<Peak> LinesInStrip(std::vector<Placed> marks, double gap) {
  std::sort(marks.begin(), marks.end(), [](const Placed& a, const Placed& b) { return a.v < b.v; });
  std::vector<Peak> peaks;
  double ink = 0, moment = 0, last = -1e300;
  for (const Placed& mark : marks) {
    if (mark.v - last > gap && ink > 0) {
      peaks.push_back({moment / ink, ink});
      ink = moment = 0;
    }
    ink += mark.ink;
    moment += mark.ink * mark.v;
    last = mark.v;
  }
  if (ink > 0) peaks.push_back({moment / ink, ink});
  return peaks;
}

// The distance from one line to the next. Most lines of a test page have a
// neighbour a line below, others are two or three lines away; and a line of
// digits sits a little higher on its baseline than a line of small letters.
// So: first the commonest short distance between neighbouring lines in a
// strip, then the spacing near it that the distances, all taken, fit best as
// whole multiples of. Faint pieces do not count (see Faint).
double Spacing(const std::vector<std::vector<Peak>>& peaks, double faint) {
  std::vector<double> distances;
  for (const auto& strip : peaks) {
    std::optional<double> last;
    for (const Peak& peak : strip) {
      if (peak.weight < faint) continue;
      if (last) distances.push_back(peak.v - *last);
      last = peak.v;
    }
  }
  if (distances.size() < 3) return 0;
  std::vector<double> sorted = distances;
  std::sort(sorted.begin(), sorted.end());
  const double low = sorted[sorted.size() / 4];
  std::vector<double> near;
  for (const double d : sorted) {
    if (d > 0.75 * low && d < 1.25 * low) near.push_back(d);
  }
  const double rough = near[near.size() / 2];
  double best = rough, bestFit = -1e300;
  for (double spacing = 0.8 * rough; spacing <= 1.4 * rough; spacing *= 1.005) {
    double fit = 0;
    for (const double d : distances) {
      if (d < 4.5 * rough) fit += std::cos(2 * std::numbers::pi * d / spacing);
    }
    if (fit > bestFit) {
      bestFit = fit;
      best = spacing;
    }
  }
  return best;
}

// The ink below which a piece of a line in a strip is faint: dust, a shadow's
// edge, the grain of a table. A piece of a line of print has a good part of
// the ink that the heaviest pieces have; thin print, where one or two heavy
// lines fill the top tenth of the pieces with a hundred times its ink, a good
// part of a typical piece's.
double Faint(const std::vector<std::vector<Peak>>& peaks, LineInk ink) {
  std::vector<double> weights;
  for (const auto& strip : peaks) {
    for (const Peak& peak : strip) weights.push_back(peak.weight);
  }
  if (weights.size() < 4) return 0;
  const double usual = 0.15 * Percentile(weights, 90);
  return ink == LineInk::Usual ? usual : std::min(usual, 0.3 * Median(weights));
}

struct Projected {
  double u;
  double v;
  double weight;
};

// A line being followed from strip to strip.
struct Track {
  std::vector<Projected> points;  // u, v, weight at each strip it was seen in
  std::size_t lastStrip = 0;

  // Where the line is expected at u: a line of print is straight, even in a
  // photo, so along all its points so far, each as much as it holds ink: a
  // faint speck of the table beside the sheet does not steer a line of print.
  double Expect(double u) const {
    if (points.size() < 2) return points.back().v;
    WeightedFit fit;
    for (const Projected& p : points) fit.Add(p.u, p.v, p.weight);
    const double slope = fit.Spread() > 1e-9 ? fit.Slope() : 0;
    return fit.MeanY() + slope * (u - fit.MeanX());
  }
};

// Lines followed from strip to strip by their substantial pieces, each piece
// going to the line it lies nearest the course of. Faint pieces (a character
// or two at a line's end, print washed out by glare, specks, the grain of a
// table beside the sheet) then join a line they lie on, within its length or
// a strip beyond, so that they neither start lines nor steer them.
std::vector<Track> FollowLines(const std::vector<std::vector<Peak>>& lines, double uLow,
                               double width, double spacing, double faint) {
  std::vector<Track> tracks;
  for (std::size_t s = 0; s < lines.size(); ++s) {
    const double u = uLow + (s + 0.5) * width;
    std::vector<Peak> peaks;
    for (const Peak& peak : lines[s]) {
      if (peak.weight >= faint) peaks.push_back(peak);
    }
    std::vector<std::tuple<double, std::size_t, std::size_t>> pairs;  // distance, track, peak
    for (std::size_t t = 0; t < tracks.size(); ++t) {
      if (tracks[t].lastStrip + 3 < s) continue;
      const double expected = tracks[t].Expect(u);
      for (std::size_t p = 0; p < peaks.size(); ++p) {
        const double distance = std::abs(peaks[p].v - expected);
        if (distance < 0.4 * spacing) pairs.emplace_back(distance, t, p);
      }
    }
    std::sort(pairs.begin(), pairs.end());
    std::vector<bool> trackTaken(tracks.size(), false), peakTaken(peaks.size(), false);
    for (const auto& [distance, t, p] : pairs) {
      if (trackTaken[t] || peakTaken[p]) continue;
      trackTaken[t] = peakTaken[p] = true;
      tracks[t].points.push_back({u, peaks[p].v, peaks[p].weight});
      tracks[t].lastStrip = s;
    }
    for (std::size_t p = 0; p < peaks.size(); ++p) {
      if (!peakTaken[p]) tracks.push_back({{{u, peaks[p].v, peaks[p].weight}}, s});
    }
  }
  for (std::size_t s = 0; s < lines.size(); ++s) {
    const double u = uLow + (s + 0.5) * width;
    for (const Peak& peak : lines[s]) {
      if (peak.weight >= faint) continue;
      Track* nearest = nullptr;
      double best = 0.25 * spacing;
      for (Track& track : tracks) {
        const bool within =
            track.points.front().u - 1.5 * width < u && u < track.points.back().u + 1.5 * width;
        const bool seen = std::any_of(track.points.begin(), track.points.end(),
                                      [&](const Projected& p) { return p.u == u; });
        if (!within || seen || std::abs(track.Expect(u) - peak.v) >= best) continue;
        best = std::abs(track.Expect(u) - peak.v);
        nearest = &track;
      }
      const Projected point{u, peak.v, peak.weight};
      if (!nearest) {
        tracks.push_back({{point}, s});
        continue;
      }
      nearest->points.insert(
          std::upper_bound(nearest->points.begin(), nearest->points.end(), point,
                           [](const Projected& a, const Projected& b) { return a.u < b.u; }),
          point);
    }
  }
  return tracks;
}

// Tracks that are pieces of one line, as a line whose characters sit unevenly
// or touch the line above in places makes them: where one runs on where the
// other is expected, within a third of a line's spacing, and no further along
// than a few strips, they are joined.
std::vector<Track> Merged(std::vector<Track> tracks, double spacing, double stripWidth) {
  std::sort(tracks.begin(), tracks.end(),
            [](const Track& a, const Track& b) { return a.points.size() > b.points.size(); });
  std::vector<Track> merged;
  for (Track& track : tracks) {
    auto same = std::find_if(merged.begin(), merged.end(), [&](const Track& line) {
      // No further apart than a line followed may skip (marks at both edges
      // of the sheet, such as the holes of continuous paper, are no line).
      if (track.points.front().u > line.points.back().u + 4 * stripWidth ||
          track.points.back().u < line.points.front().u - 4 * stripWidth) {
        return false;
      }
      for (const Projected& p : track.points) {
        if (std::abs(line.Expect(p.u) - p.v) > spacing / 3) return false;
      }
      return true;
    });
    if (same == merged.end()) {
      merged.push_back(std::move(track));
      continue;
    }
    same->points.insert(same->points.end(), track.points.begin(), track.points.end());
    std::sort(same->points.begin(), same->points.end(),
              [](const Projected& a, const Projected& b) { return a.u < b.u; });
  }
  return merged;
}

// The line through a track's points: its own slope, or the one given.
FoundLine Fit(const Track& track, double stripWidth, double givenSlope, bool given = false) {
  WeightedFit fit;
  for (const Projected& p : track.points) fit.Add(p.u, p.v, p.weight);
  const double slope =
      !given && track.points.size() > 1 && fit.Spread() > 0 ? fit.Slope() : givenSlope;
  return {
      fit.MeanY() - slope * fit.MeanX(),      slope,      track.points.front().u - stripWidth / 2,
      track.points.back().u + stripWidth / 2, fit.weight, {}};
}

// Where the page's lines run in each strip: v = a + b m for the line that
// lies at m down the page's middle, by least squares through the long lines
// seen in the strip, each point as much as it holds ink (a faint track far
// below the print, a sheet's edge or a shadow, would swing the fit). Straight
// lines whose slope changes down the page (a photo taken at an angle) fit it
// as well as lines bent where the sheet curls up, nearer the camera, and
// spreads them apart.
struct StripCourse {
  double u;
  double a;
  double b;
};

std::vector<StripCourse> CourseOfLines(const std::vector<Track>& tracks, double middle,
                                       double spacing) {
  std::vector<std::tuple<double, double, double, double>> seen;  // u, m, v, ink
  std::vector<double> strips;
  for (const Track& track : tracks) {
    if (track.points.size() < 6) continue;
    const double m = Fit(track, 0, 0).VAt(middle);
    for (const Projected& p : track.points) {
      seen.emplace_back(p.u, m, p.v, p.weight);
      strips.push_back(p.u);
    }
  }
  std::sort(strips.begin(), strips.end());
  strips.erase(std::unique(strips.begin(), strips.end()), strips.end());
  std::vector<StripCourse> course;
  for (const double u : strips) {
    int count = 0;
    WeightedFit fit;
    for (const auto& [at, m, v, ink] : seen) {
      if (at != u) continue;
      ++count;
      fit.Add(m, v, ink);
    }
    // Three lines at least, spread over several spacings: fewer say little
    // of how the lines turn down the page.
    if (count < 3 || fit.Spread() < spacing * spacing) continue;
    const double b = fit.Slope();
    course.push_back({u, fit.MeanY() - b * fit.MeanX(), b});
  }
  return course;
}

// A line as the page's course of lines runs at its place: its place by least
// squares through its points, its straight line through the course within
// its length, the rest its bend. A line the course does not reach keeps
// `straight`.
FoundLine AlongTheCourse(const Track& track, const std::vector<StripCourse>& course,
                         const FoundLine& straight) {
  double sb = 0, sbb = 0;
  for (const Projected& p : track.points) {
    for (const StripCourse& c : course) {
      if (c.u != p.u) continue;
      sb += c.b * (p.v - c.a);
      sbb += c.b * c.b;
    }
  }
  if (sbb <= 0 || course.size() < 2) return straight;
  const double m = sb / sbb;
  WeightedFit fit;
  for (const StripCourse& c : course) {
    if (c.u >= straight.begin && c.u <= straight.end) fit.Add(c.u, c.a + c.b * m, 1);
  }
  FoundLine line = straight;
  line.slope = fit.Spread() > 0 ? fit.Slope() : straight.slope;
  line.middle = fit.weight > 0 ? fit.MeanY() - line.slope * fit.MeanX() : straight.middle;
  for (const StripCourse& c : course) {
    line.bend.push_back({c.u, c.a + c.b * m - line.middle - line.slope * c.u});
  }
  return line;
}

// The slope of lines as it changes down the page: slope = a + b v, by least
// squares through the long lines, each as much as it holds ink (the faint
// edge of a sheet or a table's grain does not bend the page's lines); level
// when there are none.
std::vector<double> SlopeDownThePage(const std::vector<FoundLine>& lines, double middle) {
  if (lines.empty()) return {0, 0};
  double w = 0, sv = 0, ss = 0, svv = 0, svs = 0;
  for (const FoundLine& line : lines) {
    const double v = line.VAt(middle);
    w += line.weight;
    sv += line.weight * v;
    ss += line.weight * line.slope;
    svv += line.weight * v * v;
    svs += line.weight * v * line.slope;
  }
  const double spread = svv / w - (sv / w) * (sv / w);
  if (lines.size() < 3 || spread <= 1e-9) return {ss / w, 0};
  const double b = (svs / w - (sv / w) * (ss / w)) / spread;
  return {ss / w - b * sv / w, b};
}

}  // namespace

double FoundLine::BendAt(double u) const {
  if (bend.empty()) return 0;
  if (u <= bend.front().x) return bend.front().y;
  if (u >= bend.back().x) return bend.back().y;
  const auto after = std::upper_bound(bend.begin(), bend.end(), u,
                                      [](double at, const Point& p) { return at < p.x; });
  const Point &a = *(after - 1), &b = *after;
  return a.y + (b.y - a.y) * (u - a.x) / (b.x - a.x);
}

// Half round, u and v change sign; mirrored, u does.
FoundLine FoundLine::Turned() const {
  FoundLine turned{-middle, slope, -end, -begin, weight, {}};
  for (auto p = bend.rbegin(); p != bend.rend(); ++p) turned.bend.push_back({-p->x, -p->y});
  return turned;
}

FoundLine FoundLine::Mirrored() const {
  FoundLine mirrored{middle, -slope, -end, -begin, weight, {}};
  for (auto p = bend.rbegin(); p != bend.rend(); ++p) mirrored.bend.push_back({-p->x, p->y});
  return mirrored;
}

Marks FindMarks(const InkMap& reduced, int faint, int clear) {
  const int w = reduced.width, h = reduced.height;
  Marks marks;
  std::vector<std::uint8_t> seen(reduced.ink.size(), 0);
  std::vector<std::size_t> stack;
  for (std::size_t start = 0; start < reduced.ink.size(); ++start) {
    if (reduced.ink[start] < faint || seen[start]) continue;
    Mark mark;
    mark.first = marks.pixels.size();
    double mx = 0, my = 0;
    int darkest = 0;
    stack.push_back(start);
    seen[start] = 1;
    while (!stack.empty()) {
      const std::size_t at = stack.back();
      stack.pop_back();
      const int x = static_cast<int>(at % w), y = static_cast<int>(at / w);
      const double ink = reduced.ink[at];
      darkest = std::max<int>(darkest, reduced.ink[at]);
      marks.pixels.push_back({{x + 0.5, y + 0.5}, ink});
      mark.ink += ink;
      mx += ink * (x + 0.5);
      my += ink * (y + 0.5);
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
          const std::size_t next = static_cast<std::size_t>(ny) * w + nx;
          if (reduced.ink[next] >= faint && !seen[next]) {
            seen[next] = 1;
            stack.push_back(next);
          }
        }
      }
    }
    if (darkest < clear) {
      marks.pixels.resize(mark.first);
      continue;
    }
    mark.count = marks.pixels.size() - mark.first;
    mark.x = mx / mark.ink;
    mark.y = my / mark.ink;
    marks.marks.push_back(mark);
  }
  return marks;
}

LineSearch FindLines(const Marks& marks, const PageFrame& frame, double closeness, LineInk needs) {
  // Specks of a few pixels (noise, dust, a JPEG's ringing) are not characters.
  const std::vector<double> heights = Heights(marks, frame);
  auto speck = [&](std::size_t m) { return marks.marks[m].count < 6 || heights[m] < 3; };
  std::vector<double> tall;
  for (std::size_t m = 0; m < heights.size(); ++m) {
    if (!speck(m)) tall.push_back(heights[m]);
  }
  if (tall.size() < 10) return {};
  const double height = Median(tall);
  double uLow = 1e300, uHigh = -1e300;
  for (const MarkPixel& p : marks.pixels) {
    uLow = std::min(uLow, frame.U(p.centre));
    uHigh = std::max(uHigh, frame.U(p.centre));
  }
  // Strips a fourteenth of the print wide: narrow enough that a line
  // photographed at a slant, or bent up where the sheet curls, still lies
  // level in each, and lines the bend brings close stay apart. Each
  // character-sized mark counts in each strip it reaches, as characters
  // touching along a line make a mark as long as the line. Not
  // character-sized: specks, the sheet's edge, a shadow, and characters of
  // two lines touching, which belong to neither.
  const double width = std::max(8.0, (uHigh - uLow) / 14);
  const std::size_t count = static_cast<std::size_t>((uHigh - uLow) / width) + 1;
  std::vector<std::vector<Placed>> strips(count);
  std::vector<double> ink(count), moment(count);
  for (std::size_t m = 0; m < marks.marks.size(); ++m) {
    if (speck(m) || heights[m] < 0.4 * height || heights[m] > 2.2 * height) continue;
    const Mark& mark = marks.marks[m];
    std::fill(ink.begin(), ink.end(), 0.0);
    std::fill(moment.begin(), moment.end(), 0.0);
    for (std::size_t i = mark.first; i < mark.first + mark.count; ++i) {
      const MarkPixel& p = marks.pixels[i];
      const auto s = static_cast<std::size_t>((frame.U(p.centre) - uLow) / width);
      ink[s] += p.ink;
      moment[s] += p.ink * frame.V(p.centre);
    }
    for (std::size_t s = 0; s < count; ++s) {
      if (ink[s] > 0) strips[s].push_back({s, moment[s] / ink[s], ink[s]});
    }
  }
  std::vector<std::vector<Peak>> pieces;
  for (auto& strip : strips) pieces.push_back(LinesInStrip(std::move(strip), closeness * height));
  const double faint = Faint(pieces, needs);
  const double spacing = faint > 0 ? Spacing(pieces, faint) : 0;
  if (spacing < 3) return {};
  const std::vector<Track> tracks =
      Merged(FollowLines(pieces, uLow, width, spacing, faint), spacing, width);

  // A short line's own slope is poor: it takes the slope of the long lines
  // at its place down the page (they turn slowly down a photographed sheet).
  std::vector<FoundLine> longLines;
  for (const Track& track : tracks) {
    if (track.points.size() >= 6) longLines.push_back(Fit(track, width, 0));
  }
  const std::vector<double> slopeDown = SlopeDownThePage(longLines, (uLow + uHigh) / 2);
  const std::vector<StripCourse> course = CourseOfLines(tracks, (uLow + uHigh) / 2, spacing);
  LineSearch search{{}, spacing, height};
  for (const Track& track : tracks) {
    FoundLine line = Fit(track, width, 0);
    if (track.points.size() < 6) {
      line = Fit(track, width, slopeDown[0] + slopeDown[1] * line.VAt((uLow + uHigh) / 2), true);
    }
    search.lines.push_back(AlongTheCourse(track, course, line));
  }
  // Specks and dust make faint tracks of their own, with a thousandth of the
  // heaviest line's ink; a line of thin print beside a heavy one has a
  // thirtieth or more.
  double heaviest = 0;
  for (const FoundLine& line : search.lines) heaviest = std::max(heaviest, line.weight);
  std::erase_if(search.lines, [&](const FoundLine& line) { return line.weight < 0.01 * heaviest; });
  const double middle = (uLow + uHigh) / 2;
  std::sort(search.lines.begin(), search.lines.end(),
            [&](const FoundLine& a, const FoundLine& b) { return a.VAt(middle) < b.VAt(middle); });
  return search;
}

LineImage::LineImage(const InkMap& map, const PageFrame& frame, const FoundLine& line, double scale,
                     double spacing)
    : frame_(frame), line_(line), scale_(scale), begin_((line.begin - spacing) * scale) {
  width_ = std::max(1, static_cast<int>((line.end - line.begin + 2 * spacing) * scale));
  height_ = std::max(3, static_cast<int>(std::lround(1.3 * spacing * scale)));
  ink_.resize(static_cast<std::size_t>(width_) * height_);
  // The frame's unit steps along and across the line, in the picture.
  const Point along = frame.ToPicture(1, 0), across = frame.ToPicture(0, 1);
  const double ux = along.x, uy = along.y, vx = across.x, vy = across.y;
  for (int x = 0; x < width_; ++x) {
    const double u = begin_ + x + 0.5;
    const double middle = scale * line.VAt(u / scale);
    for (int y = 0; y < height_; ++y) {
      const double v = middle + (y + 0.5 - height_ / 2.0);
      ink_[static_cast<std::size_t>(y) * width_ + x] =
          map.Sample(static_cast<float>(u * ux + v * vx), static_cast<float>(u * uy + v * vy));
    }
  }
  TakeRowFloor();
  LevelAlong(static_cast<int>(spacing * scale));
}

void LineImage::TakeRowFloor() {
  // What lies all along a row of the line is no print: print leaves gaps
  // between its characters in every row, far more than a tenth of the row.
  std::vector<float> row(width_);
  for (int y = 0; y < height_; ++y) {
    float* values = &ink_[static_cast<std::size_t>(y) * width_];
    std::copy(values, values + width_, row.begin());
    const float floor = Percentile(row, 10);
    if (floor <= 0) continue;
    for (int x = 0; x < width_; ++x) values[x] = std::max(0.0f, values[x] - floor);
  }
}

void LineImage::LevelAlong(int reach) {
  // Each column's ink in the line's middle half (the lines above and below
  // reach into the rest), over a stroke's width, so that a speck counts for
  // little; then the most within `reach` either side, so that the gaps in and
  // between characters do not count as faint.
  std::vector<float> mass(width_, 0.0f), stroke(width_, 0.0f), envelope(width_, 0.0f);
  for (int y = height_ / 4; y < height_ * 3 / 4; ++y) {
    for (int x = 0; x < width_; ++x) mass[x] += At(x, y);
  }
  for (int x = 0; x < width_; ++x) {
    for (int k = std::max(0, x - 2); k <= std::min(width_ - 1, x + 2); ++k) stroke[x] += mass[k];
  }
  for (int x = 0; x < width_; ++x) {
    const int from = std::max(0, x - reach), to = std::min(width_, x + reach + 1);
    envelope[x] = *std::max_element(stroke.begin() + from, stroke.begin() + to);
  }
  std::vector<float> inked;
  for (const float e : envelope) {
    if (e > 0) inked.push_back(e);
  }
  if (inked.empty()) return;
  const float full = Percentile(inked, 90);
  // Up to four times darker; columns with less than a sixth of the full ink
  // hold no print to level (bare paper, specks and noise, or print the glare
  // took altogether).
  for (int x = 0; x < width_; ++x) {
    if (envelope[x] < full / 6 || envelope[x] >= full) continue;
    const float gain = std::min(4.0f, full / envelope[x]);
    for (int y = 0; y < height_; ++y) ink_[static_cast<std::size_t>(y) * width_ + x] *= gain;
  }
}

float LineImage::Sample(float x, float y) const {
  return SampleBetween(*this, width_, height_, x, y);
}

Point LineImage::ToPicture(double x, double y) const {
  const double u = begin_ + x;
  return frame_.ToPicture(u, scale_ * line_.VAt(u / scale_) + (y - height_ / 2.0));
}

namespace {

// How the ink of columns [from, to) repeats: at which lag between `low` and
// `high` it is most like itself, and how clearly (0 not at all, 1 exactly).
struct Repeat {
  double pitch = 0;
  double regularity = 0;
};

Repeat RepeatOf(const std::vector<double>& columns, int from, int to, int low, int high) {
  std::vector<double> centred(columns.begin() + from, columns.begin() + to);
  const double mean = std::accumulate(centred.begin(), centred.end(), 0.0) / centred.size();
  for (double& c : centred) c -= mean;
  high = std::min(static_cast<int>(centred.size()) / 2, high);
  auto correlation = [&](int lag) {
    double s = 0;
    for (std::size_t i = 0; i + lag < centred.size(); ++i) s += centred[i] * centred[i + lag];
    return s;
  };
  const double zero = correlation(0);
  if (high <= low + 1 || zero <= 0) return {};
  std::vector<double> ac(high + 2, 0.0);
  for (int lag = low - 1; lag <= high + 1; ++lag) ac[lag] = correlation(lag);
  int best = low;
  for (int lag = low; lag <= high; ++lag) {
    if (ac[lag] > ac[best]) best = lag;
  }
  // Normalised for the overlap, which shrinks as the lag grows.
  auto likeness = [&](int lag) { return ac[lag] / (centred.size() - lag); };
  // Print whose pitch falls between whole columns repeats most exactly at
  // two pitches (a whole number of columns), less so at one, half a column
  // off: a lag a half or a third of the best that repeats nearly as clearly
  // is the pitch.
  for (const int part : {3, 2}) {
    const int near = static_cast<int>(std::lround(static_cast<double>(best) / part));
    int within = near;
    for (int lag = std::max(low, near - 1); lag <= std::min(high, near + 1); ++lag) {
      if (likeness(lag) > likeness(within)) within = lag;
    }
    if (within >= low && likeness(within) >= 0.8 * likeness(best)) {
      best = within;
      break;
    }
  }
  // Between whole columns, by the parabola through the best and its neighbours;
  // normalised for the overlap.
  const double below = ac[best - 1], above = ac[best + 1], curve = below - 2 * ac[best] + above;
  return {best + (curve < 0 ? std::clamp(0.5 * (below - above) / curve, -0.5, 0.5) : 0.0),
          ac[best] / zero * centred.size() / (centred.size() - best)};
}

}  // namespace

LineMeasure MeasureLine(const LineImage& line, double spacing) {
  // Only clear ink counts: the grain of a noisy scan would otherwise fill
  // every column.
  std::vector<float> values(line.Width() * static_cast<std::size_t>(line.Height()));
  for (int y = 0; y < line.Height(); ++y) {
    for (int x = 0; x < line.Width(); ++x)
      values[static_cast<std::size_t>(y) * line.Width() + x] = line.At(x, y);
  }
  const float clear = std::max(24.0f, 0.3f * Percentile(values, 98));
  // The line's middle half: the lines above and below reach into the rest,
  // the more so when the print is heavy or blurred.
  std::vector<double> columns(line.Width(), 0.0);
  for (int y = line.Height() / 4; y < line.Height() * 3 / 4; ++y) {
    for (int x = 0; x < line.Width(); ++x) {
      if (line.At(x, y) >= clear) columns[x] += line.At(x, y);
    }
  }
  std::vector<double> inked;
  for (const double c : columns) {
    if (c > 0) inked.push_back(c);
  }
  if (inked.size() < 3) return {};
  const double threshold = 0.15 * Percentile(inked, 95);
  // The line's print: columns with ink, two side by side at least (a speck is
  // narrower), in stretches no more than a few characters apart. What lies
  // further off (the edge of the sheet, a shadow, a stain) is not the line;
  // the stretch with the most ink is.
  struct Stretch {
    int first = -1;
    int last = -1;
    double ink = 0;
  };
  std::vector<Stretch> stretches;
  const double gap = 2.5 * spacing;
  for (int x = 0; x + 1 < line.Width(); ++x) {
    if (columns[x] < threshold || columns[x + 1] < threshold) continue;
    if (stretches.empty() || x - stretches.back().last > gap) stretches.push_back({x, x, 0});
    stretches.back().last = x + 1;
    stretches.back().ink += columns[x];
  }
  if (stretches.empty()) return {};
  const auto heaviest =
      std::max_element(stretches.begin(), stretches.end(),
                       [](const Stretch& a, const Stretch& b) { return a.ink < b.ink; });
  const int low = std::max(2, static_cast<int>(0.35 * spacing));
  const int high = static_cast<int>(1.05 * spacing) + 1;
  // A stretch further along that repeats at the same pitch, in step with it,
  // is the same line, parted by print that glare or a stain took away: taken
  // together they repeat as clearly. The sheet's edge, a shadow or a stain
  // does not repeat.
  auto first = heaviest, last = heaviest;
  Repeat whole = RepeatOf(columns, first->first, last->last + 1, low, high);
  for (bool grown = whole.regularity > 0.3; grown;) {
    grown = false;
    for (const auto next : {first - (first != stretches.begin()), last + 1}) {
      if (next == stretches.end() || (next >= first && next <= last)) continue;
      const Repeat own = RepeatOf(columns, next->first, next->last + 1, low, high);
      const int from = std::min(first->first, next->first), to = std::max(last->last, next->last);
      const Repeat together = RepeatOf(columns, from, to + 1, low, high);
      if (next->last - next->first < 3 * whole.pitch || own.regularity < 0.5 * whole.regularity ||
          together.regularity < 0.8 * whole.regularity ||
          std::abs(own.pitch / whole.pitch - 1) > 0.05 ||
          std::abs(together.pitch / whole.pitch - 1) > 0.03) {
        continue;
      }
      (next < first ? first : last) = next;
      whole = together;
      grown = true;
    }
  }
  if (last->last - first->first < 2) return {};
  LineMeasure measure;
  measure.inked = true;
  measure.first = first->first;
  measure.last = last->last + 1;

  // The pitch: where the print repeats best, along the whole line and along
  // each half. In a photo taken at an angle the print grows smaller towards
  // the far edge: then the halves repeat more clearly than the whole, each
  // at its own pitch, and the pitch changes steadily between them.
  measure.pitch = whole.pitch;
  measure.regularity = whole.regularity;
  const int begin = first->first, end = last->last + 1, half = (begin + end) / 2;
  const Repeat left = RepeatOf(columns, begin, half, low, high);
  const Repeat right = RepeatOf(columns, half, end, low, high);
  const double apart = (end - begin) / 2.0;
  if (std::min(left.regularity, right.regularity) > whole.regularity + 0.05 &&
      std::abs(right.pitch - left.pitch) < 0.4 * (left.pitch + right.pitch) / 2) {
    measure.pitch = (left.pitch + right.pitch) / 2;
    measure.pitchChange = (right.pitch - left.pitch) / apart;
    measure.regularity = std::min(left.regularity, right.regularity);
  }
  return measure;
}

}  // namespace fontprobe
