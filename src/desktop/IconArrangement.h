// The icon arrangements of the desktop icon page as pure functions of the work area, the number
// of icons and the parameters: columns along the left or right edge, rows along the top or
// bottom edge, or concentric ellipses around the centre. Item i is the list view's own item i;
// positions are the list view's client coordinates, computed in integers and sent as 16-bit
// values (PackPosition).
#pragma once

#include <cstdint>
#include <vector>

namespace tovr::desktop {

// The primary screen's work area in the desktop list view's client coordinates.
struct WorkArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct IconPlacement {
  int item = 0;
  int x = 0;
  int y = 0;
  friend bool operator==(const IconPlacement&, const IconPlacement&) = default;
};

// IconStyle values: iconStyleNoneRadio..iconStyleEllipsesRadio.
enum IconStyle : int {
  kStyleNone = 0,
  kStyleLeft = 1,
  kStyleRight = 2,
  kStyleTop = 3,
  kStyleBottom = 4,
  kStyleEllipses = 5,
};

// The spacings and margins below are pixels at 96 DPI (100 %). Every one is scaled by the
// desktop's DPI (`dpi` / 96, the product truncated), so that at 150 % the icons, 1.5 times
// larger, stay as far apart as at 100 %; the user's radius is a length of its own and is not.
inline constexpr int kColumnSpacing = 75;  // left and right
inline constexpr int kRowSpacing = 66;     // top and bottom
inline constexpr int kRingStep = 80;       // each inner ring's radius is this much smaller

// Columns (left, right) fill top to bottom, rows (top, bottom) left to right; a slot whose far
// edge equals the work area's height (width) still fits. Styles other than 1..4 place nothing.
std::vector<IconPlacement> ArrangeAlongEdge(int style, const WorkArea& area, int count, int dpi = 96);

struct EllipseParams {
  int layers = 1;   // ringCount
  int radius = 0;   // circleRadius, in pixels, lowered to fit
  int ratio = 100;  // ellipseRatio: the horizontal semi-axis in percent of the radius
};

// `count` icons on `layers` rings around the centre (W / 2 - 16, H / 2 - 28): the outer ring
// takes the remainder, each inner ring n / layers icons at a radius 80 pixels smaller.
std::vector<IconPlacement> ArrangeEllipses(const WorkArea& area, int count, const EllipseParams& params,
                                           int dpi = 96);

// `count` icons from `firstItem` on one ellipse of vertical semi-axis `r` around (cx, cy),
// clockwise from the top, appended to `out`. The full turn is the constant 6.28318.
void PlaceOnEllipse(int count, int r, int firstItem, int cx, int cy, int ratio,
                    std::vector<IconPlacement>& out);

// The arrangement of `style`: 1-4 along an edge, 5 on ellipses, anything else nothing.
std::vector<IconPlacement> ArrangeIcons(int style, const WorkArea& area, int count, const EllipseParams& params,
                                        int dpi = 96);

// LVM_SETITEMPOSITION's lParam: x in the low 16 bits, y in the high 16 bits.
std::uint32_t PackPosition(int x, int y);

}  // namespace tovr::desktop
