// PNG through libpng's simplified interface, which reports failures by its
// results (no long jumps) and turns every kind of PNG into 8-bit grey: 1 to 16
// bits, palettes, and alpha laid on white paper.
#include <png.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/images/PictureFiles.h"

namespace fontprobe {

namespace {

struct ImageHolder {
  png_image image{};
  ImageHolder() { image.version = PNG_IMAGE_VERSION; }
  ~ImageHolder() { png_image_free(&image); }
  ImageHolder(const ImageHolder&) = delete;
  ImageHolder& operator=(const ImageHolder&) = delete;
};

std::uint32_t BigEndian(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
}

// The resolution the pHYs chunk states, which comes before the picture data:
// pixels a metre, or with unit 0 only the pixels' shape.
std::optional<StatedResolution> Stated(const std::string& path) {
  File file = OpenForReading(path);
  unsigned char header[8], chunk[8];
  if (!file || std::fread(header, 1, 8, file.get()) != 8) return std::nullopt;
  while (std::fread(chunk, 1, 8, file.get()) == 8) {
    const std::uint32_t length = BigEndian(chunk);
    if (std::memcmp(chunk + 4, "IDAT", 4) == 0) return std::nullopt;
    if (std::memcmp(chunk + 4, "pHYs", 4) == 0 && length == 9) {
      unsigned char data[9];
      if (std::fread(data, 1, 9, file.get()) != 9) return std::nullopt;
      const std::uint32_t across = BigEndian(data), down = BigEndian(data + 4);
      if (data[8] > 1 || across == 0 || down == 0) return std::nullopt;
      return StatedResolution{across * 0.0254, down * 0.0254, data[8] == 1};
    }
    if (std::fseek(file.get(), static_cast<long>(length) + 4, SEEK_CUR) != 0) return std::nullopt;
  }
  return std::nullopt;
}

class PngPicture : public PictureFile {
 public:
  explicit PngPicture(std::string path) : path_(std::move(path)) {}

 protected:
  std::optional<DecodedPage> Decode() override {
    if (read_) return std::nullopt;
    read_ = true;
    ImageHolder holder;
    png_image& image = holder.image;
    if (!png_image_begin_read_from_file(&image, path_.c_str())) {
      throw PictureError(std::string("a broken PNG file: ") + image.message);
    }
    RefuseIfTooLarge(image.width, image.height);
    image.format = PNG_FORMAT_GRAY;
    DecodedPage page;
    page.image.width = static_cast<int>(image.width);
    page.image.height = static_cast<int>(image.height);
    page.image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    const png_color paper{255, 255, 255};
    if (!png_image_finish_read(&image, &paper, page.image.pixels.data(), 0, nullptr)) {
      throw PictureError(std::string("a broken PNG file: ") + image.message);
    }
    page.resolution = Stated(path_);
    return page;
  }

 private:
  std::string path_;
  bool read_ = false;
};

}  // namespace

std::unique_ptr<PictureFile> OpenPng(const std::string& path) {
  return std::make_unique<PngPicture>(path);
}

void WritePng(const std::string& path, const RgbImage& picture) {
  ImageHolder holder;
  png_image& image = holder.image;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, picture.pixels.data(), 0, nullptr)) {
    throw PictureError("cannot write " + path + ": " + image.message);
  }
}

}  // namespace fontprobe
