// Decodes JPEG pictures for the wallpaper preview, through libjpeg.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tovr {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel (red, green, blue)
};

// The decoded picture, or nothing when the bytes are not a JPEG libjpeg can read. Damaged
// files never abort the program.
std::optional<RgbImage> DecodeJpeg(std::string_view bytes);

// For a preview box: the picture decoded at the smallest of libjpeg's DCT scales (1/8 to 8/8)
// whose size still covers the picture's size fitted into the box (wallpaper/PictureFit.h);
// the caller scales the rest of the way. Full size when nothing smaller covers it.
std::optional<RgbImage> DecodeJpegForBox(std::string_view bytes, int boxWidth, int boxHeight);

}  // namespace tovr
