// TIFF through libtiff: every page (directory) in turn, any photometric kind
// and compression (Group 4 fax, LZW, JPEG, ...) read through libtiff's RGBA
// interface in bands of rows, so that a page in one strip never needs more
// than a band's colour buffer beside its grey.
#include <tiffio.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/images/PictureFiles.h"

namespace fontprobe {

namespace {

constexpr std::uint32_t kBandRows = 256;

// libtiff's complaints go here rather than to the terminal; the last one is
// the reason given when a page cannot be read.
thread_local std::string lastComplaint;

void Complain(const char*, const char* format, va_list arguments) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, arguments);
  lastComplaint = text;
}

void Ignore(const char*, const char*, va_list) {}

class TiffPicture : public PictureFile {
 public:
  explicit TiffPicture(const std::string& path) : tiff_(nullptr, &TIFFClose) {
    TIFFSetErrorHandler(Complain);
    TIFFSetWarningHandler(Ignore);
    lastComplaint.clear();
    tiff_.reset(TIFFOpen(path.c_str(), "r"));
    if (!tiff_) throw PictureError("a broken TIFF file: " + lastComplaint);
  }

 protected:
  std::optional<DecodedPage> Decode() override {
    if (!first_ && !TIFFReadDirectory(tiff_.get())) return std::nullopt;
    first_ = false;
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff_.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff_.get(), TIFFTAG_IMAGELENGTH, &height);
    if (width == 0 || height == 0) throw PictureError("a broken TIFF file: a page has no size");
    RefuseIfTooLarge(width, height);
    DecodedPage page;
    page.resolution = Stated();
    page.image.width = static_cast<int>(width);
    page.image.height = static_cast<int>(height);
    page.image.pixels.resize(static_cast<std::size_t>(width) * height);

    char message[1024] = "";
    TIFFRGBAImage rgba{};
    if (!TIFFRGBAImageOK(tiff_.get(), message) ||
        !TIFFRGBAImageBegin(&rgba, tiff_.get(), 0, message)) {
      throw PictureError(std::string("a TIFF page Fontprobe cannot read: ") + message);
    }
    std::unique_ptr<TIFFRGBAImage, decltype(&TIFFRGBAImageEnd)> end(&rgba, &TIFFRGBAImageEnd);
    rgba.req_orientation = ORIENTATION_TOPLEFT;
    std::vector<std::uint32_t> band(static_cast<std::size_t>(width) * kBandRows);
    for (std::uint32_t top = 0; top < height; top += kBandRows) {
      const std::uint32_t rows = std::min(kBandRows, height - top);
      rgba.row_offset = static_cast<int>(top);
      rgba.col_offset = 0;
      lastComplaint.clear();
      if (!TIFFRGBAImageGet(&rgba, band.data(), width, rows)) {
        throw PictureError(
            "a broken TIFF file: " +
            (lastComplaint.empty() ? std::string("its picture data is damaged") : lastComplaint));
      }
      std::uint8_t* out = &page.image.pixels[static_cast<std::size_t>(top) * width];
      for (std::size_t i = 0; i < static_cast<std::size_t>(width) * rows; ++i) {
        const std::uint32_t p = band[i];
        out[i] = GreyOf(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p));
      }
    }
    return page;
  }

 private:
  // The resolution across and down, as a fax's 204 x 98 dpi; without a unit
  // only the pixels' shape. A page stating none across states nothing.
  std::optional<StatedResolution> Stated() {
    float across = 0, down = 0;
    std::uint16_t unit = RESUNIT_INCH;
    if (!TIFFGetField(tiff_.get(), TIFFTAG_XRESOLUTION, &across) || !(across > 0)) {
      return std::nullopt;
    }
    if (!TIFFGetField(tiff_.get(), TIFFTAG_YRESOLUTION, &down) || !(down > 0)) down = across;
    TIFFGetFieldDefaulted(tiff_.get(), TIFFTAG_RESOLUTIONUNIT, &unit);
    if (unit == RESUNIT_CENTIMETER) return StatedResolution{across * 2.54, down * 2.54, true};
    return StatedResolution{across, down, unit == RESUNIT_INCH};
  }

  std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff_;
  bool first_ = true;
};

}  // namespace

std::unique_ptr<PictureFile> OpenTiff(const std::string& path) {
  return std::make_unique<TiffPicture>(path);
}

}  // namespace fontprobe
