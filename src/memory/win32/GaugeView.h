// A gauge's window (class "TovrGauge"): a sunken bar filled from the left by the model's share
// of its maximum, with the percentage centred on it ("45%"), drawn in the window colours on the
// empty part and the highlight colours on the filled part. The window text is the percentage
// too, so that other programs can read it. The view follows every change of its model (its Redraw observer).
#pragma once

#include <windows.h>

#include "memory/Gauge.h"

namespace tovr::memory::win32 {

class GaugeView {
 public:
  static constexpr wchar_t kClassName[] = L"TovrGauge";

  // A child window of `parent` at `rect` (parent client coordinates) with the command id `id`.
  GaugeView(HWND parent, Gauge& model, int id, const RECT& rect, HFONT font);
  ~GaugeView();  // releases the model's observer and destroys the window
  GaugeView(const GaugeView&) = delete;
  GaugeView& operator=(const GaugeView&) = delete;

  HWND Handle() const { return hwnd_; }

 private:
  static void RegisterClassOnce();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Update();
  void Paint(HDC dc);

  Gauge& model_;
  HWND hwnd_ = nullptr;
  HFONT font_;
  int shownPercent_ = -1;
};

}  // namespace tovr::memory::win32
