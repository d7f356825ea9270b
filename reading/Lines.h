#pragma once

#include <vector>

#include "reading/InkMap.h"
#include "reading/PageFrame.h"

namespace fontprobe {

// A line of print found in a reduced ink map: in a page frame, its middle runs
// along v = middle + slope * u, from u = begin to u = end (reduced pixels),
// bent by `bend`: at each (u, how far off the straight line) point, in order
// along u, and straight between them and level beyond them. Photographed
// pages are not flat, so each line has its own slope, and a sheet curled up
// along an edge bends its lines there.
struct FoundLine {
  double middle = 0;
  double slope = 0;
  double begin = 0;
  double end = 0;
  double weight = 0;  // how much ink it holds
  std::vector<Point> bend;

  double VAt(double u) const { return middle + slope * u + BendAt(u); }
  double BendAt(double u) const;
  // The same line in the frame turned half round, and in the frame mirrored.
  FoundLine Turned() const;
  FoundLine Mirrored() const;
};

// The marks of a reduced ink map: its connected pieces of at least `faint`
// ink that hold a pixel of at least `clear`. Most marks are characters or
// words.
struct Mark {
  double x = 0;  // centre of its ink
  double y = 0;
  double ink = 0;
  std::size_t first = 0;  // its pixels in Marks::pixels
  std::size_t count = 0;
};
struct MarkPixel {
  Point centre;
  double ink = 0;
};
struct Marks {
  std::vector<Mark> marks;
  std::vector<MarkPixel> pixels;
};
Marks FindMarks(const InkMap& reduced, int faint, int clear);

// The lines of print in the frame, top to bottom, and the distance from one
// line to the next (reduced pixels); no lines when none were found. Marks
// whose centres lie within `closeness` of a typical character's height of
// each other are taken as one line: a half suits most print; three quarters
// keeps a line together whose characters sit unevenly (blurred small print).
struct LineSearch {
  std::vector<FoundLine> lines;
  double spacing = 0;
  double characterHeight = 0;  // the marks' typical height
};
// What ink a piece of a line needs: a good part of the heaviest pieces'
// (`Usual`), or, for a page whose thin print was lost beside a few heavy
// lines, of a typical piece's as well (`Thin`), which lets more of a photo's
// background in.
enum class LineInk { Usual, Thin };
LineSearch FindLines(const Marks& marks, const PageFrame& frame, double closeness, LineInk needs);

// A line cut out of the full-size ink map and straightened: column x lies at
// u = begin + x along the line, row y at y + 0.5 - height / 2 across it, in
// the full-size picture's pixels. What runs all along a row of the line (the
// edge of a band of green-bar paper) is taken as paper; print made lighter
// along part of the line (a pale band of low toner, the edge of glare) is
// levelled up to the line's full ink: the shapes stay, only their darkness
// changes.
class LineImage {
 public:
  LineImage(const InkMap& map, const PageFrame& frame, const FoundLine& line, double scale,
            double spacing);

  int Width() const { return width_; }
  int Height() const { return height_; }
  float At(int x, int y) const { return ink_[static_cast<std::size_t>(y) * width_ + x]; }
  // Between pixels, bilinear; 0 outside.
  float Sample(float x, float y) const;
  // Where a point of the line image is in the picture.
  Point ToPicture(double x, double y) const;

 private:
  void TakeRowFloor();
  void LevelAlong(int reach);

  PageFrame frame_;
  FoundLine line_;
  double scale_;
  double begin_;
  int width_;
  int height_;
  std::vector<float> ink_;
};

// What a straightened line shows along its length: where its print begins
// and ends (columns), and its pitch, the distance between character centres
// at the print's middle, with how clearly the print repeats at that pitch (0
// not at all, 1 exactly), and how much the pitch grows a column along the line
// (in a photo taken at an angle the print is smaller towards the far edge).
struct LineMeasure {
  bool inked = false;
  double first = 0;
  double last = 0;
  double pitch = 0;
  double regularity = 0;
  double pitchChange = 0;

  double PitchAt(double column) const {
    return pitch + pitchChange * (column - (first + last) / 2);
  }
};
LineMeasure MeasureLine(const LineImage& line, double spacing);

}  // namespace fontprobe
