// LoadSettings (start-up step 20) and the save button OnSaveButtonClicked: the [Option] section of
// Config.ini to and from the controls. Each reads and writes the file once (one settings
// operation); a write that fails stops it at that key, keys put before it are still written.
// The save's system steps (the toggles, the startup entries, the wallpaper) are different:
// Windows may refuse one of them, and the save then goes on and reports the refusal at its end.
//
// Keys are read in one of two ways: only when present (a missing key leaves the control as it
// is; a present but non-numeric one gives the "bad value" default), or always (one default for
// missing and bad). Setting a control runs its handler when the value changes, exactly as a
// user's change would, which is how the load switches features on.
#include <cstdint>

#include "app/AppTitle.h"
#include "app/HotKey.h"
#include "app/MainForm.h"
#include "app/SaveRefusals.h"

namespace tovr::app {

namespace {

constexpr std::string_view kOption = "Option";

// The reads of one load, against the open settings operation.
class OptionReader {
 public:
  explicit OptionReader(TSettingsFile& file) : file_(file) {}

  bool Present(std::string_view key) { return file_.HasKey(kOption, key); }

  void FlagIfPresent(std::string_view key, controls::CheckBox& box, bool bad) {
    if (Present(key)) box.SetChecked(file_.GetFlag(kOption, key, bad));
  }
  void NumberIfPresent(std::string_view key, controls::RangeControl& control, int bad) {
    if (Present(key)) control.SetValue(file_.GetNumber(kOption, key, bad));
  }
  void Flag(std::string_view key, controls::CheckBox& box, bool def) {
    box.SetChecked(file_.GetFlag(kOption, key, def));
  }
  void Number(std::string_view key, controls::RangeControl& control, int def) {
    control.SetValue(file_.GetNumber(kOption, key, def));
  }
  std::int32_t Number(std::string_view key, std::int32_t def) {
    return file_.GetNumber(kOption, key, def);
  }
  std::string Text(std::string_view key) { return file_.GetText(kOption, key, ""); }

