#include "reading/Annotate.h"

#include <algorithm>
#include <cmath>

#include "reading/ReferenceGlyphs.h"
#include "reading/Report.h"
#include "reading/Statistics.h"

namespace fontprobe {

namespace {

// The page is cut at most this many pixels on its longer side: enough for the
// small picture at any scale a window uses, and for a page shown whole at scale 1.
constexpr int kPageSide = 720;
// A line of 3s is cut at most this many pixels high: its characters stay
// sharp at three times the size they have at scale 1.
constexpr int kLineHeight = 48;
// A cut pixel is the mean of at most this many samples either way.
constexpr int kMostSamples = 6;

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};
constexpr Colour kFrame{170, 170, 170};

// The picture's darkness, so that what lies outside it counts as paper.
struct Darkness {
  const GreyView& picture;
  float At(int x, int y) const { return 255.0f - picture.At(x, y); }
};

Point Between(Point a, Point b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

double Distance(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }

// A quadrilateral of a picture, its corners clockwise from the top left.
using Corners = std::array<Point, 4>;

// The quadrilateral `from` of `picture` laid straight into `width` x `height`
// pixels. Each pixel is the mean of up to kMostSamples x kMostSamples points
// spread over it, so that a reduction does not alias.
GreyImage Cut(const GreyView& picture, const Corners& from, int width, int height) {
  GreyImage cut{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
  const double reduction =
      std::max(Distance(from[0], from[1]) / width, Distance(from[0], from[3]) / height);
  const int samples = std::clamp(static_cast<int>(std::ceil(reduction)), 1, kMostSamples);
  const Darkness darkness{picture};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      float sum = 0;
      for (int a = 0; a < samples; ++a) {
        const double across = (x + (a + 0.5) / samples) / width;
        const Point top = Between(from[0], from[1], across);
        const Point bottom = Between(from[3], from[2], across);
        for (int b = 0; b < samples; ++b) {
          const Point p = Between(top, bottom, (y + (b + 0.5) / samples) / height);
          sum += SampleBetween(darkness, picture.width, picture.height, static_cast<float>(p.x),
                               static_cast<float>(p.y));
        }
      }
      cut.pixels[static_cast<std::size_t>(y) * width + x] =
          static_cast<std::uint8_t>(std::lround(255 - sum / (samples * samples)));
    }
  }
  return cut;
}

// A line's paper made white and its ink black, whatever the light along it:
// first each column is divided by the paper round it (the brightest of the
// columns within a line's height either way, each taken at its 90th
// percentile, which a column of a 1.5-pitch line always reaches on paper).
void Whiten(GreyImage& line) {
  std::vector<int> paper(static_cast<std::size_t>(line.width));
  std::vector<std::uint8_t> column(static_cast<std::size_t>(line.height));
  for (int x = 0; x < line.width; ++x) {
    for (int y = 0; y < line.height; ++y) column[y] = line.pixels[y * line.width + x];
    paper[x] = std::max(1, static_cast<int>(Percentile(column, 90)));
  }
  std::vector<std::uint8_t> whitened(line.pixels.size());
  for (int x = 0; x < line.width; ++x) {
    const auto from = paper.begin() + std::max(0, x - line.height);
    const int level =
        *std::max_element(from, paper.begin() + std::min(line.width, x + line.height + 1));
    for (int y = 0; y < line.height; ++y) {
      const std::size_t i = static_cast<std::size_t>(y) * line.width + x;
      whitened[i] = static_cast<std::uint8_t>(std::min(255, line.pixels[i] * 255 / level));
    }
  }
  // Then the paper's usual level (ink covers much less than 40% of a line) is
  // white, and the darkest ink black.
  line.pixels = whitened;
  const int ink = Percentile(whitened, 2), white = Percentile(whitened, 60);
  if (white - ink < 16) return;  // no ink to speak of
  for (std::uint8_t& v : line.pixels) {
    v = static_cast<std::uint8_t>(std::clamp((v - ink) * 255 / (white - ink), 0, 255));
  }
}

// The line inside `box` laid straight, its paper white and its ink black.
GreyImage StraightenedLine(const GreyView& picture, const Corners& box) {
  const double length = Distance(box[0], box[1]), across = Distance(box[0], box[3]);
  if (length < 1 || across < 1) return {};
  const int height = std::max(1, static_cast<int>(std::min<double>(across, kLineHeight)));
  const int width = std::max(1, static_cast<int>(std::lround(length * height / across)));
  GreyImage line = Cut(picture, box, width, height);
  Whiten(line);
  return line;
}

// The whole picture in the page's frame, reduced; Place maps a point of the
// picture into it.
struct StraightenedPage {
  GreyImage page;
  PageFrame frame;
  double uLow = 0, vLow = 0, scale = 1;

