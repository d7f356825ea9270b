// Telling OCR-B among the names and selections printers give their fonts.
#include <gtest/gtest.h>

#include "fonts/ResidentFont.h"

namespace fontprobe {
namespace {

TEST(IsOcrBName, KnowsOcrBHoweverAMakerSpellsItAndNeverOcrA) {
  const struct {
    const char* name;
    bool ocrB;
  } cases[] = {
      {"OCRB", true},
      {"OCR-B", true},
      {"OCR B", true},
      {"OCR_B", true},
      {"ocrb", true},
      {"OcrB", true},
      {"OCR-b", true},
      {"OCRB10", true},
      {"OCR-B 10 BT", true},
      {"OCR-B-10", true},
      {"OCRBStd", true},
      {"OCRBStd-Regular", true},
      {"OCR B Std", true},
      {"OCRB-Regular", true},
      {"OCRB-Oblique", true},
      {"OCRB10PitchBT-Regular", true},
      {"OCR-B-Digits", true},
      {"Monotype OCR-B", true},
      {"OCR-A", false},
      {"OCRA", false},
      {"OCR A", false},
      {"OCR-A Extended", false},
      {"OCRAStd", false},
      {"OCR-A-BT", false},
      {"OCR Bold", false},
      {"OCRBold", false},
      {"Courier", false},
      {"Times-Roman", false},
      {"MICR E13B", false},
      {"LetterGothic", false},
      {"", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsOcrBName(c.name), c.ocrB) << c.name;
  }
}

TEST(SelectsOcrBSymbolSet, OnlyTheOcrBSymbolSetOneO) {
  const struct {
    const char* selection;
    bool ocrB;
  } cases[] = {
      {"<Esc>(1O<Esc>(s0p10.00h12.0v0s0b110T", true},
      {"<Esc>)1O<Esc>)s0p10.00h12.0v0s0b110T", true},  // a secondary font
      {"<ESC>(1O<ESC>(s0p__h0s0b110T", true},
      {"\x1b(1O\x1b(s0p10h12v0s0b110T", true},
      {"<Esc>(0O<Esc>(s0p10.00h12.0v0s0b104T", false},  // OCR-A's symbol set
      {"<Esc>(10U<Esc>(s0p10.00h12.0v0s0b3T", false},   // PC-8, a zero not an O
      {"<Esc>(s0p__h0s0b4099T", false},
      {"<Esc>(8U<Esc>(s0p16.67h8.5v0s0b0T", false},
      {"1O", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SelectsOcrBSymbolSet(c.selection), c.ocrB) << c.selection;
  }
}

TEST(OcrBFontNames, EveryNameAskedForIsOneThatIsTakenForOcrB) {
  for (const std::string& name : OcrBFontNames()) EXPECT_TRUE(IsOcrBName(name)) << name;
}

}  // namespace
}  // namespace fontprobe
