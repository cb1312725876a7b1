// LoadSettings (start-up step 20) and the save button bOKClick: the [Option] section of
// Config.ini to and from the controls. Each reads and writes the file once (one settings
// operation); a write that fails stops it at that key, keys put before it are still written.
//
// Keys are read in one of two ways: only when present (a missing key leaves the control as it
// is; a present but non-numeric one gives the "bad value" default), or always (one default for
// missing and bad). Setting a control runs its handler when the value changes, exactly as a
// user's change would, which is how the load switches features on.
#include <cstdint>

#include "app/MainForm.h"

namespace tovr::app {

namespace {

constexpr std::string_view kOption = "Option";

std::string MinutesLeftText(int minutes) {
  return "少于 " + std::to_string(minutes) + " 分钟";
}

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

void TKWForm::SetMinutesLeftCaption() { L2.SetCaption(MinutesLeftText(minutesLeft)); }

void TKWForm::LoadSettings() {
  TSettingsFile::Operation op = settings.BeginOperation();
  OptionReader in(settings);

  // 1. The first run leaves its marker, which creates the file.
  if (!settings.Exists()) settings.PutText(kOption, "Greeting", "Thank");

  // 2-5. Wallpaper: ticking CB ticks CA, unticks Cn and enables CBB and SPInt.
  in.FlagIfPresent("DynamicDesk", CB, false);
  if (in.Present("DynaIndex")) CBB.SetItemIndex(in.Number("DynaIndex", 23));
  if (in.Present("Interval")) changeInterval = in.Number("Interval", 0);
  in.FlagIfPresent("AutoChange", CA, false);
  if (changeInterval > 0) {
    SPInt.SetValue(changeInterval);
    minutesLeft = changeInterval;
    SetMinutesLeftCaption();
    Timer1.SetEnabled(CA.Checked() && !CB.Checked());
  }
  in.FlagIfPresent("RunChange", CR, false);
  in.FlagIfPresent("RandomChange", Cn, false);

  // 5-6. Icon arrangement and caption colours.
  in.NumberIfPresent("IconR", iconPage.SpinEdit1, 300);
  in.NumberIfPresent("Ratio", iconPage.SpinEdit2, 100);
  in.NumberIfPresent("Cycles", iconPage.SpinEdit7, 1);
  if (in.Present("IconFC")) iconPage.PnlFC.SetColor(static_cast<std::uint32_t>(in.Number("IconFC", 16777215)));
  iconPage.LBLFC.SetCaption(RgbLabelText(iconPage.PnlFC.Color()));
  if (in.Present("IconBC")) iconPage.PnlBC.SetColor(static_cast<std::uint32_t>(in.Number("IconBC", -1)));
  iconPage.LBLBC.SetCaption(RgbLabelText(iconPage.PnlBC.Color()));
  in.FlagIfPresent("IconTrans", iconPage.C4, true);
  if (in.Present("IconStyle")) iconPage.iconStyle = in.Number("IconStyle", 0);

  // 7-8. Translucency: the boxes' handlers apply the alphas.
  in.FlagIfPresent("Transparent", CT, false);
  in.NumberIfPresent("Transparence", SpinEdit3, 255);
  in.FlagIfPresent("TBTransparent", CTT, false);
  in.FlagIfPresent("MUTransparent", CTM, false);
  in.NumberIfPresent("transTaskBar", SpinEdit5, 255);
  in.NumberIfPresent("transMenu", SpinEdit6, 255);

  // 9. Grouped tray menu.
  in.FlagIfPresent("SortMenu", CS, true);

  // 10-12. Periodic caption refresh and hiding of the desktop icons.
  in.Flag("AutoRefIcon", iconPage.CheckBox2, true);
  iconPage.SpinEdit4.SetEnabled(iconPage.CheckBox2.Checked());
  in.Number("RefIconDelay", iconPage.SpinEdit4, 5);
  in.Flag("HideIcons", iconPage.CKHideIcon, false);
  SetDesktopIconsHidden(iconPage.CKHideIcon.Checked(), true);
  MenuItemNamed("m202").SetChecked(iconPage.CKHideIcon.Checked());
  in.Flag("AnimateIcon", CKAMICON, false);

  // 13. The defragmenter's range: all of physical memory.
  const auto totalMiB = static_cast<int>(ports.env.TotalPhysicalMemory() >> 20);
  MemLevel.SetMax(totalMiB + 1);
  MemLevel.SetValue(MemLevel.Max());

  // 14. Proxy.
  in.Flag("UseProxy", chkP, false);
  edtpx.SetText(in.Text("ProxyIP"));
  edtpr.SetText(in.Text("ProxyPort"));
  edtpx.SetEnabled(chkP.Checked());
  edtpr.SetEnabled(chkP.Checked());

  // 15. Memory thresholds; the sliders' handlers rewrite their captions.
  in.Number("MemRange", MemLevel, MemLevel.Value());
  in.Number("MemLimitV", DLevel, 10);
  in.Number("CPULimitV", CPULevel, 10);
  in.Flag("MemLimit", Dinfo, false);
  in.Flag("CPULimit", CInfo, false);

  // 16. Automatic update check.
  in.Flag("AutoUpdate", chkupdate, true);
  tmrupdate.SetEnabled(chkupdate.Checked());

  // 17. Periodic caption refresh timer.
  iconPage.RestartRefreshTimer();

  op.Commit();
}

void TKWForm::bOKClick() {
  TSettingsFile::Operation op = settings.BeginOperation();
  auto putFlag = [this](std::string_view key, bool on) { settings.PutFlag(kOption, key, on); };
  auto putNumber = [this](std::string_view key, std::int32_t n) {
    settings.PutNumber(kOption, key, n);
  };

  // 1-2. The shortcut list and the tray menu's shortcut entries.
  groupedMenu = CS.Checked();
  if (shortcutPage.shortcutsChanged) SaveShortcuts(groupedMenu);

  // 3. Wallpaper schedule and list (group W).
  if (wallpaperChanged) {
    putFlag("AutoChange", CA.Checked());
    putNumber("Interval", SPInt.Value());
    putFlag("RunChange", CR.Checked());
    putFlag("RandomChange", Cn.Checked());
    changeInterval = SPInt.Value();
    if (minutesLeft <= 0 || changeInterval < minutesLeft) minutesLeft = changeInterval;
    SetMinutesLeftCaption();
    Timer1.SetEnabled(CA.Checked() && !CB.Checked());
    L2.SetEnabled(Timer1.Enabled());
    SaveWallpaperList();  // clears [Pics] and writes the list into it
  }

  // 4. The settings page (group S), written once it has been shown.
  if (settingsVisited) {
    putFlag("Transparent", CT.Checked());
    putFlag("TBTransparent", CTT.Checked());
    putFlag("MUTransparent", CTM.Checked());
    putNumber("transparence", SpinEdit3.Value());  // the same key as the load's "Transparence"
    putNumber("transTaskBar", SpinEdit5.Value());
    putNumber("transMenu", SpinEdit6.Value());
    putFlag("SortMenu", CS.Checked());
    putFlag("AutoUpdate", chkupdate.Checked());
    tmrupdate.SetEnabled(chkupdate.Checked());
    toggles.SetFolderExplore(CE.Checked());
    toggles.ExplorerNoSave(CKExitSave.Checked() ? 1 : 0);
    toggles.SetAutorun(exePath, CW.Checked());
  }

  // 5. Startup entries.
  if (startupChanged) ApplyStartupEntries();

  // 6. The wallpaper itself.
  if (wallpaperApplyPending) {
    if (CB.Checked()) {
      ApplyAnimatedWallpaper();
    } else {
      SetWallpaper(SelectedWallpaperPath().value_or(""));  // none selected: no wallpaper
    }
    wallpaperApplyPending = false;
  }

  // 7. Icon arrangement, colours and the animated page's effect (group A from here on).
  putNumber("IconR", iconPage.SpinEdit1.Value());
  putNumber("Ratio", iconPage.SpinEdit2.Value());
  putNumber("Cycles", iconPage.SpinEdit7.Value());
  putNumber("IconFC", static_cast<std::int32_t>(iconPage.PnlFC.Color()));
  putNumber("IconBC", static_cast<std::int32_t>(iconPage.PnlBC.Color()));
  putFlag("IconTrans", iconPage.C4.Checked());
  putNumber("IconStyle", iconPage.iconStyle);
  putFlag("DynamicDesk", CB.Checked());
  putNumber("DynaIndex", CBB.ItemIndex());

  // 8.
  MenuItemNamed("m203").SetEnabled(!iconPage.R0.Checked());

  // 9. Memory, proxy.
  putNumber("MemRange", MemLevel.Value());
  putNumber("MemLimitV", DLevel.Value());
  putNumber("CPULimitV", CPULevel.Value());
  putFlag("MemLimit", Dinfo.Checked());
  putFlag("CPULimit", CInfo.Checked());
  putFlag("AnimateIcon", CKAMICON.Checked());
  putFlag("UseProxy", chkP.Checked());
  settings.PutText(kOption, "ProxyIP", edtpx.Text());
  settings.PutText(kOption, "ProxyPort", edtpr.Text());
  edtpx.SetEnabled(chkP.Checked());
  edtpr.SetEnabled(chkP.Checked());

  // 10.
  putFlag("NoSave", CKExitSave.Checked());
  putFlag("HideIcons", iconPage.CKHideIcon.Checked());
  putFlag("AutoRefIcon", iconPage.CheckBox2.Checked());
  putNumber("RefIconDelay", iconPage.SpinEdit4.Value());
  op.Commit();

  // 11-14. Apply what was saved to the desktop.
  iconPage.RestartRefreshTimer();
  ApplyIconStyle();
  SetDesktopIconsHidden(iconPage.CKHideIcon.Checked(), true);
  MenuItemNamed("m202").SetChecked(iconPage.CKHideIcon.Checked());
  ports.ui.AcceptFiles(false);  // back at the next showing of the window
}

}  // namespace tovr::app
