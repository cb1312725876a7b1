#include "desktop/DesktopIcons.h"

namespace tovr::desktop {

void DesktopIcons::ApplyIconColours(std::uint32_t text, std::uint32_t background, bool transparent) {
  listView_.SetTextColours(text, transparent ? kColourNone : background);
  listView_.RedrawItems(0, listView_.ItemCount());
}

void DesktopIcons::RefreshIconColours(std::uint32_t text, std::uint32_t background, bool transparent) {
  const std::optional<IDesktopListView::Colours> now = listView_.TextColours();
  if (!now || *now == IDesktopListView::Colours{text, transparent ? kColourNone : background}) return;
  ApplyIconColours(text, background, transparent);
}

void DesktopIcons::SetDesktopIconsHidden(bool hidden, bool refreshNow) {
  registry_.Create(RegRoot::CurrentUser, kAdvancedKey)->WriteDword("HideIcons", hidden ? 1 : 0);
  registry_.Create(RegRoot::CurrentUser, kComponentsKey)->WriteDword("GeneralFlags", hidden ? 0 : 1);
  if (!activeDesktopOn_) {
    listView_.Show(!hidden);
  } else if (refreshNow) {
    activeDesktop_.ApplyChanges(kAdApplyAll | kAdApplyForce);
  }
}

bool DesktopIcons::DesktopIconsVisible() {
  if (!activeDesktopOn_) {
    if (const std::optional<bool> visible = listView_.Visible()) return *visible;
  }
  return !HideIconsSet();
}

// Only a four-byte number 1 counts; a value of another type is no error here.
bool DesktopIcons::HideIconsSet() {
  const auto key = registry_.Open(RegRoot::CurrentUser, kAdvancedKey, RegOpen::ReadOnly);
  if (!key) return false;
  const std::optional<RegValue> value = key->Read("HideIcons");
  return value && value->type == RegType::Dword && value->data == RegValue::FromDword(1).data;
}

}  // namespace tovr::desktop