  Point Place(Point p) const { return {(frame.U(p) - uLow) * scale, (frame.V(p) - vLow) * scale}; }
};

StraightenedPage Straightened(const GreyView& picture, const PageFrame& frame) {
  double uLow = 1e300, uHigh = -1e300, vLow = 1e300, vHigh = -1e300;
  const auto w = static_cast<double>(picture.width), h = static_cast<double>(picture.height);
  for (const Point corner : {Point{0, 0}, Point{w, 0}, Point{0, h}, Point{w, h}}) {
    uLow = std::min(uLow, frame.U(corner));
    uHigh = std::max(uHigh, frame.U(corner));
    vLow = std::min(vLow, frame.V(corner));
    vHigh = std::max(vHigh, frame.V(corner));
  }
  const double scale = std::min(1.0, kPageSide / std::max({uHigh - uLow, vHigh - vLow, 1.0}));
  const int width = std::max(1, static_cast<int>((uHigh - uLow) * scale));
  const int height = std::max(1, static_cast<int>((vHigh - vLow) * scale));
  // Reduced first by whole pixels, which is cheap, so that few samples are
  // left to take for each pixel of the cut.
  const int factor = std::max(1, static_cast<int>(1 / scale));
  const GreyImage reduced{
      picture.width / factor, picture.height / factor,
      ReducedPixels(picture.pixels, picture.stride, picture.width, picture.height, factor)};
  Corners corners{frame.ToPicture(uLow, vLow), frame.ToPicture(uHigh, vLow),
                  frame.ToPicture(uHigh, vHigh), frame.ToPicture(uLow, vHigh)};
  for (Point& corner : corners) corner = {corner.x / factor, corner.y / factor};
  return {Cut(reduced.View(), corners, width, height), frame, uLow, vLow, scale};
}

Glyph OcrBThree() {
  for (std::size_t f = 0; f < kReferenceFaceCount; ++f) {
    if (kReferenceFaces[f].ocrB) return ReferenceInk(kReferenceFaces[f], 3);
  }
  return {};
}

// Words wrapped to lines of at most `width` characters; a word longer than
// a line is cut.
std::vector<std::string> Wrapped(const std::string& text, int width) {
  const auto most = static_cast<std::size_t>(std::max(1, width));
  std::vector<std::string> lines{""};
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min({text.find(' ', start), text.size(), start + most});
    const std::string word = text.substr(start, end - start);
    if (!lines.back().empty() && lines.back().size() + 1 + word.size() > most) lines.emplace_back();
    lines.back() += (lines.back().empty() ? "" : " ") + word;
    start = end + (end < text.size() && text[end] == ' ' ? 1 : 0);
  }
  return lines;
}

// Lengths at a scale, rounded down so that a picture drawn at scale s is never
// larger than s times the picture at scale 1.
class Sizes {
 public:
  explicit Sizes(double scale) : scale_(scale) {}
  int operator()(double length) const { return static_cast<int>(std::floor(length * scale_)); }
  // Font pixels: 14 pixels high at scale 1, the verdict's 21.
  int Text() const { return std::max(2, (*this)(2)); }
  int Large() const { return std::max(3, (*this)(3)); }

 private:
  double scale_;
};

// The largest rectangle of `image`'s shape within `width` x `height`.
PixelRect Fitted(const GreyImage& image, int width, int height) {
  if (image.width <= 0 || image.height <= 0) return {};
  const double scale = std::min(static_cast<double>(width) / image.width,
                                static_cast<double>(height) / image.height);
  return {0, 0, std::max(1, static_cast<int>(image.width * scale)),
          std::max(1, static_cast<int>(image.height * scale))};
}

