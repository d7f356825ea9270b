#include "fonts/ResidentFont.h"

namespace fontprobe {
namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return IsUpper(c) || IsLower(c); }

// The words of a font name, upper-cased: split at anything but letters and
// digits, between letters and digits, and where a capital starts a word in
// mixed case ("OCRBStd" is OCRB and STD, "OcrB" is OCR and B).
std::vector<std::string> Words(std::string_view name) {
  std::vector<std::string> words;
  std::string word;
  const auto end = [&] {
    if (!word.empty()) words.push_back(word);
    word.clear();
  };
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (!IsLetter(c) && !IsDigit(c)) {
      end();
      continue;
    }
    const char before = i > 0 ? name[i - 1] : ' ';
    const char after = i + 1 < name.size() ? name[i + 1] : ' ';
    const bool kindChanges = (IsDigit(c) && IsLetter(before)) || (IsLetter(c) && IsDigit(before));
    const bool capitalStartsWord =
        IsUpper(c) && (IsLower(before) || (IsUpper(before) && IsLower(after)));
    if (kindChanges || capitalStartsWord) end();
    word += IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
  }
  end();
  return words;
}

}  // namespace

bool IsOcrBName(std::string_view name) {
  const std::vector<std::string> words = Words(name);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "OCRB") return true;
    if (words[i] == "OCR" && i + 1 < words.size() && words[i + 1] == "B") return true;
  }
  return false;
}

bool SelectsOcrBSymbolSet(std::string_view selection) {
  for (const std::string_view escape : {"<Esc>", "<ESC>", "\x1b"}) {
    for (const char* set : {"(1O", ")1O"}) {
      if (selection.find(std::string(escape) + set) != std::string_view::npos) return true;
    }
  }
  return false;
}

const std::vector<std::string>& OcrBFontNames() {
  static const std::vector<std::string> names = {
      "OCRB",          "OCR-B",   "OCRB10",          "OCR-B-10",    "OCRB-Regular",
      "OCR-B-Regular", "OCRBStd", "OCRBStd-Regular", "OCR-B-10-BT", "OCRB10PitchBT-Regular",
      "OCR-B-Digits"};
  return names;
}

}  // namespace fontprobe
