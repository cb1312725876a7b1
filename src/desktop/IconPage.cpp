#include "desktop/IconPage.h"

#include <cstdio>

#include "desktop/IconArrangement.h"

namespace tovr::desktop {

std::string RgbLabelText(std::uint32_t colour, const std::function<std::uint32_t(int)>& systemColour) {
  if ((colour & 0x80000000u) && systemColour) colour = systemColour(static_cast<int>(colour & 0xFF));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "RGB: %3u,%3u,%3u", colour & 0xFF, (colour >> 8) & 0xFF, colour / 65536);
  return buffer;
}

IconPage::IconPage(IconPagePorts p, controls::MenuItem& m202, const bool& activeDesktopOn)
    : listView_(p.listView),
      colourDialog_(p.colourDialog),
      systemColour_(std::move(p.systemColour)),
      m202_(m202),
      icons_(p.listView, p.registry, p.activeDesktop, activeDesktopOn),
      layouts_({p.listView, p.files, p.messages, std::move(p.title), std::move(p.layoutPath)}) {
  // The form's design state, set before any handler is connected.
  C4.SetChecked(true);
  R0.SetChecked(true);
  autoRestoreLayout.SetChecked(true);
  SpinEdit4.SetEnabled(false);
  SpinEdit1.SetIncrement(10);
  SpinEdit2.SetIncrement(10);
  CheckBox2.SetHint("当桌面图标背景色透明时建议选定此项");
}

std::vector<controls::Control*> IconPage::Controls() {
  return {&L5, &PnlFC, &LBLFC, &L6, &PnlBC, &LBLBC, &C4, &CheckBox2, &SpinEdit4, &CKHideIcon, &autoRestoreLayout,
          &R0, &R1, &R2, &R3, &R4, &R5, &L3, &SpinEdit1, &L4, &SpinEdit2, &Label11, &SpinEdit7};
}

// Nothing reaches the desktop until the next save, tick or refresh.
void IconPage::PickColour(controls::ColorPanel& panel, controls::Label& label) {
  if (const std::optional<std::uint32_t> chosen = colourDialog_.Choose(panel.Color())) {
    panel.SetColor(*chosen);
    label.SetCaption(RgbLabelText(*chosen));
  }
}

void IconPage::PnlFCClick() { PickColour(PnlFC, LBLFC); }
void IconPage::PnlBCClick() { PickColour(PnlBC, LBLBC); }

// A transparent caption background needs the periodic re-apply; without it the box goes off.
void IconPage::C4Click() {
  if (!CheckBox2.Checked()) {
    C4.SetChecked(false);
    SpinEdit4.SetEnabled(false);
  }
}

void IconPage::CheckBox2Click() { SpinEdit4.SetEnabled(CheckBox2.Checked()); }

// Nothing moves until the next ApplyIconStyle; the circle's parameters count only for style 5.
void IconPage::RClick(const controls::RadioButton& button) {
  iconStyle = button.Tag();
  const bool circle = iconStyle == kStyleEllipses;
  SpinEdit1.SetEnabled(circle);
  SpinEdit2.SetEnabled(circle);
  SpinEdit7.SetEnabled(circle);
}

void IconPage::TimerIconTimer() { icons_.RefreshIconColours(PnlFC.Color(), PnlBC.Color(), C4.Checked()); }

void IconPage::m202Click() {
  m202_.SetChecked(!m202_.Checked());
  SetDesktopIconsHidden(m202_.Checked(), true);
  CKHideIcon.SetChecked(m202_.Checked());
}

void IconPage::SaveIconLayoutClick() { layouts_.Save(); }

void IconPage::RestoreIconLayoutClick() {
  if (layouts_.Restore()) ApplyIconColours();
}

void IconPage::DisplayChanged() {
  if (!autoRestoreLayout.Checked()) return;
  layoutRestoreDelay.SetEnabled(false);
  layoutRestoreDelay.SetEnabled(true);
}

void IconPage::LayoutRestoreDelayTimer() {
  layoutRestoreDelay.SetEnabled(false);
  if (autoRestoreLayout.Checked() && R0.Checked() && layouts_.RestoreAfterSizeChange()) ApplyIconColours();
}

void IconPage::ApplyIconStyle() {
  if (iconStyle >= kStyleLeft && iconStyle <= kStyleEllipses) {
    const int count = listView_.ItemCount();
    const std::vector<IconPlacement> placements = ArrangeIcons(
        iconStyle, listView_.PrimaryWorkArea(), count, {SpinEdit7.Value(), SpinEdit1.Value(), SpinEdit2.Value()},
        listView_.Dpi());
    if (!placements.empty()) listView_.MoveItems(placements);
  }
  ApplyIconColours();
}

void IconPage::ApplyIconColours() { icons_.ApplyIconColours(PnlFC.Color(), PnlBC.Color(), C4.Checked()); }

void IconPage::RestartRefreshTimer() {
  TimerIcon.SetInterval(static_cast<unsigned>(SpinEdit4.Value()) * 1000u);
  TimerIcon.SetEnabled(SpinEdit4.Value() >= 1 && CheckBox2.Checked());
}

}  // namespace tovr::desktop
