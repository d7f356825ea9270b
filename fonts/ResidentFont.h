#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fontprobe {

// A font a printer holds, as its answer names it.
struct ResidentFont {
  std::string name;       // its name; for PCL the NAME= of the answer, empty when not given
  std::string selection;  // PCL: the escape sequences that select it, as the printer wrote them
  bool ocrB = false;
};

// What a printer's answer gives: a whole list of fonts, the fonts before it
// broke off, or no font list at all.
enum class ListingState { Whole, BrokenOff, NotAFontList, TooManyFonts };

struct FontListing {
  ListingState state = ListingState::NotAFontList;
  std::vector<ResidentFont> fonts;
  std::string printerError;  // PCL: the ERROR= the printer gave instead of fonts
};

// No printer holds more fonts than this; a longer list is not taken as one.
inline constexpr std::size_t kMostFonts = 10000;
// A font name or selection longer than this is no font's.
inline constexpr std::size_t kLongestName = 255;

// Whether a font name says OCR-B, however a maker spells it (OCRB, OCR-B,
// OCR B, OCRB10, OCR-B 10 BT, OCRBStd, ...); OCR-A and other OCR faces never.
bool IsOcrBName(std::string_view name);

// Whether a PCL font selection names the OCR-B symbol set, 1O, as primary or
// secondary font ("<Esc>(1O" or "<Esc>)1O").
bool SelectsOcrBSymbolSet(std::string_view selection);

// The names a PostScript printer is asked for one by one, beside its list:
// the spellings of OCR-B that makers' resident fonts carry.
const std::vector<std::string>& OcrBFontNames();

}  // namespace fontprobe
