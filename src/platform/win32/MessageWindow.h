// A message-only window that stands for an object of the user-interface thread: work done
// elsewhere (a worker thread, a call that must return first) is posted to it, and its procedure
// finds the object again.
#pragma once

#include <windows.h>

namespace tovr {

// Registers `className` with `procedure` (once is enough; a second registration fails quietly)
// and makes the window, with `owner` kept for MessageWindowOwner. Null when that fails.
inline HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, void* owner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return window;
}

// The object the window stands for; null once it was let go (SetWindowLongPtrW to 0).
template <typename Owner>
Owner* MessageWindowOwner(HWND window) {
  return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace tovr
