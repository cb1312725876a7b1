#include "platform/win32/WindowAlpha.h"

#include <set>

namespace tovr {

namespace {

// The windows this process made layered: only these lose the style again at alpha 255.
std::set<HWND>& MadeLayered() {
  static std::set<HWND> windows;
  return windows;
}

// The previous style can be 0, so a failure shows only in the last error.
bool SetStyle(HWND window, LONG_PTR style) {
  SetLastError(0);
  return SetWindowLongPtrW(window, GWL_EXSTYLE, style) != 0 || GetLastError() == 0;
}

}  // namespace

bool SetWindowAlpha(HWND window, int alpha) {
  using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return false;
  auto setLayered = reinterpret_cast<SetLayered>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  if (!setLayered || !window) return false;
  const BYTE value = static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const bool ours = MadeLayered().count(window) > 0;
  if (value == 255 && (ours || !(style & WS_EX_LAYERED))) {
    // Opaque again: the style goes where we added it, and is never added for an opaque window.
    if (ours && !SetStyle(window, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED))) return false;
    MadeLayered().erase(window);
    return true;
  }
  if (!(style & WS_EX_LAYERED)) {
    if (!SetStyle(window, style | WS_EX_LAYERED)) return false;
    MadeLayered().insert(window);
  }
  return setLayered(window, 0, value, LWA_ALPHA) != FALSE;
}

}  // namespace tovr
