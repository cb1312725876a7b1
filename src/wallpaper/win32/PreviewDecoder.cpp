#include "wallpaper/win32/PreviewDecoder.h"

#include <ole2.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"
#include "wallpaper/PreviewImage.h"
#include "wallpaper/PictureFit.h"

namespace tovr::wallpaper::win32 {

namespace {

using controls::win32::UniqueBitmap;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr int kHimetricPerInch = 2540;

std::optional<std::string> ReadWhole(const std::string& path) {
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::string> bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= kMaxPreviewFileBytes) {
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    DWORD got = 0;
    while (done < data.size() &&
           ReadFile(file, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr) && got > 0) {
      done += got;
    }
    if (done == data.size()) bytes = std::move(data);
  }
  CloseHandle(file);
  return bytes;
}

std::uint32_t Le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

int Le16s(std::string_view b, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// A 32-bit top-down DIB selected into a memory DC, filled with the background.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_.reset(dc_ ? CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
    if (!bitmap_) return;
    old_ = SelectObject(dc_, bitmap_.get());
    RECT all{0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ok() const { return static_cast<bool>(bitmap_); }
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  UniqueBitmap Take() {
    GdiFlush();
    if (old_) SelectObject(dc_, old_);
    old_ = nullptr;
    return std::move(bitmap_);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
  UniqueBitmap bitmap_;
};

UniqueBitmap FromJpeg(std::string_view bytes, int boxW, int boxH, COLORREF background) {
  std::optional<RgbImage> image = JpegPreview(bytes, boxW, boxH);
  if (!image || image->width <= 0 || image->height <= 0) return {};
  Canvas target(image->width, image->height, background);
  if (!target.Ok()) return {};
  UniqueBitmap pixels = target.Take();
  BITMAP bm{};
  GetObjectW(pixels.get(), sizeof bm, &bm);
  auto* out = static_cast<std::uint8_t*>(bm.bmBits);
  const std::uint8_t* in = image->rgb.data();
  for (std::size_t i = 0, n = static_cast<std::size_t>(image->width) * image->height; i < n; ++i, in += 3, out += 4) {
    out[0] = in[2];  // BGRA
    out[1] = in[1];
    out[2] = in[0];
    out[3] = 0;
  }
  return pixels;
}

UniqueBitmap PlayMetafile(HENHMETAFILE emf, int boxW, int boxH, COLORREF background) {
  if (!emf) return {};
  UniqueBitmap result;
  ENHMETAHEADER header{};
  if (GetEnhMetaFileHeader(emf, sizeof header, &header)) {
    // The frame is in hundredths of a millimetre; shown at 96 pixels an inch.
    const RECTL& f = header.rclFrame;
    const int w = MulDiv(f.right - f.left, 96, kHimetricPerInch), h = MulDiv(f.bottom - f.top, 96, kHimetricPerInch);
    const PictureSize fit = FitInto(w > 0 ? w : 1, h > 0 ? h : 1, boxW, boxH);
    Canvas target(fit.width, fit.height, background);
    RECT all{0, 0, fit.width, fit.height};
    if (target.Ok() && PlayEnhMetaFile(target.Dc(), emf, &all)) result = target.Take();
  }
  DeleteEnhMetaFile(emf);
  return result;
}

UniqueBitmap FromWmf(std::string_view bytes, int boxW, int boxH, COLORREF background) {
  METAFILEPICT picture{MM_ANISOTROPIC, 0, 0, nullptr};
  const METAFILEPICT* size = nullptr;
  if (bytes.size() > 22 && Le32(bytes, 0) == kPlaceableKey) {
    const int inch = Le16s(bytes, 14) > 0 ? Le16s(bytes, 14) : 1440;
    picture.xExt = MulDiv(Le16s(bytes, 10) - Le16s(bytes, 6), kHimetricPerInch, inch);
    picture.yExt = MulDiv(Le16s(bytes, 12) - Le16s(bytes, 8), kHimetricPerInch, inch);
    size = &picture;
    bytes.remove_prefix(22);
  }
  HDC screen = GetDC(nullptr);
  HENHMETAFILE emf = SetWinMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()),
                                        screen, size);
  ReleaseDC(nullptr, screen);
  return PlayMetafile(emf, boxW, boxH, background);
}

UniqueBitmap FromOlePicture(std::string_view bytes, int boxW, int boxH, COLORREF background) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return {};
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(memory);
  }
  IStream* stream = nullptr;
  if (FAILED(TOVR_LATE(ole32, CreateStreamOnHGlobal)(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return {};
  }
  UniqueBitmap result;
  IPicture* picture = nullptr;
  if (SUCCEEDED(TOVR_LATE(oleaut32, OleLoadPicture)(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                                    reinterpret_cast<void**>(&picture)))) {
    OLE_XSIZE_HIMETRIC hmW = 0;
    OLE_YSIZE_HIMETRIC hmH = 0;
    picture->get_Width(&hmW);
    picture->get_Height(&hmH);
    const int w = MulDiv(hmW, 96, kHimetricPerInch), h = MulDiv(hmH, 96, kHimetricPerInch);
    if (w > 0 && h > 0) {
      const PictureSize fit = FitInto(w, h, boxW, boxH);
      Canvas target(fit.width, fit.height, background);
      if (target.Ok() &&
          SUCCEEDED(picture->Render(target.Dc(), 0, 0, fit.width, fit.height, 0, hmH, hmW, -hmH, nullptr))) {
        result = target.Take();
      }
    }
    picture->Release();
  }
  stream->Release();  // frees the memory
  return result;
}

}  // namespace

UniqueBitmap DecodePreview(const std::string& path, int boxW, int boxH, COLORREF background) {
  if (path.empty() || boxW <= 0 || boxH <= 0) return {};
  const std::optional<std::string> file = ReadWhole(path);
  if (!file || file->size() < 4) return {};
  const std::string_view bytes = *file;
  if (bytes.substr(0, 3) == "\xFF\xD8\xFF") return FromJpeg(bytes, boxW, boxH, background);
  if (bytes.size() >= 44 && Le32(bytes, 0) == 1 && bytes.substr(40, 4) == " EMF") {
    return PlayMetafile(SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data())),
                        boxW, boxH, background);
  }
  // A metafile: placeable, or a plain one (type 1 or 2, a 9-word header).
  const bool plainWmf = bytes.size() > 18 && (Le16s(bytes, 0) == 1 || Le16s(bytes, 0) == 2) && Le16s(bytes, 2) == 9;
  if (Le32(bytes, 0) == kPlaceableKey || plainWmf) return FromWmf(bytes, boxW, boxH, background);
  return FromOlePicture(bytes, boxW, boxH, background);
}

}  // namespace tovr::wallpaper::win32
