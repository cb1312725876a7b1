#include "shortcuts/ShortcutPage.h"

#include "shortcuts/ShortcutStore.h"

namespace tovr::shortcuts {

ShortcutPage::ShortcutPage(ShortcutPagePorts p, controls::MenuItem& trayMenu,
                           std::function<void()> showShortcutPage)
    : LV(ShortcutPorts{p.files, p.icons, p.links, p.messages}),
      launcher(p.files, p.shell, p.messages),
      editing(LV, p.dialogs),
      desktopLinks(LV, p.registry, std::move(showShortcutPage)),
      shortcutMenu(trayMenu, p.files, [this](const std::string& target) { launcher.RunTarget(target); }) {
  LV.OnChange = [this] { shortcutsChanged = true; };
}

void ShortcutPage::Load(TSettingsFile& settings) { LoadShortcuts(LV, settings); }

void ShortcutPage::Save(TSettingsFile& settings, bool grouped, const MenuHooks& hooks) {
  LV.SortShortcuts();
  hooks.clear();
  if (grouped) hooks.createGroups();
  WriteShortcuts(LV, settings, [&](const ShortcutEntry& e) { hooks.addItem(e, grouped); });
}

std::vector<ShortcutMenuRow> ShortcutPage::Rows() const {
  std::vector<ShortcutMenuRow> rows;
  rows.reserve(LV.Count());
  for (std::size_t i = 0; i < LV.Count(); ++i) rows.push_back({LV[i].name, LV[i].target, LV[i].iconIndex});
  return rows;
}

void ShortcutPage::SelectRow(int index) {
  if (index >= 0 && static_cast<std::size_t>(index) < LV.Count()) {
    LV.SelectOnly(static_cast<std::size_t>(index));
  }
}

}  // namespace tovr::shortcuts
