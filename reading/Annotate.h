#pragma once

#include <array>
#include <string>
#include <vector>

#include "reading/Glyph.h"
#include "reading/Image.h"
#include "reading/PageReader.h"
#include "reading/PixelFont.h"

namespace fontprobe {

// The picture that shows why, laid out for looking at: the verdict in large
// type beside a small picture of the whole page with its lines of 3s marked;
// then for each test block its line of 3s straightened, cut out and boxed in
// the colour of its judgement, and under it the line's mean 3 beside OCR-B's
// and beside the nearest other typeface's, with the block's sequence and
// judgement. A page whose lines could not be read is shown whole, under the
// reason.
//
// At scale 1 the picture is kAnnotationWidth pixels wide and, for a test page
// whose words are of usual length, at most kAnnotationHeight high: a window
// 96 DPI shows it whole at 1:1 in a box that size. A window at another DPI
// draws it at its own scale (DPI / 96), text and all, rather than stretching
// the scale-1 picture, so that it stays sharp; every text is at least 14
// pixels high at any scale from 1.
inline constexpr int kAnnotationWidth = 704;
inline constexpr int kAnnotationHeight = 480;

// What one block shows, cut from the page.
struct AnnotatedBlock {
  int number = 0;
  std::string sequence;
  Typeface typeface = Typeface::Unclear;
  std::string judgement;        // in the words of the report
  bool found = false;           // whether its line of 3s was found; the rest only then
  GreyImage line;               // straightened, paper white and ink black
  Glyph mean;                   // its characters' mean
  std::string lookalikeFace;    // the nearest other typeface, if any
  Glyph lookalike;              // and its 3
  std::array<Point, 4> mark{};  // the line's corners in the page's picture
};

// What the picture shows, cut from the scan once and drawn at any scale.
struct PageAnnotation {
  std::string verdict;  // the report's sentence
  GreyImage page;       // straightened and the right way up, reduced
  Glyph ocrB;           // OCR-B's 3
  std::vector<AnnotatedBlock> blocks;
};

PageAnnotation AnnotationOf(const GreyView& picture, const PageReading& reading);

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

// A text of the picture in the pixel font: `scale` pixels to a font pixel,
// so 7 * scale high.
struct PlacedText {
  PixelRect at;
  std::string text;
  int scale = 1;
  Colour colour;
};

// Where one block's parts go; a part not shown is empty.
struct PlacedBlock {
  PixelRect tab;        // the block's number on its colour
  PixelRect line;       // the frame round its line of 3s
  PixelRect lineImage;  // and the line inside it
  PixelRect mean;
  PixelRect ocrB;
  PixelRect lookalike;
};

struct AnnotationLayout {
  int width = 0;
  int height = 0;
  PixelRect page;
  std::vector<PlacedText> texts;  // the verdict's lines first
  std::size_t verdictLines = 0;
  std::vector<PlacedBlock> blocks;  // as in the annotation
};

AnnotationLayout LayOut(const PageAnnotation& annotation, double scale);
RgbImage DrawAnnotation(const PageAnnotation& annotation, double scale);

// The colour a judgement is shown in.
Colour ColourOf(Typeface typeface);

// The picture at scale 1, as fontprobe read --annotate writes it.
RgbImage AnnotatePage(const GreyView& picture, const PageReading& reading);

}  // namespace fontprobe