// Adds the lines from (left, top); returns the bottom of the last one's letters.
int AddLines(AnnotationLayout& layout, int left, int top, const std::vector<std::string>& lines,
             int scale, Colour colour) {
  int y = top;
  for (const std::string& line : lines) {
    layout.texts.push_back({{left, y, TextWidth(line, scale), 7 * scale}, line, scale, colour});
    y += 9 * scale;
  }
  return y - 2 * scale;
}

// Adds `text` wrapped to `width` pixels from (left, top); returns the bottom
// of its last line's letters.
int AddText(AnnotationLayout& layout, int left, int top, int width, const std::string& text,
            int scale, Colour colour) {
  return AddLines(layout, left, top, Wrapped(text, width / (6 * scale)), scale, colour);
}

// The verdict in large type for two lines, which hold the usual verdicts; a
// longer one goes on in the size of the other texts. Returns the bottom of its
// last line.
int AddVerdict(AnnotationLayout& layout, int width, const std::string& verdict, const Sizes& px) {
  constexpr std::size_t kLargeLines = 2;
  std::vector<std::string> large = Wrapped(verdict, width / (6 * px.Large()));
  std::string rest;
  for (; large.size() > kLargeLines; large.pop_back()) {
    rest = large.back() + (rest.empty() ? "" : " ") + rest;
  }
  int bottom = AddLines(layout, px(8), px(8), large, px.Large(), kBlack);
  if (!rest.empty()) {
    bottom = AddText(layout, px(8), bottom + 2 * px.Text(), width, rest, px.Text(), kBlack);
  }
  layout.verdictLines = layout.texts.size();
  return bottom;
}

// The block's number, white in the middle of its tab.
void AddNumber(AnnotationLayout& layout, const PixelRect& tab, const std::string& number,
               int scale) {
  const int width = TextWidth(number, scale);
  layout.texts.push_back({{tab.left + (tab.width - width) / 2,
                           tab.top + (tab.height - 7 * scale) / 2, width, 7 * scale},
                          number,
                          scale,
                          kWhite});
}

// Places one block from `top`; returns the bottom of what it placed.
int PlaceBlock(AnnotationLayout& layout, const AnnotatedBlock& block, int top, const Sizes& px) {
  const int text = px.Text(), margin = px(8), pad = std::max(2, px(4));
  const Colour colour = ColourOf(block.typeface);
  PlacedBlock placed;
  const std::string number = std::to_string(block.number);
  placed.tab = {margin, top, TextWidth(number, text) + 2 * pad, 7 * text + 2 * pad};
  // As the block's line of the report says it.
  const std::string words = "block " + number + "  " + block.sequence + "  " + block.judgement;
  if (!block.found) {
    const int left = placed.tab.Right() + pad, width = layout.width - margin - left;
    const int bottom = AddText(layout, left, top + pad, width, words, text, colour) + pad;
    placed.tab.height = std::max(placed.tab.height, bottom - top);
    AddNumber(layout, placed.tab, number, text);
    layout.blocks.push_back(placed);
    return placed.tab.Bottom();
  }

  // The line of 3s as wide as the picture allows, its shape kept.
  const int inset = std::max(2, px(2)) + std::max(1, px(1));
  placed.line = {placed.tab.Right(), top, layout.width - margin - placed.tab.Right(), 0};
  placed.lineImage = {placed.line.left + inset, top + inset, placed.line.width - 2 * inset, 0};
  if (block.line.width > 0) {
    placed.lineImage.height = placed.lineImage.width * block.line.height / block.line.width;
  }
  placed.line.height = std::max(placed.lineImage.height + 2 * inset, placed.tab.height);
  placed.lineImage.top = top + (placed.line.height - placed.lineImage.height) / 2;
  placed.tab.height = placed.line.height;
  AddNumber(layout, placed.tab, number, text);

  // Under it the mean 3 and the references at one size, each over its name;
  // beside them the block's words.
  const int row = placed.line.Bottom() + px(6), glyphHeight = px(57);
  const int glyphWidth = glyphHeight * kGlyphWidth / kGlyphHeight;
  int left = margin;
  const auto cell = [&](PixelRect& at, const std::string& name) {
    const int width = std::max(glyphWidth, TextWidth(name, text));
    at = {left + (width - glyphWidth) / 2, row, glyphWidth, glyphHeight};
    layout.texts.push_back({{left + (width - TextWidth(name, text)) / 2, at.Bottom() + px(4),
                             TextWidth(name, text), 7 * text},
                            name,
                            text,
                            kBlack});
    left += width + px(24);
  };
  cell(placed.mean, "printed");
  cell(placed.ocrB, "OCR-B");
  if (!block.lookalikeFace.empty()) cell(placed.lookalike, block.lookalikeFace);
  const int bottom = AddText(layout, left, row, layout.width - margin - left, words, text, colour);
  layout.blocks.push_back(placed);
  return std::max(bottom, row + glyphHeight + px(4) + 7 * text);
}

