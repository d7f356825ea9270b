#include "reading/PictureFile.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "reading/Exif.h"

namespace fontprobe {

namespace {

// Pixels this much longer one way than the other are left as they are: the
// reader takes its scale from the print, and a few percent do not change a
// character's shape.
constexpr double kSquareEnough = 1.02;
constexpr double kLongestBelieved = 4;

// The weights by which `to` samples along one way take from `from` samples:
// each output sample the mean of the input it covers, linearly weighed, so
// that shrinking averages and stretching interpolates.
struct Taps {
  std::vector<int> first;
  std::vector<std::vector<float>> weights;
};

Taps TapsFor(int from, int to) {
  const double scale = static_cast<double>(to) / from;
  const double reach = std::max(1.0, 1 / scale);  // in input samples
  Taps taps;
  for (int i = 0; i < to; ++i) {
    const double centre = (i + 0.5) / scale;
    const int low = std::max(0, static_cast<int>(std::floor(centre - reach)));
    const int high = std::min(from - 1, static_cast<int>(std::ceil(centre + reach)));
    std::vector<float> weights;
    double sum = 0;
    for (int k = low; k <= high; ++k) {
      const double weight = std::max(0.0, 1 - std::abs(k + 0.5 - centre) / reach);
      weights.push_back(static_cast<float>(weight));
      sum += weight;
    }
    for (float& w : weights) w = static_cast<float>(w / sum);
    taps.first.push_back(low);
    taps.weights.push_back(std::move(weights));
  }
  return taps;
}

GreyImage Across(GreyImage picture, int width) {
  if (width == picture.width) return picture;
  const Taps taps = TapsFor(picture.width, width);
  GreyImage out{width, picture.height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(width) * picture.height)};
  for (int y = 0; y < picture.height; ++y) {
    const std::uint8_t* in = &picture.pixels[static_cast<std::size_t>(y) * picture.width];
    std::uint8_t* row = &out.pixels[static_cast<std::size_t>(y) * width];
    for (int x = 0; x < width; ++x) {
      float sum = 0;
      const std::vector<float>& weights = taps.weights[x];
      for (std::size_t k = 0; k < weights.size(); ++k) sum += weights[k] * in[taps.first[x] + k];
      row[x] = static_cast<std::uint8_t>(std::clamp(sum + 0.5f, 0.0f, 255.0f));
    }
  }
  return out;
}

GreyImage Down(GreyImage picture, int height) {
  if (height == picture.height) return picture;
  const Taps taps = TapsFor(picture.height, height);
  GreyImage out{picture.width, height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(picture.width) * height)};
  std::vector<float> sums(picture.width);
  for (int y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    const std::vector<float>& weights = taps.weights[y];
    for (std::size_t k = 0; k < weights.size(); ++k) {
      const std::uint8_t* in =
          &picture.pixels[static_cast<std::size_t>(taps.first[y] + k) * picture.width];
      for (int x = 0; x < picture.width; ++x) sums[x] += weights[k] * in[x];
    }
    std::uint8_t* row = &out.pixels[static_cast<std::size_t>(y) * picture.width];
    for (int x = 0; x < picture.width; ++x)
      row[x] = static_cast<std::uint8_t>(std::clamp(sums[x] + 0.5f, 0.0f, 255.0f));
  }
  return out;
}

}  // namespace

PicturePage ReadyToRead(DecodedPage page) {
  PicturePage ready;
  const std::optional<StatedResolution> stated = page.resolution;
  const double ratio = stated && stated->across > 0 && stated->down > 0
                           ? stated->across / stated->down
                           : 1;  // how much longer a pixel is down than across
  const bool believed = ratio <= kLongestBelieved && ratio >= 1 / kLongestBelieved;
  GreyImage image = std::move(page.image);
  if (believed && std::max(ratio, 1 / ratio) > kSquareEnough) {
    double width = image.width, height = image.height;
    (ratio > 1 ? height : width) *= std::max(ratio, 1 / ratio);
    const double over = width * height / kLargestPicture;
    if (over > 1) (ratio > 1 ? width : height) /= over;
    const int newWidth = std::max(1, static_cast<int>(std::lround(width)));
    const int newHeight = std::max(1, static_cast<int>(std::lround(height)));
    if (stated->perInch) ready.dotsPerInch = stated->across * newWidth / image.width;
    image = Down(Across(std::move(image), newWidth), newHeight);
  } else if (believed && stated && stated->perInch && stated->across > 0) {
    ready.dotsPerInch = stated->across;
  }
  ready.image = Oriented(std::move(image), page.orientation);
  return ready;
}

}  // namespace fontprobe
