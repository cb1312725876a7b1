#include "desktop/win32/Win32SystemColours.h"

#include <windows.h>

namespace tovr::desktop::win32 {

std::uint32_t Win32SystemColours::Colour(int index) { return GetSysColor(index); }

}  // namespace tovr::desktop::win32
