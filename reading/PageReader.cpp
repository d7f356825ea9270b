#include "reading/PageReader.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

#include "reading/InkMap.h"
#include "reading/Lines.h"
#include "reading/PageLayout.h"
#include "reading/ProbeLine.h"
#include "reading/Statistics.h"

namespace fontprobe {

namespace {

// The reduced map that lines are found in is at most about this many pixels
// across: a scan's lines of print stay several pixels apart.
constexpr int kReducedSize = 1400;
// Below about 100 dpi (a line every 17 pixels at six lines an inch, a
// character every 10) a character is too few pixels to tell typefaces apart.
constexpr double kSmallestSpacing = 16;
constexpr double kSmallestPitch = 10;
constexpr const char* kTooSmall = "too small to read: scan at 300 dpi";
// Fewer lines than half of either test page's.
constexpr std::size_t kFewLines = 6;

// Far more lines than a test page holds are not its print but a texture (the
// grain of a table round the sheet, a screen's pattern), and "lines" closer
// than the marks are tall are the strokes of larger print: their spacing
// says nothing of the print's size.
std::size_t MostLinesOfATestPage() {
  static const std::size_t most = 3 * std::max(PrintedLines(PrinterFamily::EpsonIbm).size(),
                                               PrintedLines(PrinterFamily::Pcl).size());
  return most;
}

// The ink a pixel of the reduced map needs to count as print: well above the
// paper's grain and the scan's noise (`faint`); and a mark needs a pixel with
// a fair part of the level that the darkest half percent of the map reaches
// (`clear`), so that thin strokes beside heavy ones still count whole.
struct InkLevels {
  int faint;
  int clear;
};

InkLevels InkThresholds(const InkMap& map) {
  std::array<std::size_t, 256> histogram{};
  for (const std::uint8_t v : map.ink) ++histogram[v];
  auto level = [&](std::size_t fewer) {
    std::size_t above = 0;
    int value = 255;
    while (value > 0 && (above += histogram[value]) < fewer) --value;
    return value;
  };
  // Half the pixels are paper below the paper level, so the tenth most inked
  // is about 1.3 standard deviations of the noise.
  const int faint = std::max(12, static_cast<int>(3 * level(map.ink.size() / 10) / 1.3));
  return {faint, std::max(faint, level(map.ink.size() / 200) * 15 / 100)};
}

// Less than a hundredth of a percent of the picture clearly inked: not even
// one short line of print.
bool Blank(const InkMap& map) {
  const auto inked =
      std::count_if(map.ink.begin(), map.ink.end(), [](std::uint8_t v) { return v >= 64; });
  return static_cast<double>(inked) < 0.0001 * map.ink.size();
}

// The picture made ready for finding lines: its ink at full size and reduced,
// and the marks of print in the reduced map.
struct Prepared {
  InkMap ink;
  InkMap reduced;
  int factor = 1;
  std::vector<InkPoint> points;
  Marks marks;
};

// `gain` times the ink the picture shows, at most full ink.
Prepared Prepare(const GreyView& picture, int gain = 1) {
  Prepared p{MakeInkMap(picture), {}, 1, {}, {}};
  if (gain > 1) {
    for (std::uint8_t& ink : p.ink.ink) ink = static_cast<std::uint8_t>(std::min(255, ink * gain));
  }
  p.factor =
      std::max(1, (std::max(picture.width, picture.height) + kReducedSize - 1) / kReducedSize);
  p.reduced = p.factor > 1 ? Reduce(p.ink, p.factor) : p.ink;
  const InkLevels levels = InkThresholds(p.reduced);
  p.points = InkPoints(p.reduced, levels.clear);
  p.marks = FindMarks(p.reduced, levels.faint, levels.clear);
  return p;
}

// Each pixel the mean of the three by three round it (those inside the
// picture).
GreyImage Smoothed(const GreyView& picture) {
  const int w = picture.width, h = picture.height;
  // Each row's sums of three across, for the row above, this one and the one below.
  auto sumsAcross = [&](int y, std::vector<int>& sums) {
    const std::uint8_t* row = picture.pixels + y * picture.stride;
    for (int x = 0; x < w; ++x) {
      sums[x] = row[x] + (x > 0 ? row[x - 1] : 0) + (x + 1 < w ? row[x + 1] : 0);
    }
  };
  std::vector<int> above(w), here(w), below(w);
  sumsAcross(0, here);
  GreyImage smoothed{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h)};
  for (int y = 0; y < h; ++y) {
    if (y + 1 < h) sumsAcross(y + 1, below);
    const int rows = 1 + (y > 0) + (y + 1 < h);
    std::uint8_t* out = &smoothed.pixels[static_cast<std::size_t>(y) * w];
    for (int x = 0; x < w; ++x) {
      const int sum = here[x] + (y > 0 ? above[x] : 0) + (y + 1 < h ? below[x] : 0);
      out[x] = static_cast<std::uint8_t>(sum / (rows * (1 + (x > 0) + (x + 1 < w))));
    }
    std::swap(above, here);
    std::swap(here, below);
  }
  return smoothed;
}

// A line of the page measured in the full-size picture.
struct MeasuredLine {
  FoundLine found;
  LineMeasure measure;
  CharacterRow row;  // for lines long enough to be a line of 3s
  bool probe = false;
  std::array<Point, 4> box{};  // round the characters, in the picture
  Point middle;                // of its print, in the frame (u, v; full size)
  double origin = 0;           // the frame's u at the line image's first column
};

std::array<Point, 4> Box(const LineImage& image, const CharacterRow& row) {
  const double left = row.centres.front() - row.pitch / 2;
  const double right = row.centres.back() + row.pitch / 2;
  const double reach = 0.75 * row.pitch;
  return {image.ToPicture(left, row.heights.front() - reach),
          image.ToPicture(right, row.heights.back() - reach),
          image.ToPicture(right, row.heights.back() + reach),
          image.ToPicture(left, row.heights.front() + reach)};
}

MeasuredLine Measure(const Prepared& page, const PageFrame& frame, const FoundLine& found,
                     double spacing) {
  MeasuredLine line{found, {}, {}, false, {}, {}, 0};
  const LineImage image(page.ink, frame, found, page.factor, spacing);
  line.measure = MeasureLine(image, spacing * page.factor);
  const double characters =
      line.measure.pitch > 0 ? (line.measure.last - line.measure.first) / line.measure.pitch : 0;
  // A space and 64 digits: about 64.5 pitches of print.
  if (characters > 55 && characters < 72) {
    line.row = CutCharacters(image, line.measure);
    // Like characters at a steady pitch: text repeats neither so exactly, and
    // its characters are not mostly alike. A line of 3s partly damaged is
    // still one.
    const std::size_t cells = line.row.centres.size();
    line.probe = cells >= 56 && cells <= 70 && line.measure.regularity >= 0.4 &&
                 line.row.alike >= 0.7 && line.row.Used() * 4 >= static_cast<int>(cells);
  }
  if (!line.row.centres.empty()) line.box = Box(image, line.row);
  const Point middle =
      image.ToPicture((line.measure.first + line.measure.last) / 2, image.Height() / 2.0);
  line.middle = {frame.U(middle), frame.V(middle)};
  line.origin = frame.U(image.ToPicture(0, image.Height() / 2.0));
  return line;
}

// The page's lines in one frame, measured: the pitch of the print, from its
// lines of 3s where there are any, and how it changes across and down the
// page (a photo taken at an angle shows the far part of the page smaller).
struct MeasuredPage {
  PageFrame frame;
  LineSearch search;
  std::vector<MeasuredLine> lines;
  double pitch = 0;
  bool probes = false;
  Point centre;            // where the pitch is `pitch` (u, v; full size)
  double pitchAcross = 0;  // and how much it grows a pixel along the lines
  double pitchDown = 0;    // and down the page

