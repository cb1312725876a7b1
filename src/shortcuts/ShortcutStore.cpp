#include "shortcuts/ShortcutStore.h"

#include <string>
#include <utility>
#include <vector>

namespace tovr::shortcuts {

void LoadShortcuts(ShortcutList& list, TSettingsFile& settings) {
  TSettingsFile::Operation op = settings.BeginOperation();
  auto entries = settings.SectionEntries(kAppsSection);
  list.Clear();
  list.Reserve(entries.size());
  for (auto& [name, target] : entries) list.AddShortcut(std::move(name), std::move(target), false);
  if (!list.Empty()) list.SortShortcuts();
  op.Commit();
}

void WriteShortcuts(const ShortcutList& list, TSettingsFile& settings,
                    const std::function<void(const ShortcutEntry&)>& afterRow) {
  TSettingsFile::Operation op = settings.BeginOperation();
  settings.ClearSection(kAppsSection);
  for (std::size_t i = list.Count(); i-- > 0;) {
    const ShortcutEntry& e = list[i];
    if (!e.name.empty()) settings.PutText(kAppsSection, e.name, e.target);
    if (afterRow) afterRow(e);
  }
  op.Commit();
}

}  // namespace tovr::shortcuts
