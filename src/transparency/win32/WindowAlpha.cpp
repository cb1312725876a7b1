#include "transparency/win32/WindowAlpha.h"

namespace tovr::transparency::win32 {

bool SetWindowAlpha(HWND window, int alpha) {
  using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (!user32) return false;
  auto setLayered = reinterpret_cast<SetLayered>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
  if (!setLayered || !window) return false;
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  SetWindowLongPtrW(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
  const BYTE value = static_cast<BYTE>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
  return setLayered(window, 0, value, LWA_ALPHA) != FALSE;
}

}  // namespace tovr::transparency::win32
