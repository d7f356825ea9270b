#include "reading/PageLayout.h"

#include <algorithm>
#include <cmath>

namespace fontprobe {

namespace {

constexpr char kEsc = '\x1b';

// The printed text of one line of page bytes: escape sequences print nothing.
// Epson's ESC k n is three bytes; PCL's ESC ( ... ends with a capital letter.
std::string PrintedText(const std::string& line) {
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != kEsc) {
      text += line[i];
    } else if (i + 1 < line.size() && line[i + 1] == 'k') {
      i += 2;
    } else {
      while (i + 1 < line.size() && !(line[i + 1] >= '@' && line[i + 1] <= '^')) ++i;
      ++i;
    }
  }
  return text;
}

// How well a seen line fits the printed line expected on its row.
double Fit(const SeenLine& seen, const PrintedLine* printed) {
  if (!printed) return -1;  // a line where the page has none
  if (seen.probe) return printed->probe ? 3 : -2;
  if (printed->probe) return -1;  // a line of 3s not seen as one
  return std::clamp(2 - 2 * std::abs(seen.characters - printed->characters), -1.0, 2.0);
}

struct Placement {
  double score = -1e9;
  int offset = 0;
};

// The best place of the seen lines on one page's rows.
Placement Place(const std::vector<SeenLine>& lines, const std::vector<int>& rows,
                const std::vector<PrintedLine>& printed, double spacing, double top,
                double bottom) {
  Placement best;
  const int lastRow = printed.back().row;
  const auto placed = static_cast<std::size_t>(
      std::find_if(rows.begin(), rows.end(), [](int row) { return row >= 0; }) - rows.begin());
  for (int offset = -*std::max_element(rows.begin(), rows.end()); offset <= lastRow; ++offset) {
    double score = 0;
    bool probeFits = false;
    std::vector<bool> seen(printed.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      // Marks beyond the page's print (the sheet's edges, what lies round it
      // in a photo) say nothing of which page it is; marks within it that fit
      // no printed line count against the place.
      const double row = rows[i] >= 0
                             ? rows[i] + offset
                             : (lines[i].v - lines[placed].v) / spacing + rows[placed] + offset;
      if (row < -0.5 || row > lastRow + 0.5) continue;
      if (rows[i] < 0) {
        score -= 1;
        continue;
      }
      const auto match = std::find_if(printed.begin(), printed.end(), [&](const PrintedLine& p) {
        return p.row == rows[i] + offset;
      });
      const PrintedLine* line = match == printed.end() ? nullptr : &*match;
      score += Fit(lines[i], line);
      if (line) seen[match - printed.begin()] = true;
      probeFits = probeFits || (line && line->probe && lines[i].probe);
    }
    // A printed line not seen counts against the place, where the picture holds it.
    for (std::size_t k = 0; k < printed.size(); ++k) {
      const double v = lines[placed].v + (printed[k].row - rows[placed] - offset) * spacing;
      if (!seen[k] && v > top + spacing && v < bottom - spacing) score -= 0.5;
    }
    if (probeFits && score > best.score) best = {score, offset};
  }
  return best;
}

// Each line's row, counted from the first line of 3s (the surest line of
// the page), up and down: by its distance from the last line of text placed,
// in the spacing the lines placed so far show once they span four rows
// (where the sheet lay nearer the camera, its lines stand wider apart than
// the picture's spacing; over fewer rows, a line printed in another face
// than its neighbours, a little off its row, would mislead it). A
// line of 3s printed in another face sits higher or lower on its row than
// text, so once text is placed it counts nothing from a line of 3s (where
// only lines of 3s were seen, each from the last). A line far between two
// rows (a stray mark, a smudge, the sheet's edge) gets no row (-1) and does
// not move the count.
std::vector<int> Rows(const std::vector<SeenLine>& lines, double spacing) {
  const auto probe =
      std::find_if(lines.begin(), lines.end(), [](const SeenLine& l) { return l.probe; });
  const std::size_t anchor =
      probe == lines.end() ? 0 : static_cast<std::size_t>(probe - lines.begin());
  std::vector<std::optional<int>> placed(lines.size());
  placed[anchor] = 0;
  for (const int direction : {1, -1}) {
    double lastV = lines[anchor].v;
    int lastRow = 0;
    bool textPlaced = false;
    for (std::size_t i = anchor + direction; i < lines.size(); i += direction) {
      const double shown = std::abs(lastRow) >= 4 ? (lastV - lines[anchor].v) / lastRow : 0;
      const double ruler = std::abs(shown / spacing - 1) < 0.2 ? shown : spacing;
      const double steps = (lines[i].v - lastV) / ruler * direction;
      const int whole = std::max(1, static_cast<int>(std::lround(steps)));
      if (std::abs(steps - whole) > 0.3 && !lines[i].probe) continue;
      placed[i] = lastRow + whole * direction;
      if (lines[i].probe && textPlaced) continue;
      textPlaced = textPlaced || !lines[i].probe;
      lastRow = *placed[i];
      lastV = lines[i].v;
    }
  }
  // Counted from the top row seen, so that rows go from 0 down.
  int top = 0;
  for (const auto& row : placed) top = std::min(top, row.value_or(0));
  std::vector<int> rows;
  for (const auto& row : placed) rows.push_back(row ? *row - top : -1);
  return rows;
}

