// The rules that pick windows: which windows are the Start menu and the taskbars, and which
// windows the window list shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "transparency/ListedWindows.h"
#include "transparency/WindowSystem.h"

namespace tovr::transparency {

// A Start menu window: its class name read into an 8-character buffer (so its first 7
// characters) equals "BaseBar", ASCII letter case ignored. "BaseBarX" counts, "BaseBa" does not.
bool IsStartMenuClass(std::string_view className);

// A taskbar: "Shell_TrayWnd", or "Shell_SecondaryTrayWnd" on each further monitor (class
// names compare without regard to letter case, as Windows compares them).
bool IsTaskbarClass(std::string_view className);

// The window list: walks the top-level windows in Z order from the topmost; each visible one
// with a title that is not cloaked is a line, its handle the table's next entry. When the walk ends, the last line
// (the lowest such window, the desktop) is dropped; its entry stays but cannot be chosen.
// Beyond the table's 201 entries further windows are not listed; the lowest window was then
// never listed, so no line is dropped. The walk stops after kMaxWalk windows, so a Z order that
// changes under it cannot keep it going forever.
inline constexpr int kMaxWalk = 65536;
std::vector<std::string> ListVisibleWindows(IWindowSystem& windows, ListedWindows& table);

}  // namespace tovr::transparency