void Outline(RgbImage& out, const PixelRect& at, int thickness, Colour colour) {
  FillRectangle(out, at.left, at.top, at.width, thickness, colour);
  FillRectangle(out, at.left, at.Bottom() - thickness, at.width, thickness, colour);
  FillRectangle(out, at.left, at.top, thickness, at.height, colour);
  FillRectangle(out, at.Right() - thickness, at.top, thickness, at.height, colour);
}

void DrawLine(RgbImage& out, Point from, Point to, int thickness, Colour colour) {
  const int steps =
      static_cast<int>(std::max(std::abs(to.x - from.x), std::abs(to.y - from.y))) + 1;
  for (int i = 0; i <= steps; ++i) {
    const Point p = Between(from, to, static_cast<double>(i) / steps);
    FillRectangle(out, static_cast<int>(p.x) - thickness / 2, static_cast<int>(p.y) - thickness / 2,
                  thickness, thickness, colour);
  }
}

// `image` reduced or enlarged into `at`.
void DrawGrey(RgbImage& out, const PixelRect& at, const GreyImage& image) {
  if (at.Empty() || image.width <= 0 || image.height <= 0) return;
  const auto w = static_cast<double>(image.width), h = static_cast<double>(image.height);
  const GreyImage shown =
      Cut(image.View(), {Point{0, 0}, {w, 0}, {w, h}, {0, h}}, at.width, at.height);
  for (int y = 0; y < at.height; ++y) {
    for (int x = 0; x < at.width; ++x) {
      const std::uint8_t grey = shown.pixels[static_cast<std::size_t>(y) * at.width + x];
      FillRectangle(out, at.left + x, at.top + y, 1, 1, {grey, grey, grey});
    }
  }
}

// A glyph filling `at` in a thin frame: its darkest ink black, and its usual
// level white (most of a character's frame is paper), so that the grain a
// mean keeps from noise and specks does not grey it.
void DrawGlyph(RgbImage& out, const PixelRect& at, const Glyph& glyph) {
  if (at.Empty()) return;
  std::vector<float> ink(glyph.ink.begin(), glyph.ink.end());
  const float paper = Percentile(ink, 50);
  const float darkest = std::max(paper + 1, *std::max_element(ink.begin(), ink.end()));
  for (int y = 0; y < at.height; ++y) {
    for (int x = 0; x < at.width; ++x) {
      const float level =
          (glyph.Sample((x + 0.5) * kGlyphWidth / at.width, (y + 0.5) * kGlyphHeight / at.height) -
           paper) /
          (darkest - paper);
      const auto grey =
          static_cast<std::uint8_t>(std::lround(255 - 255 * std::clamp(level, 0.0f, 1.0f)));
      FillRectangle(out, at.left + x, at.top + y, 1, 1, {grey, grey, grey});
    }
  }
  Outline(out, {at.left - 1, at.top - 1, at.width + 2, at.height + 2}, 1, kFrame);
}

}  // namespace

Colour ColourOf(Typeface typeface) {
  switch (typeface) {
    case Typeface::Comparison:
      return {0, 90, 200};
    case Typeface::OcrB:
      return {0, 140, 50};
    case Typeface::SameAsComparison:
      return {110, 110, 110};
    case Typeface::Other:
      return {210, 110, 0};
    case Typeface::Unclear:
      break;
  }
  return {200, 0, 120};
}