// Where a printed row lies down the page: a whole number of spacings from the
// placed seen line nearest it.
double PlaceOfRow(const std::vector<SeenLine>& lines, const std::vector<int>& rows, int offset,
                  int row, double spacing) {
  std::size_t nearest = 0;
  int distance = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (rows[i] < 0) continue;
    const int d = std::abs(rows[i] + offset - row);
    if (distance < 0 || d < distance) {
      distance = d;
      nearest = i;
    }
  }
  return lines[nearest].v + (row - rows[nearest] - offset) * spacing;
}

}  // namespace

std::vector<PrintedLine> PrintedLines(PrinterFamily family) {
  const std::string page = ComposeTestPage(family);
  std::vector<PrintedLine> lines;
  std::vector<std::string> texts;  // row by row
  int row = 0;
  for (std::size_t start = 0; start < page.size();) {
    std::size_t end = page.find("\r\n", start);
    if (end == std::string::npos) end = page.size();
    const std::string line = page.substr(start, end - start);
    const std::string text = PrintedText(line);
    const bool probe = text.find("3333") != std::string::npos;
    if (probe) {
      // The label two lines above names the sequence: "Used sequence: ESCk5".
      const std::string& label = texts[row - 2];
      lines.push_back(
          {row, static_cast<int>(text.size()), true, label.substr(label.find(": ") + 2)});
    } else if (!text.empty() && text != "\f") {
      lines.push_back({row, static_cast<int>(text.size()), false, ""});
    }
    texts.push_back(text);
    ++row;
    start = end + 2;
  }
  return lines;
}

LayoutResult MatchLayout(const std::vector<SeenLine>& lines, double spacing, double top,
                         double bottom) {
  if (lines.empty()) return {std::nullopt, "no lines of print were found"};
  const std::vector<int> rows = Rows(lines, spacing);
  struct Candidate {
    PrinterFamily family;
    std::vector<PrintedLine> printed;
    Placement placement;
  };
  std::vector<Candidate> candidates;
  for (const PrinterFamily family : {PrinterFamily::EpsonIbm, PrinterFamily::Pcl}) {
    std::vector<PrintedLine> printed = PrintedLines(family);
    const Placement placement = Place(lines, rows, printed, spacing, top, bottom);
    candidates.push_back({family, std::move(printed), placement});
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.placement.score > b.placement.score;
  });
  const Candidate& best = candidates[0];
  if (best.placement.score < 8) {
    return {std::nullopt, "the lines do not form Fontprobe's Epson or PCL test page"};
  }
  if (best.placement.score - candidates[1].placement.score < 2) {
    return {std::nullopt,
            "too little of the page could be read to tell the Epson page from the PCL page"};
  }
  LayoutMatch match{best.family, {}, {}, best.placement.score};
  std::size_t placedProbes = 0;
  for (const PrintedLine& printed : best.printed) {
    if (!printed.probe) continue;
    std::optional<std::size_t> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (rows[i] >= 0 && rows[i] + best.placement.offset == printed.row && lines[i].probe)
        seen = i;
    }
    placedProbes += seen.has_value();
    match.blocks.push_back(seen);
    match.blockPlaces.push_back(
        PlaceOfRow(lines, rows, best.placement.offset, printed.row, spacing));
  }
  // A line of 3s the page has no block for: the other page (the Epson page's
  // third block lies past the PCL page's end), or lines misplaced; either
  // way a block would go unjudged while the answer seemed whole.
  if (static_cast<std::size_t>(std::count_if(
          lines.begin(), lines.end(), [](const SeenLine& l) { return l.probe; })) > placedProbes) {
    return {std::nullopt, "the lines do not form Fontprobe's Epson or PCL test page"};
  }
  return {match, ""};
}

}  // namespace fontprobe
