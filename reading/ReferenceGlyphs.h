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

// How a line was printed, as far as the shape of its characters shows: a
// laser's or an inkjet's outline, a 24-pin head's fine dots, a 9-pin head's
// coarse ones.
enum class PrintMethod { Laser, Pins24, Pins9 };

// A 3 the judge tells OCR-B's from (or OCR-B's own), as one print method
// prints it, spelt as a ReferenceFace's digits are.
struct ReferenceThree {
  const char* face;
  PrintMethod method;
  bool ocrB;
  const char* ink;
};
extern const ReferenceThree kReferenceThrees[];
extern const std::size_t kReferenceThreeCount;

// A glyph as the reference data spells it, ink 0 to 255.
Glyph ReferenceInk(const char* spelt);
// One digit of one typeface as its data spells it.
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