  double PitchAt(Point p) const {
    return pitch + pitchAcross * (p.x - centre.x) + pitchDown * (p.y - centre.y);
  }
};

// How the pitch changes over the page: along the lines as the lines of 3s
// show it, and down the page by least squares through the lines of 3s where
// there are two or more, else through every line whose pitch was measured
// clearly; the pitch taken at the page's centre across. A page whose lines
// disagree wildly keeps one pitch.
void FitPitchOverThePage(MeasuredPage& page) {
  double across = 0, probes = 0, probeLow = 1e300, probeHigh = -1e300;
  for (const MeasuredLine& line : page.lines) {
    if (!line.probe) continue;
    across += line.row.pitchChange;
    ++probes;
    probeLow = std::min(probeLow, line.middle.y);
    probeHigh = std::max(probeHigh, line.middle.y);
  }
  page.pitchAcross = probes > 0 ? across / probes : 0;
  const bool byProbes = probeHigh - probeLow > page.pitch;
  WeightedFit fit;  // the pitch down the page
  for (const MeasuredLine& line : page.lines) {
    const double measured = line.probe ? line.row.pitch : line.measure.pitch;
    if (!line.probe && (byProbes || line.measure.regularity <= 0.3 ||
                        std::abs(measured / page.pitch - 1) > 0.15)) {
      continue;
    }
    const double pitch = measured - page.pitchAcross * (line.middle.x - page.centre.x);
    fit.Add(line.middle.y, pitch, line.measure.last - line.measure.first);
  }
  const double spread = fit.Spread();
  if (spread <= 1) return;
  const double slope = fit.Slope();
  if (std::abs(slope) * 2 * std::sqrt(spread) > 0.5 * page.pitch) return;
  page.pitchDown = slope;
  page.centre.y = fit.MeanX();
  page.pitch = fit.MeanY();
}

// Lines of print are a spacing apart: two found far closer (the dots of a
// faint dot-matrix line followed as two) are one line, measured twice; the
// better measured stays, a line of 3s first, then the one whose characters
// more were used and more alike, then the one with more ink.
void KeepOneOfEachLine(std::vector<MeasuredLine>& lines, double spacing) {
  auto better = [](const MeasuredLine& a, const MeasuredLine& b) {
    if (a.probe != b.probe) return a.probe;
    if (a.probe && a.row.Used() != b.row.Used()) return a.row.Used() > b.row.Used();
    if (a.probe) return a.row.alike > b.row.alike;
    return a.found.weight > b.found.weight;
  };
  for (std::size_t i = 1; i < lines.size();) {
    MeasuredLine &above = lines[i - 1], &below = lines[i];
    const bool apart = below.middle.y - above.middle.y >= 0.45 * spacing ||
                       below.measure.first > above.measure.last ||
                       above.measure.first > below.measure.last;
    if (apart) {
      ++i;
      continue;
    }
    if (better(below, above)) std::swap(above, below);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

MeasuredPage MeasureLines(const Prepared& page, const PageFrame& frame, LineSearch search) {
  MeasuredPage measured{frame, std::move(search), {}, 0, false, {}, 0, 0};
  std::vector<double> probePitches, textPitches;
  double inked = 0;
  for (const FoundLine& line : measured.search.lines) {
    measured.lines.push_back(Measure(page, frame, line, measured.search.spacing));
    const MeasuredLine& last = measured.lines.back();
    if (last.probe) probePitches.push_back(last.row.pitch);
    if (last.measure.regularity > 0.3) textPitches.push_back(last.measure.pitch);
    if (last.measure.inked) {
      measured.centre.x += last.middle.x;
      measured.centre.y += last.middle.y;
      ++inked;
    }
  }
  measured.probes = !probePitches.empty();
  measured.pitch = Median(measured.probes ? probePitches : textPitches);
  if (inked > 0) measured.centre = {measured.centre.x / inked, measured.centre.y / inked};
  FitPitchOverThePage(measured);
  // The page's shortest line is 20 characters; much shorter marks are the
  // sheet's edge, a shadow's or a stain, not lines of the page.
  std::erase_if(measured.lines, [&](const MeasuredLine& line) {
    return !line.probe && (!line.measure.inked || line.measure.last - line.measure.first <
                                                      10 * measured.PitchAt(line.middle));
  });
  KeepOneOfEachLine(measured.lines, measured.search.spacing * page.factor);
  return measured;
}

MeasuredPage MeasurePage(const Prepared& page, const PageFrame& frame, double closeness,
                         LineInk ink) {
  const LineSearch search = FindLines(page.marks, frame, closeness, ink);
  MeasuredPage measured = MeasureLines(page, frame, search);
  if (measured.probes || search.lines.size() > kFewLines) return measured;
  // Where all but a few heavy lines are printed too faint to be found, those
  // few may stand several of the page's spacings apart, and the spacing seen
  // between them is too wide to find the characters' pitch in: such a page
  // without a line of 3s is measured again at a half and a third of it.
  for (const int part : {2, 3}) {
    LineSearch closer = search;
    closer.spacing /= part;
    MeasuredPage again = MeasureLines(page, frame, std::move(closer));
    if (again.probes) return again;
  }
  return measured;
}

// The picture's corners' extent down the page, in the frame.
std::pair<double, double> Extent(const GreyView& picture, const PageFrame& frame) {
  double top = 1e300, bottom = -1e300;
  const double w = picture.width, h = picture.height;
  for (const Point corner : {Point{0, 0}, Point{w, 0}, Point{0, h}, Point{w, h}}) {
    top = std::min(top, frame.V(corner));
    bottom = std::max(bottom, frame.V(corner));
  }
  return {top, bottom};
}

// How many characters a line holds: counted along the nearest line of 3s by
// the course of its characters, which follows the pitch as it changes along
// the line (unevenly, in a photo taken at an angle), and scaled by how the
// pitch changes down the page to the line's; by the pitch at the line's
// middle on a page without a line of 3s.
double Characters(const MeasuredPage& page, const MeasuredLine& line) {
  if (!line.measure.inked) return 0;
  const MeasuredLine* nearest = nullptr;
  for (const MeasuredLine& other : page.lines) {
    if (other.probe && (!nearest || std::abs(other.middle.y - line.middle.y) <
                                        std::abs(nearest->middle.y - line.middle.y))) {
      nearest = &other;
    }
  }
  if (!nearest || line.probe) {
    return (line.measure.last - line.measure.first) / page.PitchAt(line.middle) + 0.45;
  }
  auto cell = [&](double column) {
    return nearest->row.CellAt(line.origin + column - nearest->origin);
  };
  const double down = page.PitchAt({line.middle.x, nearest->middle.y}) / page.PitchAt(line.middle);
  return (cell(line.measure.last) - cell(line.measure.first)) * down + 0.45;
}

std::vector<SeenLine> Seen(const MeasuredPage& page, double scale) {
  double middle = 0;
  for (const FoundLine& line : page.search.lines) middle += (line.begin + line.end) / 2;
  middle /= page.search.lines.size();
  std::vector<SeenLine> seen;
  for (const MeasuredLine& line : page.lines) {
    const double characters = Characters(page, line);
    seen.push_back({line.found.VAt(middle) * scale, line.probe, characters});
  }
  return seen;
}

// Where the page was found: its frame, its measured lines, and which test page they are.
struct Found {
  PageFrame frame;
  std::vector<MeasuredLine> lines;
  LayoutMatch layout;
  double pitch = 0;
  double spacing = 0;  // between lines, in the reduced map
};

// The page's lines measured again in another frame, each line as `carried` over to it.
template <typename Carry>
void MeasureAgain(const Prepared& prepared, Found& found, PageFrame frame, Carry carried) {
  found.frame = frame;
  for (MeasuredLine& line : found.lines) {
    line = Measure(prepared, frame, carried(line.found), found.spacing);
  }
}

// The best likeness of a line's mean character to any typeface's 3.
double LikenessToA3(const Glyph& mean) {
  const ShapeMatch shape = MatchShape(mean);
  return std::max(shape.ocrB, shape.other);
}

// A page seen from behind the paper (a front camera, a scan through thin
// paper) has its lines where the page has them but its characters mirrored:
// its first line of 3s is then far more like a 3 mirrored back than as it
// stands (0.5 against 0.95 and more); a symmetric character (8) is alike both
// ways and is left as it stands.
bool SeenMirrored(const Found& found) {
  for (const auto& index : found.layout.blocks) {
    if (!index) continue;
    const Glyph& mean = found.lines[*index].row.mean;
    return LikenessToA3(Mirrored(mean)) > LikenessToA3(mean) + 0.15;
  }
  return false;
}

// The seen line of 3s nearest `place` down the page, if any.
const MeasuredLine* NearestProbe(const std::vector<MeasuredLine>& lines, double place) {
  const MeasuredLine* nearest = nullptr;
  for (const MeasuredLine& line : lines) {
    if (line.probe &&
        (!nearest || std::abs(line.middle.y - place) < std::abs(nearest->middle.y - place))) {
      nearest = &line;
    }
  }
  return nearest;
}

// A block's line of 3s printed so thin and light that the reduced map shows
// it as specks only (beside a heavy line the whole of it may be a few grey
// levels deep), or found with its slope misled (a heavy shadow at the sheet's
// edge drew the line's end aside), is looked for where the layout puts it:
// the seen line nearest that place moved there, at the slope of the nearest
// line of 3s, across the width of the lines of 3s' print where there are
// any (the page's other print: a shadowed edge beyond them runs on into the
// line), measured in the full-size map. It is taken only as a line of 3s is:
// like characters at a steady pitch.
void LookForUnseenProbes(const Prepared& prepared, const std::vector<SeenLine>& seen,
                         Found& found) {
  double begin = 1e300, end = -1e300, probeBegin = 1e300, probeEnd = -1e300;
  for (const MeasuredLine& line : found.lines) {
    begin = std::min(begin, line.found.begin);
    end = std::max(end, line.found.end);
    if (!line.probe) continue;
    const double pitches = 2 * line.row.pitch;
    probeBegin =
        std::min(probeBegin, (line.origin + line.measure.first - pitches) / prepared.factor);
    probeEnd = std::max(probeEnd, (line.origin + line.measure.last + pitches) / prepared.factor);
  }
  if (probeBegin < probeEnd) {
    begin = probeBegin;
    end = probeEnd;
  }
  for (std::size_t k = 0; k < found.layout.blocks.size(); ++k) {
    if (found.layout.blocks[k]) continue;
    const double place = found.layout.blockPlaces[k];
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < seen.size(); ++i) {
      if (std::abs(seen[i].v - place) < std::abs(seen[nearest].v - place)) nearest = i;
    }
    FoundLine line = found.lines[nearest].found;
    line.middle += (place - seen[nearest].v) / prepared.factor;
    if (const MeasuredLine* probe = NearestProbe(found.lines, place)) {
      const double across = (begin + end) / 2, v = line.VAt(across);
      line.slope = probe->found.slope;
      line.middle = v - line.slope * across;
    }
    line.begin = begin;
    line.end = end;
    const MeasuredLine measured = Measure(prepared, found.frame, line, found.spacing);
    if (!measured.probe) continue;
    found.layout.blocks[k] = found.lines.size();
    found.lines.push_back(measured);
  }
}

// The page's lines fitted to the test pages, as they stand and upside down,
// and read the right way round where the picture shows them mirrored: the
// page found, or why not.
std::variant<Found, std::string> Fit(const Prepared& prepared, const GreyView& picture,
                                     const MeasuredPage& page) {
  // The page is printed at ten characters and six lines an inch: a spacing
  // far from what the pitch says was measured on lines split or merged.
  const double fromPitch = page.pitch * 10 / 6;
  double spacing = page.search.spacing * prepared.factor;
  if (page.probes && std::abs(spacing / fromPitch - 1) > 0.25) spacing = fromPitch;
  const std::vector<SeenLine> seen = Seen(page, prepared.factor);
  std::vector<SeenLine> seenTurned(seen.rbegin(), seen.rend());
  for (SeenLine& line : seenTurned) line.v = -line.v;
  const auto [top, bottom] = Extent(picture, page.frame);
  const LayoutResult upright = MatchLayout(seen, spacing, top, bottom);
  const LayoutResult turned = MatchLayout(seenTurned, spacing, -bottom, -top);
  const bool useTurned =
      turned.match && (!upright.match || turned.match->score > upright.match->score);
  const LayoutResult& result = useTurned ? turned : upright;
  if (!result.match) return result.problem;
  Found found{page.frame, page.lines, *result.match, page.pitch, page.search.spacing};
  if (useTurned) {
    // Measured again the right way up: the characters must not stand on their heads.
    std::reverse(found.lines.begin(), found.lines.end());
    MeasureAgain(prepared, found, page.frame.Turned(),
                 [](const FoundLine& line) { return line.Turned(); });
  }
  if (SeenMirrored(found)) {
    MeasureAgain(prepared, found, found.frame.Mirrored(),
                 [](const FoundLine& line) { return line.Mirrored(); });
  }
  LookForUnseenProbes(prepared, useTurned ? seenTurned : seen, found);
  return found;
}

// Finds the page in the frames it may stand in, likeliest first, its lines
// told apart first as most print needs, then as blurred small print needs,
// its pieces of lines taken with `ink`: the page found, or why it was not.
std::variant<Found, std::string> FindPageWith(const Prepared& prepared, const GreyView& picture,
                                              LineInk ink) {
  std::optional<std::string> problem;     // of the likeliest frame that holds lines of 3s
  std::optional<PrinterFamily> textOnly;  // a test page's text found with no line of 3s
  const std::vector<PageFrame> frames = CandidateFrames(prepared.points);
  for (std::size_t pair = 0; pair < frames.size(); pair += 2) {
    for (const double closeness : {0.5, 0.75}) {
      const MeasuredPage page = MeasurePage(prepared, frames[pair], closeness, ink);
      if (page.search.lines.empty()) continue;
      // The size of the print: by the pitch of lines of 3s where there are
      // any, else by the spacing of lines as many as a page's the likelier
      // way round (turned a quarter, the "lines" would be columns of
      // characters). A few lines are too few to tell: the strokes of one
      // heavy line of 3s, all that shows of a page printed too thin, are
      // followed as two lines close together.
      const std::size_t lines = page.search.lines.size();
      const bool pageOfLines = lines > kFewLines && lines <= MostLinesOfATestPage() &&
                               page.search.spacing >= page.search.characterHeight;
      if (page.probes ? page.pitch < kSmallestPitch
                      : pair == 0 && pageOfLines &&
                            page.search.spacing * prepared.factor < kSmallestSpacing) {
        return std::string(kTooSmall);
      }
      if (page.pitch <= 0) continue;
      auto fitted = Fit(prepared, picture, page);
      if (const Found* found = std::get_if<Found>(&fitted)) {
        if (page.probes) return fitted;
        if (!textOnly) textOnly = found->layout.family;
      } else if (page.probes && !problem) {
        problem = std::get<std::string>(fitted) + ": " + kTryAgain;
      }
    }
  }
  if (problem) return *problem;
  if (textOnly) {
    return std::string("the headings and labels of Fontprobe's ") +
           (*textOnly == PrinterFamily::Pcl ? "PCL" : "Epson") +
           " test page were found, but none of its lines of 3s could be read: " + kTryAgain;
  }
  return std::string(
      "no line of 64 digits 3 was found: this is not a Fontprobe test page, or one printed too "
      "faint to read");
}

// The page as most print shows it; where no page with a line of 3s is found
// so, as thin print beside a few heavy lines shows it. The thin search finds
// closer, fainter lines (and more of a background), so it is trusted only
// for a page it finds, never for why none was found.
std::variant<Found, std::string> FindPage(const Prepared& prepared, const GreyView& picture) {
  auto usual = FindPageWith(prepared, picture, LineInk::Usual);
  if (std::holds_alternative<Found>(usual)) return usual;
  auto thin = FindPageWith(prepared, picture, LineInk::Thin);
  return std::holds_alternative<Found>(thin) ? thin : usual;
}

// The page in the picture, or why it was not found. Where it was not, it is
// looked for again as faint print: print that toner saving left thin and
// broken lies a few grey levels under the paper, within its noise, where
// ordinary print is found by clearer ink. Smoothed, the noise falls to a
// third while the strokes keep their place; their ink, tripled, is then found
// as print is (twice found fewer such pages; four times, no more). Why the
// page was not found stays as the picture showed it.
std::variant<Found, std::string> FindPageIn(const GreyView& picture) {
  std::variant<Found, std::string> found;
  {
    const Prepared prepared = Prepare(picture);
    if (Blank(prepared.ink)) {
      return std::string("the page is blank: nothing printed was found on it");
    }
    found = FindPage(prepared, picture);
    if (std::holds_alternative<Found>(found)) return found;
  }
  const GreyImage smoothed = Smoothed(picture);
  auto faint = FindPage(Prepare(smoothed.View(), 3), smoothed.View());
  return std::holds_alternative<Found>(faint) ? faint : found;
}

LineEvidence Evidence(const MeasuredLine& line) {
  LineEvidence evidence;
  evidence.found = true;
  evidence.characters = line.row.Used();
  evidence.level = line.row.level;
  evidence.alike = line.row.alike;
  evidence.mean = line.row.mean;
  evidence.glyphs = line.row.glyphs;
  evidence.used = line.row.used;
  evidence.shape = MatchShape(line.row.mean);
  return evidence;
}

// Each test block with its sequence and what was seen of its line of 3s.
std::vector<BlockReading> Blocks(const Found& found) {
  std::vector<std::string> sequences;
  for (const PrintedLine& line : PrintedLines(found.layout.family)) {
    if (line.probe) sequences.push_back(line.sequence);
  }
  std::vector<BlockReading> blocks;
  for (std::size_t k = 0; k < found.layout.blocks.size(); ++k) {
    BlockReading block;
    block.number = static_cast<int>(k + 1);
    block.sequence = sequences[k];
    if (const auto index = found.layout.blocks[k]) {
      block.evidence = Evidence(found.lines[*index]);
      block.box = found.lines[*index].box;
    }
    blocks.push_back(block);
  }
  return blocks;
}

// Why the comparison line cannot serve, if it cannot; each block's reason is set.
std::optional<std::string> ComparisonProblem(std::vector<BlockReading>& blocks) {
  const BlockReading& comparison = blocks[0];
  const ShapeMatch& shape = comparison.evidence.shape;
  if (const std::string problem = Unreadable(comparison.evidence); !problem.empty()) {
    for (BlockReading& block : blocks) {
      block.reason = &block == &blocks[0] ? problem : "the comparison line could not be read";
    }
    return "the comparison line (" + comparison.sequence + ") could not be read: " + problem;
  }
  if (shape.digit != '3') {
    for (BlockReading& block : blocks) block.reason = "the comparison line is not a line of 3s";
    return std::string(
               "the lines under the labels are not lines of the digit 3 (they look most like ") +
           shape.digit + "s)";
  }
  if (LooksLikeOcrB(shape)) {
    for (BlockReading& block : blocks) block.reason = "the comparison line is in OCR-B too";
    return "the comparison line (" + comparison.sequence +
           ") is itself printed in OCR-B, so the sequences cannot be told apart: set the "
           "printer's own typeface back to Courier and print the page again";
  }
  return std::nullopt;
}

// Each block's line against the comparison line, and the verdict.
PageReading Judge(const Found& found, PageReading reading) {
  reading.frame = found.frame;
  reading.family = found.layout.family;
  reading.dotsPerInch = 10 * found.pitch;
  reading.blocks = Blocks(found);
  if (const auto problem = ComparisonProblem(reading.blocks)) {
    reading.reason = *problem;
    reading.verdict = Verdict::Undecided;
    return reading;
  }
  BlockReading& comparison = reading.blocks[0];
  comparison.typeface = Typeface::Comparison;
  bool anyOcrB = false, allJudged = true;
  for (std::size_t k = 1; k < reading.blocks.size(); ++k) {
    BlockReading& block = reading.blocks[k];
    const Judgement judgement = JudgeBlock(block.evidence, comparison.evidence);
    block.typeface = judgement.typeface;
    block.reason = judgement.reason;
    block.difference = judgement.difference;
    anyOcrB = anyOcrB || block.typeface == Typeface::OcrB;
    allJudged = allJudged && block.typeface != Typeface::Unclear;
  }
  reading.verdict = anyOcrB ? Verdict::OcrB : allJudged ? Verdict::NoOcrB : Verdict::Undecided;
  return reading;
}

}  // namespace

PageReading ReadTestPage(const GreyView& picture, std::optional<double> statedDotsPerInch) {
  PageReading reading;
  reading.statedDotsPerInch = statedDotsPerInch;
  if (picture.width < 32 || picture.height < 32) {
    reading.reason = "the picture is too small to hold a page";
    return reading;
  }
  auto found = FindPageIn(picture);
  if (const auto* problem = std::get_if<std::string>(&found)) {
    reading.reason = *problem;
    return reading;
  }
  return Judge(std::get<Found>(found), reading);
}

}  // namespace fontprobe
