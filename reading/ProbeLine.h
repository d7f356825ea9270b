#pragma once

#include <algorithm>
#include <vector>

#include "reading/Glyph.h"
#include "reading/Lines.h"

namespace fontprobe {

// A line cut into its characters by the line's regular pitch, not by where
// ink touches ink: on a dot-matrix print a character is dots apart.
struct CharacterRow {
  std::vector<double>
      centres;  // each character's centre along the line (columns of the line image)
  std::vector<double> heights;  // and across it (rows)
  std::vector<bool> used;       // in the mean; a damaged character is not
  double pitch = 0;             // the mean distance between centres
  double pitchChange = 0;       // how much it grows a column along the line
  // How far the centres stray from a straight line across the line, in
  // pitches: a line that does not lie level is not to be trusted.
  double level = 0;
  // How alike the characters used are: their mean likeness to their mean.
  double alike = 0;
  Glyph mean;  // the characters used averaged, centred on its ink

  int Used() const { return static_cast<int>(std::count(used.begin(), used.end(), true)); }
};

// The characters of a line whose print the measure found; none when the line
// is too short to cut.
CharacterRow CutCharacters(const LineImage& line, const LineMeasure& measure);

}  // namespace fontprobe
