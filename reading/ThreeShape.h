#pragma once

#include <array>

#include "reading/Glyph.h"

namespace fontprobe {

// What tells one flat-topped 3 from another, measured on a glyph in parts of
// its ink's height and width: the top bar's length and weight, where the
// diagonal from the bar's end meets the bowl and at what angle, the bowl's
// width, the strokes' contrast and the whole's proportions.
struct ThreeShape {
  double barLength = 0;      // the top bar, in widths
  double barWeight = 0;      // its thickness, in heights
  double junctionX = 0;      // the middle point where the diagonal meets the bowl,
  double junctionY = 0;      // from the left and from the top
  double diagonalAngle = 0;  // from the bar's right end down to that point, in radians
  double bowlWidth = 0;      // the lower bowl's reach, in widths
  double contrast = 0;       // the bowl's upright stroke over the bar's thickness
  double aspect = 0;         // height over width
  bool found = false;        // false: too little ink to measure

  std::array<double, 8> Values() const;
};

ThreeShape MeasureThree(const Glyph& glyph);

// How far apart two 3s are, each measure counted in its typical spread among
// flat-topped 3s: 0 the same shape.
double ShapeDistance(const ThreeShape& a, const ThreeShape& b);

}  // namespace fontprobe
