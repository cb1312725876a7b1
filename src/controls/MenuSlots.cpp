#include "controls/MenuSlots.h"

#include <memory>

namespace tovr::controls {

std::size_t ShortcutInsertIndex(const MenuItem&) { return 0; }

std::size_t FixedItemsStart(const MenuItem& root) {
  const auto& items = root.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i]->Name() == "shortcutsSeparatorItem") return i;
  }
  return items.size();
}

void RefreshWindowEntries(MenuItem& transparencySubmenu, const std::vector<std::string>& windowTitles,
                          std::function<void(int)> onPick) {
  transparencySubmenu.RemoveTagged(kWindowEntryTag);
  for (std::size_t i = 0; i < windowTitles.size(); ++i) {
    auto entry = std::make_unique<MenuItem>("", windowTitles[i], kWindowEntryTag);
    entry->SetLiteralCaption(true);  // a window's title as it stands
    entry->SetHint(std::to_string(i));
    const int index = static_cast<int>(i);
    entry->OnClick = [onPick, index] {
      if (onPick) onPick(index);
    };
    transparencySubmenu.Add(std::move(entry));
  }
}

}  // namespace tovr::controls