PageAnnotation AnnotationOf(const GreyView& picture, const PageReading& reading) {
  const StraightenedPage page = Straightened(picture, reading.frame.value_or(PageFrame{}));
  PageAnnotation annotation{VerdictSentence(reading), page.page, OcrBThree(), {}};
  for (const BlockReading& read : reading.blocks) {
    AnnotatedBlock& block = annotation.blocks.emplace_back();
    block.number = read.number;
    block.sequence = read.sequence;
    block.typeface = read.typeface;
    block.judgement = JudgementWords(read);
    block.found = read.evidence.found;
    if (!block.found) continue;
    block.line = StraightenedLine(picture, read.box);
    block.mean = read.evidence.mean;
    if (const char* ink = read.evidence.shape.otherInk) {
      block.lookalikeFace = read.evidence.shape.otherFace;
      block.lookalike = ReferenceInk(ink);
    }
    for (int i = 0; i < 4; ++i) block.mark[i] = page.Place(read.box[i]);
  }
  return annotation;
}

AnnotationLayout LayOut(const PageAnnotation& annotation, double scale) {
  const Sizes px(scale);
  const int margin = px(8), gap = px(12);
  AnnotationLayout layout;
  layout.width = px(kAnnotationWidth);
  const int inner = layout.width - 2 * margin;
  const bool linesFound = std::any_of(annotation.blocks.begin(), annotation.blocks.end(),
                                      [](const AnnotatedBlock& block) { return block.found; });

  // The verdict, with the page small beside it once lines were read.
  if (linesFound) {
    layout.page = Fitted(annotation.page, px(150), px(96));
    layout.page.left = layout.width - margin - layout.page.width;
    layout.page.top = margin;
  }
  const int verdictWidth = inner - (linesFound ? layout.page.width + gap : 0);
  const int verdictBottom = AddVerdict(layout, verdictWidth, annotation.verdict, px);
  int y = std::max(verdictBottom, layout.page.Bottom()) + gap;
  const int between = px(10);  // the parts under the verdict
  if (!linesFound) {
    layout.page =
        Fitted(annotation.page, inner, std::max(px(120), px(kAnnotationHeight) - y - margin));
    layout.page.left = margin;
    layout.page.top = y;
    y = layout.page.Bottom() + between;
  }
  for (const AnnotatedBlock& block : annotation.blocks) {
    y = PlaceBlock(layout, block, y, px) + between;
  }
  layout.height = y - between + margin;
  return layout;
}

RgbImage DrawAnnotation(const PageAnnotation& annotation, double scale) {
  const AnnotationLayout layout = LayOut(annotation, scale);
  RgbImage out{
      layout.width, layout.height,
      std::vector<std::uint8_t>(static_cast<std::size_t>(layout.width) * layout.height * 3, 255)};
  const Sizes px(scale);
  const PixelRect& page = layout.page;
  DrawGrey(out, page, annotation.page);
  if (!page.Empty()) {
    Outline(out, {page.left - 1, page.top - 1, page.width + 2, page.height + 2}, 1, kFrame);
  }
  const double toPage =
      annotation.page.width > 0 ? static_cast<double>(page.width) / annotation.page.width : 0;
  for (std::size_t i = 0; i < annotation.blocks.size(); ++i) {
    const AnnotatedBlock& block = annotation.blocks[i];
    const PlacedBlock& placed = layout.blocks[i];
    const Colour colour = ColourOf(block.typeface);
    FillRectangle(out, placed.tab.left, placed.tab.top, placed.tab.width, placed.tab.height,
                  colour);
    if (!block.found) continue;
    for (int c = 0; c < 4; ++c) {
      const auto onPage = [&](Point p) {
        return Point{page.left + p.x * toPage, page.top + p.y * toPage};
      };
      DrawLine(out, onPage(block.mark[c]), onPage(block.mark[(c + 1) % 4]), std::max(2, px(2)),
               colour);
    }
    Outline(out, placed.line, std::max(2, px(2)), colour);
    DrawGrey(out, placed.lineImage, block.line);
    DrawGlyph(out, placed.mean, block.mean);
    DrawGlyph(out, placed.ocrB, annotation.ocrB);
    DrawGlyph(out, placed.lookalike, block.lookalike);
  }
  for (const PlacedText& text : layout.texts) {
    DrawText(out, text.at.left, text.at.top, text.text, text.scale, text.colour);
  }
  return out;
}

RgbImage AnnotatePage(const GreyView& picture, const PageReading& reading) {
  return DrawAnnotation(AnnotationOf(picture, reading), 1);
}

}  // namespace fontprobe
