#include "platform/win32/WicPicture.h"

#include <windows.h>
// The GUIDs of WIC defined here, so that no import library ties
// windowscodecs.dll to the program's start.
#include <initguid.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/win32/LateBound.h"
#include "reading/Exif.h"

namespace fontprobe {
namespace {

constexpr UINT kBandRows = 256;

// Owns one reference to a COM object.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (object_) object_->Release();
  }
  ComPtr(ComPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  Interface* operator->() const { return object_; }
  Interface* get() const { return object_; }
  // For a call that hands over a new reference.
  Interface** Out() {
    if (object_) object_->Release();
    object_ = nullptr;
    return &object_;
  }

 private:
  Interface* object_ = nullptr;
};

// The start of the file: its kind by the first bytes, and a JPEG's EXIF data,
// which comes before the picture data.
std::vector<std::uint8_t> Head(const std::wstring& path) {
  std::vector<std::uint8_t> head(128 * 1024);
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) throw PictureError("the file cannot be opened");
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  return head;
}

bool Starts(const std::vector<std::uint8_t>& head, std::string_view magic) {
  return head.size() >= magic.size() && std::equal(magic.begin(), magic.end(), head.begin());
}

ComPtr<IWICImagingFactory> Factory() {
  using CoInitializeExFunction = HRESULT(WINAPI*)(void*, DWORD);
  using CoCreateInstanceFunction = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
  static const auto initialize = LateBound<CoInitializeExFunction>(L"ole32.dll", "CoInitializeEx");
  static const auto create = LateBound<CoCreateInstanceFunction>(L"ole32.dll", "CoCreateInstance");
  ComPtr<IWICImagingFactory> factory;
  if (!initialize || !create) throw PictureError("Windows Imaging Component is not available");
  // This thread stays a single-threaded apartment for the program's life.
  static const HRESULT apartment =
      initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  (void)apartment;
  if (FAILED(create(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                    reinterpret_cast<void**>(factory.Out())))) {
    throw PictureError("Windows Imaging Component is not available");
  }
  return factory;
}

std::uint8_t Grey(const BYTE* bgra) {
  // Transparency laid on white paper, then the luminance of the colour.
  const int alpha = bgra[3];
  const auto onPaper = [alpha](int value) { return (value * alpha + 255 * (255 - alpha)) / 255; };
  return GreyOf(onPaper(bgra[2]), onPaper(bgra[1]), onPaper(bgra[0]));
}

class WicPicture : public PictureFile {
 public:
  explicit WicPicture(const std::wstring& path) {
    const std::vector<std::uint8_t> head = Head(path);
    if (Starts(head, "%PDF")) {
      throw PictureError(
          "it is a PDF, which Fontprobe for Windows cannot read: save the scan as PNG, JPEG "
          "or TIFF, or read the PDF with the fontprobe command");
    }
    if (Starts(head, "\xff\xd8")) orientation_ = JpegOrientation(head);
    factory_ = Factory();
    if (FAILED(factory_->CreateDecoderFromFilename(
            path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder_.Out()))) {
      throw PictureError("it is not a picture Fontprobe can read (PNG, JPEG or TIFF)");
    }
    if (FAILED(decoder_->GetFrameCount(&frames_))) frames_ = 0;
  }

 protected:
  std::optional<DecodedPage> Decode() override {
    if (next_ >= frames_) return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(decoder_->GetFrame(next_++, frame.Out())) ||
        FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) {
      throw PictureError("a broken picture file: a page cannot be read");
    }
    RefuseIfTooLarge(width, height);
    // Every source converts to 32-bit BGRA, grey ones too; the grey is made here.
    if (FAILED(factory_->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom))) {
      throw PictureError("a picture of a kind Windows Imaging Component cannot convert");
    }
    DecodedPage page;
    page.image.width = static_cast<int>(width);
    page.image.height = static_cast<int>(height);
    page.image.pixels.resize(static_cast<std::size_t>(width) * height);
    std::vector<BYTE> band(static_cast<std::size_t>(width) * 4 * kBandRows);
    for (UINT top = 0; top < height; top += kBandRows) {
      const UINT rows = std::min(kBandRows, height - top);
      const WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
      if (FAILED(converter->CopyPixels(&rect, width * 4, width * 4 * rows, band.data()))) {
        throw PictureError("a broken picture file: its pixels cannot be read");
      }
      std::uint8_t* grey = page.image.pixels.data() + static_cast<std::size_t>(top) * width;
      for (std::size_t i = 0; i < static_cast<std::size_t>(width) * rows; ++i) {
        grey[i] = Grey(&band[i * 4]);
      }
    }
    double dpiX = 0, dpiY = 0;
    // WIC says 96 by 96 for a file that states nothing: not a resolution to trust.
    if (SUCCEEDED(frame->GetResolution(&dpiX, &dpiY)) && dpiX > 0 && dpiY > 0 &&
        (dpiX != 96 || dpiY != 96)) {
      page.resolution = StatedResolution{dpiX, dpiY};
    }
    page.orientation = orientation_;
    return page;
  }

 private:
  ComPtr<IWICImagingFactory> factory_;
  ComPtr<IWICBitmapDecoder> decoder_;
  UINT frames_ = 0;
  UINT next_ = 0;
  int orientation_ = 1;
};

}  // namespace

std::unique_ptr<PictureFile> OpenWicPicture(const std::wstring& path) {
  return std::make_unique<WicPicture>(path);
}

}  // namespace fontprobe
