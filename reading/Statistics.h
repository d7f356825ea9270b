#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace fontprobe {

// The value with `percent` of `values` at or below it; `values` are reordered.
template <typename T>
T Percentile(std::vector<T>& values, std::size_t percent) {
  const auto at = values.begin() + static_cast<std::ptrdiff_t>(values.size() * percent / 100);
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

// The middle value, 0 of none.
inline double Median(std::vector<double> values) {
  return values.empty() ? 0 : Percentile(values, 50);
}

// Points (x, y), each as much as its weight, and the straight line through
// them by least squares: y = MeanY() + Slope() * (x - MeanX()).
struct WeightedFit {
  double weight = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;

  void Add(double x, double y, double w) {
    weight += w;
    sx += w * x;
    sy += w * y;
    sxx += w * x * x;
    sxy += w * x * y;
  }
  double MeanX() const { return sx / weight; }
  double MeanY() const { return sy / weight; }
  // How far the points spread along x (their variance); 0 without points.
  double Spread() const { return weight > 0 ? sxx / weight - MeanX() * MeanX() : 0; }
  // Only where the points spread.
  double Slope() const { return (sxy / weight - MeanX() * MeanY()) / Spread(); }
};

}  // namespace fontprobe
