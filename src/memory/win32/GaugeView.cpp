#include "memory/win32/GaugeView.h"

#include <cwchar>
#include <utility>

namespace tovr::memory::win32 {

void GaugeView::RegisterClassOnce() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &GaugeView::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

GaugeView::GaugeView(HWND parent, Gauge& model, int id, const RECT& rect, HFONT font)
    : model_(model), font_(font) {
  RegisterClassOnce();
  hwnd_ = CreateWindowExW(0, kClassName, L"0%", WS_CHILD | WS_VISIBLE, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  model_.Redraw = [this] { Update(); };
  Update();
}

GaugeView::~GaugeView() {
  model_.Redraw = nullptr;
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void GaugeView::Update() {
  const int percent = model_.Percent();
  InvalidateRect(hwnd_, nullptr, FALSE);
  if (percent == shownPercent_) return;
  shownPercent_ = percent;
  wchar_t text[16];
  std::swprintf(text, 16, L"%d%%", percent);
  SetWindowTextW(hwnd_, text);
}

void GaugeView::Paint(HDC dc) {
  RECT r{};
  GetClientRect(hwnd_, &r);
  DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  const int max = model_.Max();
  const int width = r.right - r.left;
  const int filled = max > 0 ? static_cast<int>(static_cast<long long>(width) * model_.Progress() / max) : 0;
  RECT bar{r.left, r.top, r.left + filled, r.bottom};
  RECT rest{r.left + filled, r.top, r.right, r.bottom};
  FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
  FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));

  wchar_t text[16];
  const int n = std::swprintf(text, 16, L"%d%%", model_.Percent());
  HGDIOBJ oldFont = font_ ? SelectObject(dc, font_) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  for (const auto& [part, colour] : {std::pair{bar, COLOR_HIGHLIGHTTEXT}, std::pair{rest, COLOR_WINDOWTEXT}}) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    SetTextColor(dc, GetSysColor(colour));
    RECT box = r;
    DrawTextW(dc, text, n, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RestoreDC(dc, saved);
  }
  if (oldFont) SelectObject(dc, oldFont);
}

LRESULT CALLBACK GaugeView::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<GaugeView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self) {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        self->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_SETFONT:
        self->font_ = reinterpret_cast<HFONT>(wParam);
        return 0;
      case WM_GETFONT:
        return reinterpret_cast<LRESULT>(self->font_);
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::memory::win32
