#pragma once

#include <array>

namespace fontprobe {

// A character's picture in a frame measured in its line's pitch: kGlyphWidth
// samples across one pitch and kGlyphHeight down one and a half, centred on
// the character's ink. In this frame a character is as large as it is printed
// at ten characters an inch, whatever the resolution of the scan.
inline constexpr int kGlyphWidth = 24;
inline constexpr int kGlyphHeight = 36;

struct Glyph {
  std::array<float, kGlyphWidth * kGlyphHeight> ink{};

  float& At(int x, int y) { return ink[y * kGlyphWidth + x]; }
  float At(int x, int y) const { return ink[y * kGlyphWidth + x]; }
  // Between samples, bilinear; 0 outside.
  float Sample(double x, double y) const;
};

// Softened, so that the weight of a stroke and the grain of dots or toner
// count for little against the shape.
Glyph Blurred(const Glyph& glyph);

// Moved so that its ink's centre of mass is the frame's centre.
Glyph Centred(const Glyph& glyph);

// Grown or shrunk by `factor` about the frame's centre.
Glyph Scaled(const Glyph& glyph, double factor);

// Mirrored left to right about the frame's centre.
Glyph Mirrored(const Glyph& glyph);

// How wide its strokes are, in samples, to the middle of their soft edges:
// twice its ink over the length of its edges (a stroke w wide and l long has
// ink w l and edges 2 l long).
double StrokeWidth(const Glyph& glyph);

// Its strokes made no wider than `width` samples, by taking it at a higher
// ink level: what lies below that level (the soft edge of heavy print, ink
// spread into the paper) is paper. Thinner strokes are left as they are.
Glyph NoWiderThan(const Glyph& glyph, double width);

// How alike two glyphs are, from -1 to 1 (the same shape): their normalised
// correlation, at the best offset of up to `reach` samples either way.
double Likeness(const Glyph& a, const Glyph& b, int reach);

// The same over rows firstRow to endRow of `a` only (one part of a
// character), `b` moved by up to `reach` samples.
double PartLikeness(const Glyph& a, const Glyph& b, int firstRow, int endRow, int reach);

}  // namespace fontprobe
