// JPEG through libjpeg(-turbo): grey from any colour space (CMYK made grey by
// hand, as libjpeg will not), with the density and the EXIF orientation the
// file states.
// libjpeg reports errors by a long jump, so everything it touches between the
// jump's two ends is plain data owned outside that stretch.
// jpeglib.h needs FILE and size_t declared before it.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <memory>
#include <vector>

#include "platform/images/PictureFiles.h"
#include "reading/Exif.h"

namespace fontprobe {

namespace {

struct ErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool cutShort;
};

void Fail(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// Warnings are not printed; only a file cut short counts.
void Warn(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) {
    reinterpret_cast<ErrorManager*>(info->err)->cutShort = true;
  }
}

// Decodes into `page`; false with the reason in `errors` when libjpeg gave up,
// or at once when the header gives more than kLargestPicture pixels.
bool DecodeInto(std::FILE* file, jpeg_decompress_struct& info, ErrorManager& errors,
                std::vector<std::uint8_t>& row, DecodedPage& page) {
  if (setjmp(errors.jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  if (static_cast<double>(info.image_width) * info.image_height > kLargestPicture) return false;
  // A photo from a phone of 24 megapixels or more holds far more than reading
  // needs: libjpeg decodes it at a half or a quarter of its size almost for
  // free, to under twenty million pixels (an A4 page filling it at 450 dpi).
  unsigned shrink = 1;
  while (shrink < 4 &&
         static_cast<double>(info.image_width) * info.image_height / (shrink * shrink) > 20e6) {
    shrink *= 2;
  }
  info.scale_num = 1;
  info.scale_denom = shrink;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_GRAYSCALE;
  // Density unit 0 gives only the pixels' shape, 1 dots an inch, 2 a centimetre.
  if (info.X_density > 0 && info.Y_density > 0 && info.density_unit <= 2) {
    const double unit = (info.density_unit == 2 ? 2.54 : 1.0) / shrink;
    page.resolution = {info.X_density * unit, info.Y_density * unit, info.density_unit != 0};
  }
  jpeg_start_decompress(&info);
  page.image.width = static_cast<int>(info.output_width);
  page.image.height = static_cast<int>(info.output_height);
  page.image.pixels.resize(static_cast<std::size_t>(info.output_width) * info.output_height);
  row.resize(static_cast<std::size_t>(info.output_width) * info.output_components);
  // Adobe's CMYK JPEGs hold the inks inverted.
  const bool inverted = info.saw_Adobe_marker;
  while (info.output_scanline < info.output_height) {
    const std::size_t y = info.output_scanline;
    JSAMPROW rows[] = {row.data()};
    jpeg_read_scanlines(&info, rows, 1);
    std::uint8_t* out = &page.image.pixels[y * info.output_width];
    if (!cmyk) {
      std::copy(row.begin(), row.begin() + info.output_width, out);
      continue;
    }
    for (std::size_t x = 0; x < info.output_width; ++x) {
      int ink[4];
      for (int k = 0; k < 4; ++k) ink[k] = inverted ? row[4 * x + k] : 255 - row[4 * x + k];
      // ink[] now holds 255 - coverage for C, M, Y, K.
      page.image.pixels[y * info.output_width + x] =
          GreyOf(ink[0] * ink[3] / 255, ink[1] * ink[3] / 255, ink[2] * ink[3] / 255);
    }
  }
  jpeg_finish_decompress(&info);
  return true;
}

class JpegPicture : public PictureFile {
 public:
  explicit JpegPicture(std::string path) : path_(std::move(path)) {}

 protected:
  std::optional<DecodedPage> Decode() override {
    if (read_) return std::nullopt;
    read_ = true;
    File file = OpenForReading(path_);
    if (!file) throw PictureError("cannot open the file");
    std::vector<std::uint8_t> head(128 * 1024);
    head.resize(std::fread(head.data(), 1, head.size(), file.get()));
    std::rewind(file.get());

    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Fail;
    errors.manager.emit_message = Warn;
    std::vector<std::uint8_t> row;
    DecodedPage page;
    const bool decoded = DecodeInto(file.get(), info, errors, row, page);
    const JDIMENSION width = info.image_width, height = info.image_height;
    jpeg_destroy_decompress(&info);
    RefuseIfTooLarge(width, height);
    if (!decoded) throw PictureError(std::string("a broken JPEG file: ") + errors.message);
    if (errors.cutShort) throw PictureError("a broken JPEG file: it is cut short");
    page.orientation = JpegOrientation(head);
    return page;
  }

 private:
  std::string path_;
  bool read_ = false;
};

}  // namespace

std::unique_ptr<PictureFile> OpenJpeg(const std::string& path) {
  return std::make_unique<JpegPicture>(path);
}

}  // namespace fontprobe
