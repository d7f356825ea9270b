#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "reading/Glyph.h"

namespace fontprobe {

// A typeface's digits as data: each digit's glyph (see Glyph) as 24 x 36 hex
// digits, 0 for paper to f for full ink, row by row; g to z stand for runs of
// 2 to 21 zeros, G to Z for runs of 2 to 21 fs.
struct ReferenceFace {
  const char* name;
  bool ocrB;
  const char* digits[10];
};
extern const ReferenceFace kReferenceFaces[];
extern const std::size_t kReferenceFaceCount;

// One digit of one typeface as its data spells it, ink 0 to 255.
Glyph ReferenceInk(const ReferenceFace& face, int digit);

// One digit of one typeface, blurred as glyphs are compared.
struct ReferenceGlyph {
  std::string_view face;
  bool ocrB = false;
  char digit = '0';
  Glyph blurred;
};

// Every reference digit, decoded once.
const std::vector<ReferenceGlyph>& ReferenceGlyphs();

}  // namespace fontprobe
