#include "shortcuts/ShortcutPage.h"

#include <string>
#include <unordered_map>

#include "shortcuts/ShortcutStore.h"

namespace tovr::shortcuts {

ShortcutPage::ShortcutPage(ShortcutPagePorts p, controls::MenuItem& trayMenu, std::function<void()> showShortcutPage)
    : shortcutList(ShortcutPorts{p.files, p.icons, p.links, p.messages}),
      launcher(p.files, p.shell, p.messages),
      editing(shortcutList, p.dialogs),
      desktopLinks(shortcutList, p.registry, std::move(showShortcutPage)),
      shortcutMenu(trayMenu, p.files, [this](const std::string& target) { launcher.RunTarget(target); }) {
  shortcutList.OnChange = [this] { shortcutsChanged = true; };
}

void ShortcutPage::Load(TSettingsFile& settings) { LoadShortcuts(shortcutList, settings); }

void ShortcutPage::Save(TSettingsFile& settings, bool grouped, const MenuHooks& hooks) {
  shortcutList.SortShortcuts();
  hooks.clear();
  if (grouped) hooks.createGroups();
  WriteShortcuts(shortcutList, settings, [&](const ShortcutEntry& e) { hooks.addItem(e, grouped); });
}

std::vector<ShortcutMenuRow> ShortcutPage::Rows() const {
  std::vector<ShortcutMenuRow> rows;
  rows.reserve(shortcutList.Count());
  for (std::size_t i = 0; i < shortcutList.Count(); ++i)
    rows.push_back({shortcutList[i].name, shortcutList[i].target, shortcutList[i].iconIndex});
  return rows;
}

void ShortcutPage::LookUpLaterIcons() {
  shortcutList.LookUpLaterIcons();
  std::unordered_map<std::string, int> icons;  // by target, which is unique in the list
  for (std::size_t i = 0; i < shortcutList.Count(); ++i) icons[shortcutList[i].target] = shortcutList[i].iconIndex;
  shortcutMenu.SetLaterIcons([&icons](const std::string& target) {
    const auto it = icons.find(target);
    return it == icons.end() ? kMissingIconIndex : it->second;
  });
}

void ShortcutPage::SelectRow(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < shortcutList.Count()) {
    shortcutList.SelectOnly(static_cast<std::size_t>(index));
  }
}

}  // namespace tovr::shortcuts
