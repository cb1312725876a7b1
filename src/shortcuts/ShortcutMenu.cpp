#include "shortcuts/ShortcutMenu.h"

#include <memory>

#include "controls/MenuSlots.h"
#include "shortcuts/ShortcutEntry.h"

namespace tovr::shortcuts {

using controls::MenuItem;

void ShortcutMenu::Clear() { root_.RemoveTagged(controls::kShortcutEntryTag); }

void ShortcutMenu::CreateGroups() {
  // Each goes to the top in turn, pushing the one made before it down.
  const std::pair<const char*, const char*> groups[] = {{kFolderGroupName, kFolderGroupCaption},
                                                        {kFileGroupName, kFileGroupCaption},
                                                        {kUrlGroupName, kUrlGroupCaption}};
  for (const auto& [name, caption] : groups) {
    root_.Insert(controls::ShortcutInsertIndex(root_),
                 std::make_unique<MenuItem>(name, caption, controls::kShortcutEntryTag));
  }
}

void ShortcutMenu::SetLaterIcons(const std::function<int(const std::string& target)>& iconOf) {
  for (const auto& item : root_.Items()) {
    if (item->Tag() != controls::kShortcutEntryTag) continue;
    for (const auto& entry : item->Items()) {  // a group's entries
      if (entry->ImageIndex() == kIconLater) entry->SetImageIndex(iconOf(entry->Hint()));
    }
    if (item->ImageIndex() == kIconLater) item->SetImageIndex(iconOf(item->Hint()));
  }
}

MenuItem* ShortcutMenu::Group(const char* name) {
  for (const auto& item : root_.Items()) {
    if (item->Tag() == controls::kShortcutEntryTag && item->Name() == name) return item.get();
  }
  return nullptr;
}

void ShortcutMenu::AddItem(const std::string& name, const std::string& target, bool grouped,
                           int iconIndex) {
  auto item = std::make_unique<MenuItem>("", name, controls::kShortcutEntryTag);
  item->SetLiteralCaption(true);  // a name like "-" or "A&B" shows as typed
  item->SetImageIndex(iconIndex);
  item->SetHint(target);
  // The target is the item's hint, which never changes while the item lives.
  item->OnClick = [run = run_, target] { run(target); };
  if (!grouped) {
    root_.Insert(controls::ShortcutInsertIndex(root_), std::move(item));
    return;
  }
  MenuItem* group = nullptr;
  switch (ListedKindOf(files_, target)) {
    case TargetKind::Url: group = Group(kUrlGroupName); break;
    case TargetKind::File: group = Group(kFileGroupName); break;
    case TargetKind::Folder: group = Group(kFolderGroupName); break;
    case TargetKind::Missing: break;  // not shown in the grouped menu
  }
  if (group) group->Add(std::move(item));
}

}  // namespace tovr::shortcuts
