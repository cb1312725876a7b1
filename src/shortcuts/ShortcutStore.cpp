#include "shortcuts/ShortcutStore.h"

#include <string>
#include <vector>

namespace tovr::shortcuts {

void LoadShortcuts(ShortcutList& list, TSettingsFile& settings) {
  TSettingsFile::Operation op = settings.BeginOperation();
  const std::vector<std::string> keys = settings.SectionKeys(kAppsSection);
  list.Clear();
  list.Reserve(keys.size());
  for (const std::string& key : keys) {
    list.AddShortcut(key, settings.GetText(kAppsSection, key, ""), false);
  }
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
