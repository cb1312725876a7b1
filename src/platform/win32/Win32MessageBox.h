// IMessageBox on MessageBoxW. The box is owned by the main window while it is visible, so it
// stays in front of it; otherwise it has no owner (the program lives in the tray).
#pragma once

#include <windows.h>

#include <functional>

#include "platform/MessageBox.h"

namespace tovr {

class Win32MessageBox final : public IMessageBox {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override;

  // The window that owns the boxes while it is visible (the main window).
  HWND owner = nullptr;
};

}  // namespace tovr
