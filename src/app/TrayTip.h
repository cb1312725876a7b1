// The tray icon's tooltip text. The icon record is filled with the wide call, whose tooltip
// field holds 128 UTF-16 units with the terminator, so the hint is cut to 127 units (where the
// 8-bit call cut it to 127 bytes), never inside a surrogate pair.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovr::app {

inline constexpr std::size_t kTrayTipCapacity = 128;  // UTF-16 units, terminator included
inline constexpr char kInitialTrayHint[] = "Tovrane";  // the tip until the memory monitor sets its own

// The text for the record's tooltip field: empty (all zero) when the hint is empty or hints are
// not shown; otherwise the hint (UTF-8) in UTF-16, at most kTrayTipCapacity - 1 units.
std::u16string TrayTipText(std::string_view hint, bool showHint);

}  // namespace tovr::app
