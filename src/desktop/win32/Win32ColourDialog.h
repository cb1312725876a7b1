// The colour dialog: the system's colour dialog (ChooseColor), fully opened so that a colour can be
// given by its red, green and blue numbers, preset to the panel's colour. The sixteen custom
// colours live as long as the adapter.
#pragma once

#include <windows.h>

#include <array>

#include "desktop/DesktopPorts.h"

namespace tovr::desktop::win32 {

class Win32ColourDialog final : public IColourDialog {
 public:
  std::optional<std::uint32_t> Choose(std::uint32_t colour) override;
  HWND owner = nullptr;

 private:
  std::array<COLORREF, 16> custom_ = [] {
    std::array<COLORREF, 16> white{};
    white.fill(RGB(255, 255, 255));
    return white;
  }();
};

}  // namespace tovr::desktop::win32
