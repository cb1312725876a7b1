// The two places of the tray menu where tools put items at run time, marked by their tag:
// shortcut entries and group submenus at the very top (tag 3), one entry per visible top-level
// window at the end of the transparency submenu (tag 5). Fixed items have tag 0. A tool fills
// its slot through these helpers and never needs the menu's fixed layout.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "controls/MenuItem.h"

namespace tovr::controls {

inline constexpr int kShortcutEntryTag = 3;
inline constexpr int kWindowEntryTag = 5;

// Where a shortcut entry or a group submenu is inserted: position 0, the very top. The callers
// add the rows from the last to the first, so the menu lists them in list order above shortcutsSeparatorItem.
std::size_t ShortcutInsertIndex(const MenuItem& root);
// Position of the first fixed item (shortcutsSeparatorItem): the number of inserted items above it.
std::size_t FixedItemsStart(const MenuItem& root);

// The window-list part of opening the menu (OnTrayMenuOpening): removes transparencyItem's tag-5 items, then
// appends one per title in order, caption = the title, hint = its index in decimal, tag 5; a
// click calls onPick with that index.
void RefreshWindowEntries(MenuItem& transparencySubmenu, const std::vector<std::string>& windowTitles,
                          std::function<void(int)> onPick);

}  // namespace tovr::controls
