// The JPEG preview as pixels: decoded at the DCT scale that just covers the box, then scaled to
// its fitted size by averaging the source pixels each target pixel covers. Portable, so the
// whole preview computation is measured and tested without Windows.
#pragma once

#include <optional>
#include <string_view>

#include "wallpaper/JpegDecoder.h"

namespace tovr::wallpaper {

// `image` scaled to exactly width x height (area average; larger sizes repeat pixels).
RgbImage ScaleImage(const RgbImage& image, int width, int height);

// The JPEG fitted into the box (PictureFit.h), or nothing when it cannot be decoded.
std::optional<RgbImage> JpegPreview(std::string_view bytes, int boxWidth, int boxHeight);

}  // namespace tovr::wallpaper
