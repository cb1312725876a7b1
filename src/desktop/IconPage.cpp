#include "desktop/IconPage.h"

#include <cstdio>

#include "desktop/IconArrangement.h"

namespace tovr::desktop {

std::string RgbLabelText(std::uint32_t colour, ISystemColours& systemColours) {
  if (colour & 0x80000000u) colour = systemColours.Colour(static_cast<int>(colour & 0xFF));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "RGB: %3u,%3u,%3u", colour & 0xFF, (colour >> 8) & 0xFF, colour / 65536);
  return buffer;
}

IconPage::IconPage(IconPagePorts p, controls::MenuItem& hideIconsItem, const bool& activeDesktopOn)
    : listView_(p.listView),
      colourDialog_(p.colourDialog),
      systemColours_(p.systemColours),
      hideIconsItem_(hideIconsItem),
      icons_(p.listView, p.registry, p.activeDesktop, activeDesktopOn),
      layouts_({p.listView, p.files, p.messages, std::move(p.title), std::move(p.layoutPath)}) {
  // The form's design state, set before any handler is connected.
  transparentTextBackBox.SetChecked(true);
  iconStyleNoneRadio.SetChecked(true);
  autoRestoreLayout.SetChecked(true);
  iconRefreshSeconds.SetEnabled(false);
  circleRadius.SetIncrement(10);
  ellipseRatio.SetIncrement(10);
  iconRefreshBox.SetHint("当桌面图标背景色透明时建议选定此项");
}

std::vector<controls::Control*> IconPage::Controls() {
  return {&iconTextColourLabel,
          &iconTextColourSwatch,
          &iconTextRgbLabel,
          &iconTextBackColourLabel,
          &iconTextBackColourSwatch,
          &iconTextBackRgbLabel,
          &transparentTextBackBox,
          &iconRefreshBox,
          &iconRefreshSeconds,
          &hideIconsBox,
          &autoRestoreLayout,
          &iconStyleNoneRadio,
          &iconStyleLeftRadio,
          &iconStyleRightRadio,
          &iconStyleTopRadio,
          &iconStyleBottomRadio,
          &iconStyleEllipsesRadio,
          &circleRadiusLabel,
          &circleRadius,
          &ellipseRatioLabel,
          &ellipseRatio,
          &ringCountLabel,
          &ringCount};
}

// Nothing reaches the desktop until the next save, tick or refresh.
void IconPage::PickColour(controls::ColorPanel& panel, controls::Label& label) {
  if (const std::optional<std::uint32_t> chosen = colourDialog_.Choose(panel.Color())) {
    panel.SetColor(*chosen);
    label.SetCaption(RgbLabelText(*chosen));
  }
}

void IconPage::OnIconTextColourClicked() { PickColour(iconTextColourSwatch, iconTextRgbLabel); }
void IconPage::OnIconTextBackColourClicked() { PickColour(iconTextBackColourSwatch, iconTextBackRgbLabel); }

// A transparent caption background needs the periodic re-apply; without it the box goes off.
void IconPage::OnTransparentTextBackClicked() {
  if (!iconRefreshBox.Checked()) {
    transparentTextBackBox.SetChecked(false);
    iconRefreshSeconds.SetEnabled(false);
  }
}

void IconPage::OnIconRefreshClicked() { iconRefreshSeconds.SetEnabled(iconRefreshBox.Checked()); }

// Nothing moves until the next ApplyIconStyle; the circle's parameters count only for style 5.
void IconPage::OnIconStyleClicked(const controls::RadioButton& button) {
  iconStyle = button.Tag();
  const bool circle = iconStyle == kStyleEllipses;
  circleRadius.SetEnabled(circle);
  ellipseRatio.SetEnabled(circle);
  ringCount.SetEnabled(circle);
}

void IconPage::OnIconRefreshTimer() {
  icons_.RefreshIconColours(iconTextColourSwatch.Color(), iconTextBackColourSwatch.Color(),
                            transparentTextBackBox.Checked());
}

void IconPage::OnHideIconsItemClicked() {
  hideIconsItem_.SetChecked(!hideIconsItem_.Checked());
  SetDesktopIconsHidden(hideIconsItem_.Checked(), true);
  hideIconsBox.SetChecked(hideIconsItem_.Checked());
}

void IconPage::OnSaveIconLayoutItemClicked() { layouts_.Save(); }

void IconPage::OnRestoreIconLayoutItemClicked() {
  if (layouts_.Restore()) ApplyIconColours();
}

void IconPage::OnDesktopSizeChanged() {
  if (!autoRestoreLayout.Checked()) return;
  layoutRestoreDelayTimer.SetEnabled(false);
  layoutRestoreDelayTimer.SetEnabled(true);
}

void IconPage::OnLayoutRestoreDelayTimer() {
  layoutRestoreDelayTimer.SetEnabled(false);
  if (autoRestoreLayout.Checked() && iconStyleNoneRadio.Checked() && layouts_.RestoreAfterSizeChange())
    ApplyIconColours();
}

void IconPage::ApplyIconStyle() {
  if (iconStyle >= kStyleLeft && iconStyle <= kStyleEllipses) {
    const int count = listView_.ItemCount();
    const std::vector<IconPlacement> placements =
        ArrangeIcons(iconStyle, listView_.PrimaryWorkArea(), count,
                     {ringCount.Value(), circleRadius.Value(), ellipseRatio.Value()}, listView_.Dpi());
    if (!placements.empty()) listView_.MoveItems(placements);
  }
  ApplyIconColours();
}

void IconPage::ApplyIconColours() {
  icons_.ApplyIconColours(iconTextColourSwatch.Color(), iconTextBackColourSwatch.Color(),
                          transparentTextBackBox.Checked());
}

void IconPage::RestartRefreshTimer() {
  iconRefreshTimer.SetInterval(static_cast<unsigned>(iconRefreshSeconds.Value()) * 1000u);
  iconRefreshTimer.SetEnabled(iconRefreshSeconds.Value() >= 1 && iconRefreshBox.Checked());
}

}  // namespace tovr::desktop
