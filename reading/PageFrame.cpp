#include "reading/PageFrame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fontprobe {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// How sharply the ink gathers into lines running at `angle`: the sum of the
// squares of the ink across the lines, one bin a pixel wide. Lines of print
// give tall narrow peaks, the most when the angle fits them.
double LineSharpness(const std::vector<InkPoint>& points, double angle, std::vector<float>& bins) {
  std::fill(bins.begin(), bins.end(), 0.0f);
  const float s = static_cast<float>(std::sin(angle)), c = static_cast<float>(std::cos(angle));
  // v lies within the picture's extent either side of 0; bins start at -extent.
  const float offset = -static_cast<float>(bins.size() / 2);
  for (const InkPoint& p : points) {
    const auto bin = static_cast<std::size_t>(-p.x * s + p.y * c - offset);
    if (bin < bins.size()) bins[bin] += p.weight;
  }
  double sum = 0;
  for (const float bin : bins) sum += static_cast<double>(bin) * bin;
  return sum;
}

struct Tilt {
  double angle;
  double sharpness;
};

// The tilt within about 11 degrees of `base` at which lines are sharpest.
Tilt SharpestTilt(const std::vector<InkPoint>& points, double base, std::vector<float>& bins) {
  Tilt best{base, -1};
  for (double step : {0.5 * kDegree, 0.05 * kDegree}) {
    const double centre = best.angle, reach = step == 0.5 * kDegree ? 11 * kDegree : 0.5 * kDegree;
    for (double angle = centre - reach; angle <= centre + reach + 1e-9; angle += step) {
      const double sharpness = LineSharpness(points, angle, bins);
      if (sharpness > best.sharpness) best = {angle, sharpness};
    }
  }
  return best;
}

}  // namespace

double PageFrame::U(Point p) const {
  const double u = p.x * std::cos(angle) + p.y * std::sin(angle);
  return mirrored ? -u : u;
}

double PageFrame::V(Point p) const { return -p.x * std::sin(angle) + p.y * std::cos(angle); }

Point PageFrame::ToPicture(double u, double v) const {
  const double c = std::cos(angle), s = std::sin(angle);
  if (mirrored) u = -u;
  return {u * c - v * s, u * s + v * c};
}

PageFrame PageFrame::Turned() const { return {angle + std::numbers::pi, mirrored}; }

PageFrame PageFrame::Mirrored() const { return {angle, !mirrored}; }

std::vector<InkPoint> InkPoints(const InkMap& map, int threshold) {
  std::vector<InkPoint> points;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) {
      const int ink = map.At(x, y);
      if (ink >= threshold) {
        points.push_back({x + 0.5f, y + 0.5f, static_cast<float>(ink)});
      }
    }
  }
  return points;
}

std::vector<PageFrame> CandidateFrames(const std::vector<InkPoint>& points) {
  float extent = 0;
  for (const InkPoint& p : points) extent = std::max({extent, p.x, p.y});
  std::vector<float> bins(2 * (static_cast<std::size_t>(extent * 1.5f) + 2));
  const Tilt across = SharpestTilt(points, 0, bins);
  const Tilt down = SharpestTilt(points, std::numbers::pi / 2, bins);
  const Tilt first = across.sharpness >= down.sharpness ? across : down;
  const Tilt second = across.sharpness >= down.sharpness ? down : across;
  return {PageFrame{first.angle}, PageFrame{first.angle}.Turned(), PageFrame{second.angle},
          PageFrame{second.angle}.Turned()};
}

}  // namespace fontprobe
