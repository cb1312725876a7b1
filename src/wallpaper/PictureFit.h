// The size a picture takes in the preview box: scaled to fit, its aspect kept (larger and
// smaller pictures alike), at least one pixel each way.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tovr::wallpaper {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

inline PictureSize FitInto(int width, int height, int boxWidth, int boxHeight) {
  if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0) return {};
  const auto w = static_cast<std::int64_t>(width), h = static_cast<std::int64_t>(height);
  // Rounded to the nearest pixel; the limiting side takes the whole box.
  if (w * boxHeight >= h * boxWidth) {
    return {boxWidth, static_cast<int>(std::max<std::int64_t>(1, (h * boxWidth * 2 + w) / (w * 2)))};
  }
  return {static_cast<int>(std::max<std::int64_t>(1, (w * boxHeight * 2 + h) / (h * 2))), boxHeight};
}

}  // namespace tovr::wallpaper
