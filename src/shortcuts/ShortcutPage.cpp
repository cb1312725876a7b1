#include "shortcuts/ShortcutPage.h"

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

void ShortcutPage::SelectRow(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < shortcutList.Count()) {
    shortcutList.SelectOnly(static_cast<std::size_t>(index));
  }
}

}  // namespace tovr::shortcuts
