#include "desktop/win32/Win32ColourDialog.h"

#include <commdlg.h>

#include "platform/win32/LateBound.h"

namespace tovr::desktop::win32 {

std::optional<std::uint32_t> Win32ColourDialog::Choose(std::uint32_t colour) {
  // A system colour (top bit set) starts the dialog at its present RGB value.
  const COLORREF initial = (colour & 0x80000000u) ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour;
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = initial;
  cc.lpCustColors = custom_.data();
  cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!TOVR_LATE(comdlg32, ChooseColorW)(&cc)) return std::nullopt;
  return static_cast<std::uint32_t>(cc.rgbResult);
}

}  // namespace tovr::desktop::win32
