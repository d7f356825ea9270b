#include "reading/Report.h"

#include "reading/ProbeLine.h"

namespace fontprobe {

namespace {

std::string Judged(const BlockReading& block) {
  switch (block.typeface) {
    case Typeface::Comparison:
      return "the comparison (the printer's Courier)";
    case Typeface::OcrB:
      return "OCR-B";
    case Typeface::SameAsComparison:
      return "the same as the comparison: the printer ignored the sequence";
    case Typeface::Other:
      return "another typeface, not OCR-B" + (block.reason.empty() ? "" : ": " + block.reason);
    case Typeface::Unclear:
      break;
  }
  return "unclear: " + block.reason;
}

// How many of a line's characters its judgement rests on, where damage or
// the picture left some out.
std::string CharactersUsed(const BlockReading& block) {
  const LineEvidence& line = block.evidence;
  if (!line.found || line.characters >= kLineLength || line.characters < kEnoughCharacters) {
    return "";
  }
  return ", from " + std::to_string(line.characters) + " of its " + std::to_string(kLineLength) +
         " characters";
}

std::string Joined(const std::vector<std::string>& items, const std::string& last,
                   const std::string& between) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == items.size() ? last : between) + items[i];
  }
  return text;
}

// The test blocks that could not be judged, each with why.
std::string NotJudged(const PageReading& reading) {
  std::vector<std::string> blocks;
  for (const BlockReading& block : reading.blocks) {
    if (block.number > 1 && block.typeface == Typeface::Unclear) {
      blocks.push_back("block " + std::to_string(block.number) + " (" + block.sequence +
                       ") could not be judged: " + block.reason);
    }
  }
  return Joined(blocks, "; ", "; ");
}

}  // namespace

std::string JudgementWords(const BlockReading& block) { return Judged(block); }

std::vector<std::string> ReportLines(const std::string& fileName, int pageNumber,
                                     const PageReading& reading) {
  std::vector<std::string> lines{
      pageNumber > 1 ? fileName + " (page " + std::to_string(pageNumber) + ")" : fileName};
  if (reading.frame && reading.frame->mirrored) lines.push_back(std::string("  ") + kMirroredWords);
  std::size_t width = 0;
  for (const BlockReading& block : reading.blocks) width = std::max(width, block.sequence.size());
  for (const BlockReading& block : reading.blocks) {
    lines.push_back("  block " + std::to_string(block.number) + "  " + block.sequence +
                    std::string(width - block.sequence.size() + 2, ' ') + Judged(block) +
                    CharactersUsed(block));
  }
  lines.push_back(VerdictSentence(reading));
  return lines;
}

std::string VerdictSentence(const PageReading& reading) {
  switch (reading.verdict) {
    case Verdict::OcrB: {
      std::vector<std::string> sequences;
      for (const BlockReading& block : reading.blocks) {
        if (block.typeface == Typeface::OcrB) sequences.push_back(block.sequence);
      }
      return "This printer prints OCR-B with " + Joined(sequences, " and with ", ", with ") + ".";
    }
    case Verdict::NoOcrB:
      return "No sequence printed OCR-B on this printer.";
    case Verdict::Undecided:
      return "Undecided: " + (reading.reason.empty() ? NotJudged(reading) : reading.reason) +
             ". No block was seen to print OCR-B, but not every block could be judged: " +
             kTryAgain + ".";
    case Verdict::Unreadable:
      break;
  }
  return "Unreadable: " + reading.reason + ".";
}

const char* TypefaceName(Typeface typeface) {
  switch (typeface) {
    case Typeface::Comparison:
      return "comparison";
    case Typeface::OcrB:
      return "ocr-b";
    case Typeface::SameAsComparison:
      return "same-as-comparison";
    case Typeface::Other:
      return "other";
    case Typeface::Unclear:
      break;
  }
  return "unclear";
}

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::OcrB:
      return "ocr-b";
    case Verdict::NoOcrB:
      return "no-ocr-b";
    case Verdict::Undecided:
      return "undecided";
    case Verdict::Unreadable:
      break;
  }
  return "unreadable";
}

}  // namespace fontprobe
