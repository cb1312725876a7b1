#include "desktop/IconArrangement.h"

#include <algorithm>
#include <cmath>

namespace tovr::desktop {

namespace {

constexpr long double kFullTurn = 6.28318L;  // not the exact 2 pi: the placements depend on it

int Truncate(long double v) { return static_cast<int>(std::trunc(v)); }

// A length in pixels at 96 DPI, at `dpi`.
int Scaled(int pixels, int dpi) { return pixels * dpi / 96; }

}  // namespace

std::vector<IconPlacement> ArrangeAlongEdge(int style, const WorkArea& area, int count, int dpi) {
  const bool columns = style == kStyleLeft || style == kStyleRight;
  if (!columns && style != kStyleTop && style != kStyleBottom) return {};
  const int s = Scaled(columns ? kColumnSpacing : kRowSpacing, dpi);
  const int m = Scaled(20, dpi);  // the margin
  const int limit = columns ? area.height : area.width;
  std::vector<IconPlacement> out;
  out.reserve(static_cast<std::size_t>(std::max(count, 0)));
  int p = 0;  // slot in the line, from 1
  int c = 0;  // line
  for (int i = 0; i < count; ++i) {
    if (++p * s > limit) {
      ++c;
      p = 1;
    }
    int x = 0, y = 0;
    switch (style) {
      case kStyleLeft: x = m + c * s; y = (p - 1) * s; break;
      case kStyleRight: x = area.width - (c + 1) * s + m; y = (p - 1) * s; break;
      case kStyleTop: x = m + (p - 1) * s; y = m + c * s; break;
      default: x = m + (p - 1) * s; y = area.height - (c + 1) * s; break;
    }
    out.push_back({i, area.left + x, area.top + y});
  }
  return out;
}

void PlaceOnEllipse(int count, int r, int firstItem, int cx, int cy, int ratio,
                    std::vector<IconPlacement>& out) {
  if (count <= 0) return;
  const long double step = kFullTurn / count;
  for (int e = 0; e < count; ++e) {
    const long double a = e * step;
    const int x = cx + Truncate(std::sin(a) * r * ratio / 100);
    const int y = cy - Truncate(std::cos(a) * r);
    out.push_back({firstItem + e, x, y});
  }
}

std::vector<IconPlacement> ArrangeEllipses(const WorkArea& area, int count, const EllipseParams& params, int dpi) {
  std::vector<IconPlacement> out;
  if (count <= 0) return out;
  const int cx = area.width / 2 - Scaled(16, dpi);
  const int cy = area.height / 2 - Scaled(28, dpi);
  const int R = std::min(params.radius, std::min(cx, cy) - Scaled(4, dpi));
  const int ox = area.left + cx, oy = area.top + cy;
  out.reserve(static_cast<std::size_t>(count));
  if (params.layers <= 1) {
    PlaceOnEllipse(count, R, 0, ox, oy, params.ratio, out);
    return out;
  }
  const int q = count / params.layers;
  const int first = count % params.layers > 0 ? count - (params.layers - 1) * q : q;
  PlaceOnEllipse(first, R, 0, ox, oy, params.ratio, out);
  for (int k = 2; k <= params.layers; ++k) {
    PlaceOnEllipse(q, R - (k - 1) * Scaled(kRingStep, dpi), first + (k - 2) * q, ox, oy, params.ratio, out);
  }
  return out;
}

std::vector<IconPlacement> ArrangeIcons(int style, const WorkArea& area, int count, const EllipseParams& params,
                                        int dpi) {
  if (style == kStyleEllipses) return ArrangeEllipses(area, count, params, dpi);
  return ArrangeAlongEdge(style, area, count, dpi);
}

std::uint32_t PackPosition(int x, int y) {
  return static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
         (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16);
}

}  // namespace tovr::desktop
