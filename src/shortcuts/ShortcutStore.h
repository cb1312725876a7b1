// The section [Apps] of the settings file: one line per shortcut, the name as key and the
// target as value, written from the last row to the first and read in file order.
#pragma once

#include <functional>

#include "settings/SettingsFile.h"
#include "shortcuts/ShortcutList.h"

namespace tovr::shortcuts {

inline constexpr char kAppsSection[] = "Apps";

// Empties the list and adds every key of [Apps] in file order with AddShortcut(key, value,
// false) (duplicates refused one by one with the check's message); sorts when not empty. Reads
// the file once.
void LoadShortcuts(ShortcutList& list, TSettingsFile& settings);

// Clears [Apps] and writes the rows from the last to the first, calling `afterRow` with each
// row after its line is put (the tray menu entries are built there). A row whose (derived)
// name is empty has no key to be stored under: it is not written, so it cannot merge with or
// replace another line; it still gets its `afterRow`. Writes the file once; a failed write
// throws tovr::Error "Unable to write to <path>". Does not sort.
void WriteShortcuts(const ShortcutList& list, TSettingsFile& settings,
                    const std::function<void(const ShortcutEntry&)>& afterRow);

}  // namespace tovr::shortcuts
