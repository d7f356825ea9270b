#include "reading/PixelFont.h"

#include <algorithm>

namespace fontprobe {

namespace {

// The printable ASCII characters, space to tilde, each as seven rows of five
// pixels, top to bottom; a row is one base-32 digit (0-9, A-V) whose five bits
// are its pixels, the highest on the left.
constexpr const char* kRows[95] = {
    "0000000", "4444404", "AAA0000", "AAVAVAA", "4FKE5U4", "OP248J3", "CIK8LID", "4480000",
    "2488842", "8422248", "04LEL40", "044V440", "0000C48", "000V000", "00000CC", "01248G0",
    "EHJLPHE", "4C4444E", "EH1248V", "V2421HE", "26AIV22", "VGU11HE", "68GUHHE", "V124888",
    "EHHEHHE", "EHHF12C", "0CC0CC0", "0CC0C48", "248G842", "00V0V00", "8421248", "EH12404",
    "EH1DLLE", "EHHVHHH", "UHHUHHU", "EHGGGHE", "SIHHHIS", "VGGUGGV", "VGGUGGG", "EHGNHHF",
    "HHHVHHH", "E44444E", "72222IC", "HIKOKIH", "GGGGGGV", "HRLLHHH", "HHPLJHH", "EHHHHHE",
    "UHHUGGG", "EHHHLID", "UHHUKIH", "FGGE11U", "V444444", "HHHHHHE", "HHHHHA4", "HHHLLLA",
    "HHA4AHH", "HHA4444", "V1248GV", "E88888E", "0G84210", "E22222E", "4AH0000", "000000V",
    "8420000", "00E1FHF", "GGMPHHU", "00EGGHE", "11DJHHF", "00EHVGE", "698S888", "0FHHF1E",
    "GGMPHHH", "40C444E", "20622IC", "GGIKOKI", "C44444E", "00QLLHH", "00MPHHH", "00EHHHE",
    "00UHUGG", "00DJF11", "00MPGGG", "00EGE1U", "88S8896", "00HHHJD", "00HHHA4", "00HHLLA",
    "00HA4AH", "00HHF1E", "00V248V", "2448442", "4444444", "8442448", "008L200",
};

int RowBits(char digit) { return digit <= '9' ? digit - '0' : digit - 'A' + 10; }

}  // namespace

int TextWidth(std::string_view text, int scale) {
  return static_cast<int>(text.size()) * 6 * scale;
}

void DrawText(RgbImage& picture, int left, int top, std::string_view text, int scale,
              Colour colour) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const char* rows = kRows[c >= 32 && c < 127 ? c - 32 : '?' - 32];
    for (int row = 0; row < 7; ++row) {
      const int bits = RowBits(rows[row]);
      for (int column = 0; column < 5; ++column) {
        if (!(bits & (16 >> column))) continue;
        const int x0 = left + (static_cast<int>(i) * 6 + column) * scale, y0 = top + row * scale;
        FillRectangle(picture, x0, y0, scale, scale, colour);
      }
    }
  }
}

void FillRectangle(RgbImage& picture, int left, int top, int width, int height, Colour colour) {
  for (int y = std::max(0, top); y < std::min(picture.height, top + height); ++y) {
    for (int x = std::max(0, left); x < std::min(picture.width, left + width); ++x) {
      std::uint8_t* pixel = &picture.pixels[(static_cast<std::size_t>(y) * picture.width + x) * 3];
      pixel[0] = colour.red;
      pixel[1] = colour.green;
      pixel[2] = colour.blue;
    }
  }
}

}  // namespace fontprobe
