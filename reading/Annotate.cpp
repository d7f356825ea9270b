#include "reading/Annotate.h"

#include <algorithm>
#include <cmath>

#include "reading/PixelFont.h"
#include "reading/ReferenceGlyphs.h"
#include "reading/Report.h"

namespace fontprobe {

namespace {

constexpr int kLargestSide = 1400;  // of the page in the picture
constexpr int kPanelWidth = 300;
constexpr int kTextScale = 2;
constexpr int kGlyphScale = 3;
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kBlack{0, 0, 0};

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

const char* ShortJudgement(Typeface typeface) {
  switch (typeface) {
    case Typeface::Comparison:
      return "comparison";
    case Typeface::OcrB:
      return "OCR-B";
    case Typeface::SameAsComparison:
      return "same as comparison";
    case Typeface::Other:
      return "not OCR-B";
    case Typeface::Unclear:
      break;
  }
  return "unclear";
}

float GreyAt(const GreyView& picture, double x, double y) {
  x -= 0.5;
  y -= 0.5;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double ax = x - x0, ay = y - y0;
  auto at = [&](int px, int py) -> double {
    return px < 0 || py < 0 || px >= picture.width || py >= picture.height ? 200.0
                                                                           : picture.At(px, py);
  };
  return static_cast<float>((at(x0, y0) * (1 - ax) + at(x0 + 1, y0) * ax) * (1 - ay) +
                            (at(x0, y0 + 1) * (1 - ax) + at(x0 + 1, y0 + 1) * ax) * ay);
}

// Words wrapped to lines of at most `width` characters.
std::vector<std::string> Wrapped(const std::string& text, std::size_t width) {
  std::vector<std::string> lines{""};
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width)
      lines.emplace_back();
    lines.back() += (lines.back().empty() ? "" : " ") + word;
    start = end + 1;
  }
  return lines;
}

void DrawLine(RgbImage& picture, double x0, double y0, double x1, double y1, int thickness,
              Colour colour) {
  const int steps = static_cast<int>(std::max(std::abs(x1 - x0), std::abs(y1 - y0))) + 1;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps;
    FillRectangle(picture, static_cast<int>(x0 + t * (x1 - x0)) - thickness / 2,
                  static_cast<int>(y0 + t * (y1 - y0)) - thickness / 2, thickness, thickness,
                  colour);
  }
}

// A glyph enlarged, ink dark on white, in a thin frame.
void DrawGlyph(RgbImage& picture, int left, int top, const Glyph& glyph) {
  const float darkest = std::max(1.0f, *std::max_element(glyph.ink.begin(), glyph.ink.end()));
  for (int y = 0; y < kGlyphHeight; ++y) {
    for (int x = 0; x < kGlyphWidth; ++x) {
      const auto grey =
          static_cast<std::uint8_t>(255 - 255 * std::clamp(glyph.At(x, y) / darkest, 0.0f, 1.0f));
      FillRectangle(picture, left + x * kGlyphScale, top + y * kGlyphScale, kGlyphScale,
                    kGlyphScale, {grey, grey, grey});
    }
  }
  const int w = kGlyphWidth * kGlyphScale, h = kGlyphHeight * kGlyphScale;
  const Colour edge{170, 170, 170};
  DrawLine(picture, left - 1, top - 1, left + w, top - 1, 1, edge);
  DrawLine(picture, left - 1, top + h, left + w, top + h, 1, edge);
  DrawLine(picture, left - 1, top - 1, left - 1, top + h, 1, edge);
  DrawLine(picture, left + w, top - 1, left + w, top + h, 1, edge);
}

Glyph OcrBThree() {
  for (std::size_t f = 0; f < kReferenceFaceCount; ++f) {
    if (!kReferenceFaces[f].ocrB) continue;
    return ReferenceInk(kReferenceFaces[f], 3);
  }
  return {};
}

}  // namespace

