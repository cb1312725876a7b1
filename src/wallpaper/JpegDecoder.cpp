#include "wallpaper/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "wallpaper/PictureFit.h"

namespace tovr {
namespace {

constexpr unsigned long long kMaxPixels = 100'000'000ULL;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// The part that libjpeg may leave by longjmp: only trivially destructible objects live here.
// A box of 0 x 0 decodes at full size.
bool DecodeInto(std::string_view bytes, int boxWidth, int boxHeight, RgbImage& out) {
  jpeg_decompress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  // A damaged header can claim a picture of gigabytes; a wallpaper is never that large.
  if (static_cast<unsigned long long>(info.image_width) * info.image_height > kMaxPixels) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  const wallpaper::PictureSize fit = wallpaper::FitInto(static_cast<int>(info.image_width),
                                                        static_cast<int>(info.image_height), boxWidth, boxHeight);
  if (fit.width > 0) {
    info.scale_denom = 8;
    for (unsigned num = 1; num <= 8; ++num) {
      info.scale_num = num;
      jpeg_calc_output_dimensions(&info);
      if (static_cast<int>(info.output_width) >= fit.width && static_cast<int>(info.output_height) >= fit.height) break;
    }
  }
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = out.rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

std::optional<RgbImage> DecodeJpeg(std::string_view bytes) {
  if (bytes.empty()) return std::nullopt;
  RgbImage image;
  if (!DecodeInto(bytes, 0, 0, image)) return std::nullopt;
  return image;
}

std::optional<RgbImage> DecodeJpegForBox(std::string_view bytes, int boxWidth, int boxHeight) {
  if (bytes.empty() || boxWidth <= 0 || boxHeight <= 0) return std::nullopt;
  RgbImage image;
  if (!DecodeInto(bytes, boxWidth, boxHeight, image)) return std::nullopt;
  return image;
}

}  // namespace tovr
