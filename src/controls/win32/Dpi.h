// Per-monitor DPI: what a window's DPI is (96 = 100 %), and numbers of the 96-DPI design scaled
// to it. The calls that only newer Windows has (GetDpiForWindow, AdjustWindowRectExForDpi,
// GetSystemMetricsForDpi, Windows 10 1607 and later) are looked up at run time; older systems
// get the system DPI from the screen's device context.
#pragma once

#include <windows.h>

namespace tovr::controls::win32 {

inline constexpr int kDesignDpi = 96;

// The DPI of the monitor the window is on; the system DPI for a null window.
int WindowDpi(HWND window);

// `value` of the 96-DPI design at `dpi`, rounded to the nearest pixel.
inline int ScaleToDpi(int value, int dpi) { return MulDiv(value, dpi, kDesignDpi); }
inline RECT ScaleRect(const RECT& r, int dpi) {
  return RECT{ScaleToDpi(r.left, dpi), ScaleToDpi(r.top, dpi), ScaleToDpi(r.right, dpi), ScaleToDpi(r.bottom, dpi)};
}

// AdjustWindowRectEx for the frame metrics of `dpi`.
void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// GetSystemMetrics for `dpi` (SM_CXSMICON, SM_CXICON, ...).
int SystemMetricForDpi(int index, int dpi);

// The program's 12-pixel "宋体" (SimSun) at `dpi`; bold when asked. The caller owns it.
HFONT CreateUiFont(int dpi, bool bold = false);

// Scales the column widths of every list view among the direct children of `parent`.
void ScaleListColumns(HWND parent, int fromDpi, int toDpi);

// Moves every direct child of `parent` from its place at `fromDpi` to the same place at
// `toDpi`, gives it `font`, and scales the column widths of list views. Used when the window moves to a monitor with another DPI.
void RescaleChildren(HWND parent, int fromDpi, int toDpi, HFONT font);

}  // namespace tovr::controls::win32
