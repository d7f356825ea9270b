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

}  // namespace fontprobe