 private:
  TSettingsFile& file_;
};

}  // namespace

void TKWForm::LoadSettings() {
  TSettingsFile::Operation op = settings.BeginOperation();
  OptionReader in(settings);

  // 1. The first run leaves its marker, which creates the file.
  if (!settings.Exists()) settings.PutText(kOption, "Greeting", "Thank");

  // 2-5. Wallpaper: ticking transitionAnimationBox ticks timedChangeBox, unticks randomOrderBox and enables
  // transitionEffectCombo and intervalMinutes.
  wallpaperPage.LoadOptions(settings);

  // 5-6. Icon arrangement and caption colours.
  in.NumberIfPresent("IconR", iconPage.circleRadius, 300);
  in.NumberIfPresent("Ratio", iconPage.ellipseRatio, 100);
  in.NumberIfPresent("Cycles", iconPage.ringCount, 1);
  if (in.Present("IconFC"))
    iconPage.iconTextColourSwatch.SetColor(static_cast<std::uint32_t>(in.Number("IconFC", 16777215)));
  iconPage.iconTextRgbLabel.SetCaption(RgbLabelText(iconPage.iconTextColourSwatch.Color()));
  if (in.Present("IconBC"))
    iconPage.iconTextBackColourSwatch.SetColor(static_cast<std::uint32_t>(in.Number("IconBC", -1)));
  iconPage.iconTextBackRgbLabel.SetCaption(RgbLabelText(iconPage.iconTextBackColourSwatch.Color()));
  in.FlagIfPresent("IconTrans", iconPage.transparentTextBackBox, true);
  if (in.Present("IconStyle")) iconPage.iconStyle = in.Number("IconStyle", 0);

  // 7-8. Translucency: the boxes' handlers apply the alphas.
  in.FlagIfPresent("Transparent", translucentWindowBox, false);
  in.NumberIfPresent("Transparence", windowAlphaEdit, 255);
  in.FlagIfPresent("TBTransparent", transparencyPage.translucentTaskbarBox, false);
  in.FlagIfPresent("MUTransparent", transparencyPage.translucentStartMenuBox, false);
  in.NumberIfPresent("transTaskBar", transparencyPage.taskbarAlphaEdit, 255);
  in.NumberIfPresent("transMenu", transparencyPage.startMenuAlphaEdit, 255);

  // 9. Grouped tray menu.
  in.FlagIfPresent("SortMenu", groupedMenuBox, true);

  // 10-12. Periodic caption refresh and hiding of the desktop icons.
  in.Flag("AutoRefIcon", iconPage.iconRefreshBox, true);
  iconPage.iconRefreshSeconds.SetEnabled(iconPage.iconRefreshBox.Checked());
  in.Number("RefIconDelay", iconPage.iconRefreshSeconds, 5);
  in.Flag("RestoreIconLayout", iconPage.autoRestoreLayout, true);
  in.Flag("HideIcons", iconPage.hideIconsBox, false);
  SetDesktopIconsHidden(iconPage.hideIconsBox.Checked(), true);
  MenuItemNamed("hideIconsItem").SetChecked(iconPage.hideIconsBox.Checked());
  in.Flag("AnimateIcon", animatedIconBox, false);

  // 13. The defragmenter's range: all of physical memory.
  const auto totalMiB = static_cast<int>(ports.env.TotalPhysicalMemory() >> 20);
  memoryPage.defragmentSizeSlider.SetMax(totalMiB + 1);
  memoryPage.defragmentSizeSlider.SetValue(memoryPage.defragmentSizeSlider.Max());

  // 14. Proxy.
  in.Flag("UseProxy", useProxyBox, false);
  proxyHostEdit.SetText(in.Text("ProxyIP"));
  proxyPortEdit.SetText(in.Text("ProxyPort"));
  proxyHostEdit.SetEnabled(useProxyBox.Checked());
  proxyPortEdit.SetEnabled(useProxyBox.Checked());

  // 15. Memory thresholds; the sliders' handlers rewrite their captions.
  in.Number("MemRange", memoryPage.defragmentSizeSlider, memoryPage.defragmentSizeSlider.Value());
  in.Number("MemLimitV", memoryPage.memoryLimitSlider, 10);
  in.Number("CPULimitV", memoryPage.cpuLimitSlider, 10);
  in.Flag("MemLimit", memoryPage.memoryLimitBox, false);
  in.Flag("CPULimit", memoryPage.cpuLimitBox, false);

  // 16. Automatic update check.
  in.Flag("AutoUpdate", autoUpdateBox, true);
  updateCheck.updateTimer.SetEnabled(autoUpdateBox.Checked());
  updateCheck.updateUrl = in.Text("UpdateUrl");  // a full https URL of the version file; never saved
  updateCheck.updateKey = in.Text("UpdateKey");  // the version files' public key; never saved

  // 17. Periodic caption refresh timer.
  iconPage.RestartRefreshTimer();

  // 18. The menu's hotkey: absent or not a hotkey, the default.
  menuHotKey.SetValue(
      HotKeyFromSetting(in.Present("HotKey") ? TSettingsFile::ParseNumber(in.Text("HotKey")) : std::nullopt));

  op.Commit();
  ApplyMenuHotKey();
}

void TKWForm::ApplyMenuHotKey() {
  const auto value = static_cast<std::uint16_t>(menuHotKey.Value());
  if (menuHotKeyTried == value) return;  // held, or refused and said once
  menuHotKeyTried = value;
  if (!ports.ui.SetMenuHotKey(value)) {
    ports.messages.Show(HotKeyTakenText(value), ApplicationTitle(exePath), kMbOk | kMbIconExclamation);
  }
}

void TKWForm::OnSaveButtonClicked() {
  TSettingsFile::Operation op = settings.BeginOperation();
  SaveRefusals refused;  // shown at the end; every step runs whatever Windows refuses
  auto putFlag = [this](std::string_view key, bool on) { settings.PutFlag(kOption, key, on); };
  auto putNumber = [this](std::string_view key, std::int32_t n) {
    settings.PutNumber(kOption, key, n);
  };

  // 1-2. The shortcut list and the tray menu's shortcut entries.
  groupedMenu = groupedMenuBox.Checked();
  if (shortcutPage.shortcutsChanged) SaveShortcuts(groupedMenu);

  // 3. Wallpaper schedule and list (group W).
  if (wallpaperPage.wallpaperChanged) {
    wallpaperPage.SaveSchedule(settings);  // the schedule keys, the new interval, wallpaperTimer
    SaveWallpaperList();  // clears [Pics] and writes the list into it
  }

  // 4. The settings page (group S), written once it has been shown.
  if (settingsVisited) {
    putFlag("Transparent", translucentWindowBox.Checked());
    putFlag("TBTransparent", transparencyPage.translucentTaskbarBox.Checked());
    putFlag("MUTransparent", transparencyPage.translucentStartMenuBox.Checked());
    putNumber("transparence", windowAlphaEdit.Value());  // the same key as the load's "Transparence"
    putNumber("transTaskBar", transparencyPage.taskbarAlphaEdit.Value());
    putNumber("transMenu", transparencyPage.startMenuAlphaEdit.Value());
    putFlag("SortMenu", groupedMenuBox.Checked());
    putFlag("AutoUpdate", autoUpdateBox.Checked());
    updateCheck.updateTimer.SetEnabled(autoUpdateBox.Checked());
    putNumber("HotKey", menuHotKey.Value());
    ApplyMenuHotKey();
    // Each toggle only when the user changed it.
    const auto apply = [&refused](const controls::CheckBox& box, bool& stored,
                                  const std::function<void(bool)>& write) {
      const bool wanted = box.Checked();
      if (wanted != stored && refused.Run(box.Caption(), [&] { write(wanted); })) stored = wanted;
    };
    apply(folderExploreBox, storedToggles.folderExplore, [this](bool on) { toggles.SetFolderExplore(on); });
    apply(noSaveOnExitBox, storedToggles.noSave, [this](bool on) { toggles.ExplorerNoSave(on ? 1 : 0); });
    apply(autoRunBox, storedToggles.autorun, [this](bool on) { toggles.SetAutorun(exePath, on); });
  }

  // 5. Startup entries.
  if (startupPage.startupChanged) refused.Run("启动管理", [this] { ApplyStartupEntries(); });

  // 6. The wallpaper itself.
  if (wallpaperPage.wallpaperApplyPending) {
    refused.Run("桌面壁纸", [this] {
      if (wallpaperPage.transitionAnimationBox.Checked()) {
        ApplyAnimatedWallpaper();
      } else {
        SetWallpaper(SelectedWallpaperPath().value_or(""));  // none selected: no wallpaper
      }
    });
    wallpaperPage.wallpaperApplyPending = false;
  }

  // 7. Icon arrangement, colours and the animated page's effect (group A from here on).
  putNumber("IconR", iconPage.circleRadius.Value());
  putNumber("Ratio", iconPage.ellipseRatio.Value());
  putNumber("Cycles", iconPage.ringCount.Value());
  putNumber("IconFC", static_cast<std::int32_t>(iconPage.iconTextColourSwatch.Color()));
  putNumber("IconBC", static_cast<std::int32_t>(iconPage.iconTextBackColourSwatch.Color()));
  putFlag("IconTrans", iconPage.transparentTextBackBox.Checked());
  putNumber("IconStyle", iconPage.iconStyle);
  wallpaperPage.SaveEffect(settings);  // DynamicDesk, DynaIndex

  // 8.
  MenuItemNamed("refreshIconsItem").SetEnabled(!iconPage.iconStyleNoneRadio.Checked());

  // 9. Memory, proxy.
  putNumber("MemRange", memoryPage.defragmentSizeSlider.Value());
  putNumber("MemLimitV", memoryPage.memoryLimitSlider.Value());
  putNumber("CPULimitV", memoryPage.cpuLimitSlider.Value());
  putFlag("MemLimit", memoryPage.memoryLimitBox.Checked());
  putFlag("CPULimit", memoryPage.cpuLimitBox.Checked());
  putFlag("AnimateIcon", animatedIconBox.Checked());
  putFlag("UseProxy", useProxyBox.Checked());
  settings.PutText(kOption, "ProxyIP", proxyHostEdit.Text());
  settings.PutText(kOption, "ProxyPort", proxyPortEdit.Text());
  proxyHostEdit.SetEnabled(useProxyBox.Checked());
  proxyPortEdit.SetEnabled(useProxyBox.Checked());

  // 10.
  putFlag("NoSave", noSaveOnExitBox.Checked());
  putFlag("HideIcons", iconPage.hideIconsBox.Checked());
  putFlag("AutoRefIcon", iconPage.iconRefreshBox.Checked());
  putNumber("RefIconDelay", iconPage.iconRefreshSeconds.Value());
  putFlag("RestoreIconLayout", iconPage.autoRestoreLayout.Checked());
  op.Commit();

  // 11-14. Apply what was saved to the desktop.
  iconPage.RestartRefreshTimer();
  ApplyIconStyle();
  SetDesktopIconsHidden(iconPage.hideIconsBox.Checked(), true);
  MenuItemNamed("hideIconsItem").SetChecked(iconPage.hideIconsBox.Checked());
  ports.ui.AcceptFiles(false);  // back at the next showing of the window
  refused.ThrowIfAny();
}

}  // namespace tovr::app
