#include "reading/Glyph.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace fontprobe {

float Glyph::Sample(double x, double y) const {
  x -= 0.5;
  y -= 0.5;
  const double fx = std::floor(x), fy = std::floor(y);
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const float ax = static_cast<float>(x - fx), ay = static_cast<float>(y - fy);
  auto at = [this](int px, int py) -> float {
    return px < 0 || py < 0 || px >= kGlyphWidth || py >= kGlyphHeight ? 0.0f : At(px, py);
  };
  return (at(x0, y0) * (1 - ax) + at(x0 + 1, y0) * ax) * (1 - ay) +
         (at(x0, y0 + 1) * (1 - ax) + at(x0 + 1, y0 + 1) * ax) * ay;
}

Glyph Blurred(const Glyph& glyph) {
  // A Gaussian of one sample, across and then down.
  constexpr float kWeights[] = {0.0545f, 0.2442f, 0.4026f, 0.2442f, 0.0545f};
  Glyph across, down;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      float sum = 0;
      for (int k = -2; k <= 2; ++k) {
        if (x + k >= 0 && x + k < kGlyphWidth) sum += kWeights[k + 2] * glyph.At(x + k, y);
      }
      across.At(x, y) = sum;
    }
  }
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      float sum = 0;
      for (int k = -2; k <= 2; ++k) {
        if (y + k >= 0 && y + k < kGlyphHeight) sum += kWeights[k + 2] * across.At(x, y + k);
      }
      down.At(x, y) = sum;
    }
  }
  return down;
}

Glyph Centred(const Glyph& glyph) {
  double mass = 0, mx = 0, my = 0;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      mass += glyph.At(x, y);
      mx += glyph.At(x, y) * (x + 0.5);
      my += glyph.At(x, y) * (y + 0.5);
    }
  }
  if (mass <= 0) return glyph;
  const double dx = mx / mass - kGlyphWidth / 2.0, dy = my / mass - kGlyphHeight / 2.0;
  Glyph centred;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x)
      centred.At(x, y) = glyph.Sample(x + 0.5 + dx, y + 0.5 + dy);
  }
  return centred;
}

Glyph Scaled(const Glyph& glyph, double factor) {
  Glyph scaled;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      scaled.At(x, y) = glyph.Sample(kGlyphWidth / 2.0 + (x + 0.5 - kGlyphWidth / 2.0) / factor,
                                     kGlyphHeight / 2.0 + (y + 0.5 - kGlyphHeight / 2.0) / factor);
    }
  }
  return scaled;
}

Glyph Mirrored(const Glyph& glyph) {
  Glyph mirrored;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) mirrored.At(x, y) = glyph.At(kGlyphWidth - 1 - x, y);
  }
  return mirrored;
}

double StrokeWidth(const Glyph& glyph) {
  double ink = 0, edges = 0;
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      ink += glyph.At(x, y);
      const float right = x + 1 < kGlyphWidth ? glyph.At(x + 1, y) : 0.0f;
      const float below = y + 1 < kGlyphHeight ? glyph.At(x, y + 1) : 0.0f;
      edges += std::hypot(right - glyph.At(x, y), below - glyph.At(x, y));
    }
  }
  return edges > 0 ? 2 * ink / edges : 0;
}

Glyph NoWiderThan(const Glyph& glyph, double width) {
  if (StrokeWidth(glyph) <= width) return glyph;
  const float darkest = *std::max_element(glyph.ink.begin(), glyph.ink.end());
  auto above = [&](float level) {
    Glyph taken;
    for (std::size_t i = 0; i < glyph.ink.size(); ++i) {
      taken.ink[i] = std::max(0.0f, glyph.ink[i] - level) * darkest / (darkest - level);
    }
    return taken;
  };
  // The level, by halves, at which the strokes are as wide as wanted; no more
  // than seven tenths of the ink, so that the strokes' cores stay.
  float low = 0, high = 0.7f * darkest;
  for (int step = 0; step < 12; ++step) {
    const float middle = (low + high) / 2;
    (StrokeWidth(above(middle)) > width ? low : high) = middle;
  }
  return above(high);
}

double Likeness(const Glyph& a, const Glyph& b, int reach) {
  constexpr int kCount = kGlyphWidth * kGlyphHeight;
  float meanA = 0, meanB = 0;
  for (int i = 0; i < kCount; ++i) {
    meanA += a.ink[i];
    meanB += b.ink[i];
  }
  meanA /= kCount;
  meanB /= kCount;
  std::array<float, kCount> centredA, centredB;
  float aa = 0;
  for (int i = 0; i < kCount; ++i) {
    centredA[i] = a.ink[i] - meanA;
    centredB[i] = b.ink[i] - meanB;
    aa += centredA[i] * centredA[i];
  }
  double best = -1;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      // b moved by (dx, dy); what moves out is gone, what moves in is blank
      // paper (b's mean below its own). Over the overlap the sums are taken
      // sample by sample; over the rest they follow from a's centred sum.
      const int x0 = std::max(0, dx), x1 = std::min(kGlyphWidth, kGlyphWidth + dx);
      const int y0 = std::max(0, dy), y1 = std::min(kGlyphHeight, kGlyphHeight + dy);
      float ab = 0, bb = 0, a = 0;
      for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
          const float va = centredA[y * kGlyphWidth + x];
          const float vb = centredB[(y - dy) * kGlyphWidth + x - dx];
          ab += va * vb;
          bb += vb * vb;
          a += va;
        }
      }
      const int outside = kCount - (x1 - x0) * (y1 - y0);
      ab += meanB * a;  // the rest of a, summing to -a, against b's blank of -meanB
      bb += outside * meanB * meanB;
      if (aa > 0 && bb > 0) best = std::max(best, ab / std::sqrt(static_cast<double>(aa) * bb));
    }
  }
  return best;
}

double PartLikeness(const Glyph& a, const Glyph& b, int firstRow, int endRow, int reach) {
  const int count = kGlyphWidth * (endRow - firstRow);
  double best = -1;
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      double sa = 0, sb = 0, aa = 0, bb = 0, ab = 0;
      for (int y = firstRow; y < endRow; ++y) {
        for (int x = 0; x < kGlyphWidth; ++x) {
          const double va = a.At(x, y);
          const int bx = x - dx, by = y - dy;
          const double vb =
              bx < 0 || by < 0 || bx >= kGlyphWidth || by >= kGlyphHeight ? 0.0 : b.At(bx, by);
          sa += va;
          sb += vb;
          aa += va * va;
          bb += vb * vb;
          ab += va * vb;
        }
      }
      const double varA = aa - sa * sa / count, varB = bb - sb * sb / count;
      if (varA > 0 && varB > 0)
        best = std::max(best, (ab - sa * sb / count) / std::sqrt(varA * varB));
    }
  }
  return best;
}

}  // namespace fontprobe
