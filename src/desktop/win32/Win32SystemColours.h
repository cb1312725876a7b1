// ISystemColours on the real system: GetSysColor.
#pragma once

#include "desktop/DesktopPorts.h"

namespace tovr::desktop::win32 {

class Win32SystemColours final : public ISystemColours {
 public:
  std::uint32_t Colour(int index) override;
};

}  // namespace tovr::desktop::win32
