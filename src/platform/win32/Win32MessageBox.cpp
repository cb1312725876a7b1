#include "platform/win32/Win32MessageBox.h"

#include "base/win32/Wide.h"

namespace tovr {

int Win32MessageBox::Show(const std::string& text, const std::string& caption, unsigned flags) {
  HWND parent = owner && IsWindowVisible(owner) ? owner : nullptr;
  return MessageBoxW(parent, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

}  // namespace tovr