RgbImage AnnotatePage(const GreyView& picture, const PageReading& reading) {
  const PageFrame frame = reading.frame.value_or(PageFrame{});
  double uLow = 1e300, uHigh = -1e300, vLow = 1e300, vHigh = -1e300;
  for (const Point corner :
       {Point{0, 0}, Point{static_cast<double>(picture.width), 0},
        Point{0, static_cast<double>(picture.height)},
        Point{static_cast<double>(picture.width), static_cast<double>(picture.height)}}) {
    uLow = std::min(uLow, frame.U(corner));
    uHigh = std::max(uHigh, frame.U(corner));
    vLow = std::min(vLow, frame.V(corner));
    vHigh = std::max(vHigh, frame.V(corner));
  }
  const double scale =
      std::min({1.0, kLargestSide / (uHigh - uLow), kLargestSide / (vHigh - vLow)});
  const int pageWidth = std::max(1, static_cast<int>((uHigh - uLow) * scale));
  const int pageHeight = std::max(1, static_cast<int>((vHigh - vLow) * scale));
  const int lineHeight = 9 * kTextScale;
  const std::vector<std::string> verdict =
      Wrapped(VerdictSentence(reading),
              static_cast<std::size_t>((pageWidth + kPanelWidth) / (6 * kTextScale) - 2));
  const int header = static_cast<int>(verdict.size()) * lineHeight + 12;

  RgbImage out{pageWidth + kPanelWidth, header + pageHeight, {}};
  out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * 3, 255);
  for (std::size_t i = 0; i < verdict.size(); ++i) {
    DrawText(out, 8, 6 + static_cast<int>(i) * lineHeight, verdict[i], kTextScale, kBlack);
  }
  // The page, each pixel the mean of four samples of the picture.
  for (int y = 0; y < pageHeight; ++y) {
    for (int x = 0; x < pageWidth; ++x) {
      float sum = 0;
      for (const double dy : {0.25, 0.75}) {
        for (const double dx : {0.25, 0.75}) {
          const Point at = frame.ToPicture(uLow + (x + dx) / scale, vLow + (y + dy) / scale);
          sum += GreyAt(picture, at.x, at.y);
        }
      }
      const auto grey = static_cast<std::uint8_t>(sum / 4);
      FillRectangle(out, x, header + y, 1, 1, {grey, grey, grey});
    }
  }

  auto place = [&](Point p) {
    return Point{(frame.U(p) - uLow) * scale, header + (frame.V(p) - vLow) * scale};
  };
  const Glyph ocrB = OcrBThree();
  int panelTop = header;
  for (const BlockReading& block : reading.blocks) {
    if (!block.evidence.found) continue;
    const Colour colour = ColourOf(block.typeface);
    std::array<Point, 4> box;
    for (int i = 0; i < 4; ++i) box[i] = place(block.box[i]);
    for (int i = 0; i < 4; ++i) {
      DrawLine(out, box[i].x, box[i].y, box[(i + 1) % 4].x, box[(i + 1) % 4].y, 3, colour);
    }
    // The block's number in the margin before its line, clear of the text round it.
    const std::string number = std::to_string(block.number);
    const int numberLeft =
        static_cast<int>(std::min(box[0].x, box[3].x)) - TextWidth(number, kTextScale) - 8;
    const int numberTop = static_cast<int>((box[0].y + box[3].y) / 2) - 7 * kTextScale / 2;
    FillRectangle(out, numberLeft - 2, numberTop - 2, TextWidth(number, kTextScale) + 4, lineHeight,
                  kWhite);
    DrawText(out, numberLeft, numberTop, number, kTextScale, colour);

    // Beside the line: its sequence and judgement, its mean character next to OCR-B's 3.
    const int glyphHeight = kGlyphHeight * kGlyphScale;
    const int middle = static_cast<int>((box[1].y + box[2].y) / 2);
    const int top = std::max(panelTop, middle - glyphHeight / 2 - 2 * lineHeight);
    const int left = pageWidth + 16, right = left + kGlyphWidth * kGlyphScale + 24;
    DrawText(out, left, top, number + " " + block.sequence, kTextScale, colour);
    DrawText(out, left, top + lineHeight, ShortJudgement(block.typeface), kTextScale, colour);
    const int glyphTop = top + 2 * lineHeight + 4;
    DrawGlyph(out, left, glyphTop, block.evidence.mean);
    DrawGlyph(out, right, glyphTop, ocrB);
    DrawText(out, left, glyphTop + glyphHeight + 4, "printed", kTextScale, kBlack);
    DrawText(out, right, glyphTop + glyphHeight + 4, "OCR-B", kTextScale, kBlack);
    panelTop = glyphTop + glyphHeight + lineHeight + 12;
  }
  return out;
}

}  // namespace fontprobe
