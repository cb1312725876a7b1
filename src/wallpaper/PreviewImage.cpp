#include "wallpaper/PreviewImage.h"

#include <algorithm>
#include <vector>

#include "wallpaper/PictureFit.h"

namespace tovr::wallpaper {

namespace {

// For each target position, the source pixels it covers and their weights (1/256 units).
struct Span {
  int first = 0;
  std::vector<int> weights;
};

std::vector<Span> Spans(int source, int target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  const double step = static_cast<double>(source) / target;
  for (int t = 0; t < target; ++t) {
    double from = t * step, to = std::min<double>(source, (t + 1) * step);
    if (to - from < 1e-9) to = std::min<double>(source, from + 1);  // enlarging: the pixel below
    Span& s = spans[static_cast<std::size_t>(t)];
    s.first = static_cast<int>(from);
    for (int i = s.first; i < source && i < to; ++i) {
      const double cover = std::min<double>(i + 1, to) - std::max<double>(i, from);
      s.weights.push_back(static_cast<int>(cover / (to - from) * 256 + 0.5));
    }
  }
  return spans;
}

}  // namespace

RgbImage ScaleImage(const RgbImage& image, int width, int height) {
  RgbImage out;
  out.width = width;
  out.height = height;
  out.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
  if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0) return out;
  const std::vector<Span> xs = Spans(image.width, width), ys = Spans(image.height, height);
  for (int y = 0; y < height; ++y) {
    const Span& sy = ys[static_cast<std::size_t>(y)];
    std::vector<int> acc(static_cast<std::size_t>(width) * 3, 0);
    for (std::size_t j = 0; j < sy.weights.size(); ++j) {
      const std::uint8_t* src = image.rgb.data() + static_cast<std::size_t>(sy.first + static_cast<int>(j)) * image.width * 3;
      for (int x = 0; x < width; ++x) {
        const Span& sx = xs[static_cast<std::size_t>(x)];
        int r = 0, g = 0, b = 0;
        for (std::size_t i = 0; i < sx.weights.size(); ++i) {
          const std::uint8_t* p = src + static_cast<std::size_t>(sx.first + static_cast<int>(i)) * 3;
          r += p[0] * sx.weights[i];
          g += p[1] * sx.weights[i];
          b += p[2] * sx.weights[i];
        }
        const int w = sy.weights[j];
        acc[static_cast<std::size_t>(x) * 3] += (r >> 8) * w;
        acc[static_cast<std::size_t>(x) * 3 + 1] += (g >> 8) * w;
        acc[static_cast<std::size_t>(x) * 3 + 2] += (b >> 8) * w;
      }
    }
    std::uint8_t* dst = out.rgb.data() + static_cast<std::size_t>(y) * width * 3;
    for (std::size_t k = 0; k < acc.size(); ++k) dst[k] = static_cast<std::uint8_t>(std::clamp(acc[k] >> 8, 0, 255));
  }
  return out;
}

std::optional<RgbImage> JpegPreview(std::string_view bytes, int boxWidth, int boxHeight) {
  std::optional<RgbImage> decoded = DecodeJpegForBox(bytes, boxWidth, boxHeight);
  if (!decoded) return std::nullopt;
  const PictureSize fit = FitInto(decoded->width, decoded->height, boxWidth, boxHeight);
  if (fit.width == decoded->width && fit.height == decoded->height) return decoded;
  return ScaleImage(*decoded, fit.width, fit.height);
}

}  // namespace tovr::wallpaper
