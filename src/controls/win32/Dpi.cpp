#include "controls/win32/Dpi.h"

#include <commctrl.h>

namespace tovr::controls::win32 {

namespace {

template <typename F>
F User32(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int MulDivRound(int value, int to, int from) { return from > 0 ? MulDiv(value, to, from) : value; }

struct RescaleContext {
  HWND parent;
  int from, to;
  HFONT font;
};

BOOL CALLBACK RescaleChild(HWND child, LPARAM lParam) {
  const auto& c = *reinterpret_cast<RescaleContext*>(lParam);
  if (GetParent(child) != c.parent) return TRUE;  // grandchildren move with their parent
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, c.parent, reinterpret_cast<POINT*>(&r), 2);
  const auto scale = [&](LONG v) { return MulDivRound(static_cast<int>(v), c.to, c.from); };
  SetWindowPos(child, nullptr, scale(r.left), scale(r.top), scale(r.right) - scale(r.left),
               scale(r.bottom) - scale(r.top), SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.font) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(c.font), FALSE);
  return TRUE;
}

BOOL CALLBACK ScaleColumnsOf(HWND child, LPARAM lParam) {
  const auto& c = *reinterpret_cast<RescaleContext*>(lParam);
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (GetParent(child) != c.parent || lstrcmpiW(cls, WC_LISTVIEWW) != 0) return TRUE;
  HWND header = reinterpret_cast<HWND>(SendMessageW(child, LVM_GETHEADER, 0, 0));
  const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < columns; ++i) {
    const int w = static_cast<int>(SendMessageW(child, LVM_GETCOLUMNWIDTH, i, 0));
    SendMessageW(child, LVM_SETCOLUMNWIDTH, i, MAKELPARAM(MulDivRound(w, c.to, c.from), 0));
  }
  return TRUE;
}

}  // namespace

int WindowDpi(HWND window) {
  if (window) {
    static const auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow) {
      const UINT dpi = getDpiForWindow(window);
      if (dpi > 0) return static_cast<int>(dpi);
    }
  }
  static const auto getDpiForSystem = User32<UINT(WINAPI*)()>("GetDpiForSystem");
  if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
  return ScreenDpi();
}

void AdjustFrameForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjust = User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (adjust && adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto metric = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  if (metric) return metric(index, static_cast<UINT>(dpi));
  return MulDivRound(GetSystemMetrics(index), dpi, WindowDpi(nullptr));
}

HFONT CreateUiFont(int dpi, bool bold) {
  return CreateFontW(-ScaleToDpi(12, dpi), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"宋体");
}

void RescaleChildren(HWND parent, int fromDpi, int toDpi, HFONT font) {
  RescaleContext context{parent, fromDpi, toDpi, font};
  EnumChildWindows(parent, &RescaleChild, reinterpret_cast<LPARAM>(&context));
  ScaleListColumns(parent, fromDpi, toDpi);
  InvalidateRect(parent, nullptr, TRUE);
}

void ScaleListColumns(HWND parent, int fromDpi, int toDpi) {
  if (fromDpi == toDpi) return;
  RescaleContext context{parent, fromDpi, toDpi, nullptr};
  EnumChildWindows(parent, &ScaleColumnsOf, reinterpret_cast<LPARAM>(&context));
}

}  // namespace tovr::controls::win32
