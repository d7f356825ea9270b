#pragma once

#include <vector>

#include "reading/InkMap.h"

namespace fontprobe {

// A point of a picture in pixels; a pixel's centre is at (x + 0.5, y + 0.5).
struct Point {
  double x = 0;
  double y = 0;
};

// The page's own frame in a picture: u runs along the printed lines, v down
// the page, both in the picture's pixels. `angle` is the direction of the lines
// (0: left to right; pi / 2: top to bottom, a page turned a quarter clockwise).
// A mirrored page (seen from behind the paper) has its lines run the other
// way: u runs against `angle`.
struct PageFrame {
  double angle = 0;
  bool mirrored = false;

  double U(Point p) const;
  double V(Point p) const;
  Point ToPicture(double u, double v) const;
  // The same frame turned half round: the page upside down.
  PageFrame Turned() const;
  // The same frame with its lines running the other way.
  PageFrame Mirrored() const;
};

// A pixel of a reduced ink map that holds ink, weighted by how much.
struct InkPoint {
  float x = 0;
  float y = 0;
  float weight = 0;
};

// The pixels of `map` with at least `threshold` of ink.
std::vector<InkPoint> InkPoints(const InkMap& map, int threshold);

// The frames the page may stand in: the printed lines run across or down the
// picture, tilted by up to about 10 degrees; the likelier way first, then the
// same upside down, then the other way and upside down.
std::vector<PageFrame> CandidateFrames(const std::vector<InkPoint>& points);

}  // namespace fontprobe
