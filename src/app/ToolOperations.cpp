// Operations and handlers of the tools that plug into the main window: shortcuts, wallpaper,
// desktop icons, startup entries, memory, transparency, update and quick actions. The spine
// calls each of them at its place; a tool fills its bodies in.
#include "app/MainForm.h"

namespace tovr::app {

// ---- Transparency ------------------------------------------------------------------------
void TKWForm::SetMainWindowAlpha(int a) { transparencyPage.SetMainWindowAlpha(a); }
void TKWForm::SetTaskbarAlpha(int a) { transparencyPage.SetTaskbarAlpha(a); }
void TKWForm::SetStartMenuAlpha(int a) { transparencyPage.SetStartMenuAlpha(a); }
std::vector<std::string> TKWForm::RefreshWindowList() { return transparencyPage.RefreshWindowList(); }
void TKWForm::WindowItemClick(int index) { transparencyPage.WindowItemClick(index); }
void TKWForm::TSTransShow() { transparencyPage.RefreshWindowList(); }
void TKWForm::N2Click() { transparencyPage.N2Click(); }
void TKWForm::N3Click() { transparencyPage.N3Click(); }
void TKWForm::CTClick() { transparencyPage.CTClick(CT, SpinEdit3); }
void TKWForm::SpinEdit3Change() { transparencyPage.SpinEdit3Change(CT, SpinEdit3); }
void TKWForm::CTTClick() { transparencyPage.CTTClick(); }
void TKWForm::SpinEdit5Change() { transparencyPage.SpinEdit5Change(); }
void TKWForm::CTMClick() { transparencyPage.CTMClick(); }
void TKWForm::SpinEdit6Change() { transparencyPage.SpinEdit6Change(); }

// ---- Desktop icons -----------------------------------------------------------------------
void TKWForm::SetDesktopIconsHidden(bool hidden, bool refreshNow) { iconPage.SetDesktopIconsHidden(hidden, refreshNow); }
bool TKWForm::DesktopIconsVisible() { return iconPage.DesktopIconsVisible(); }
void TKWForm::ApplyIconStyle() { iconPage.ApplyIconStyle(); }
void TKWForm::TimerIconTimer() { iconPage.TimerIconTimer(); }
void TKWForm::PnlFCClick() { iconPage.PnlFCClick(); }
void TKWForm::PnlBCClick() { iconPage.PnlBCClick(); }
void TKWForm::m202Click() { iconPage.m202Click(); }
void TKWForm::m203Click() { ApplyIconStyle(); }
void TKWForm::SaveIconLayoutClick() { iconPage.SaveIconLayoutClick(); }
void TKWForm::RestoreIconLayoutClick() { iconPage.RestoreIconLayoutClick(); }
void TKWForm::DisplayChange() { iconPage.DisplayChanged(); }
void TKWForm::layoutRestoreDelayTimer() { iconPage.LayoutRestoreDelayTimer(); }
void TKWForm::C4Click() { iconPage.C4Click(); }
void TKWForm::CheckBox2Click() { iconPage.CheckBox2Click(); }
void TKWForm::RClick(const controls::RadioButton& button) { iconPage.RClick(button); }
std::string TKWForm::RgbLabelText(std::uint32_t colour) { return iconPage.RgbLabelText(colour); }

// ---- Wallpaper ---------------------------------------------------------------------------
void TKWForm::PickNextWallpaper() { wallpaperPage.PickNextWallpaper(); }
void TKWForm::SelectCurrentWallpaper() { wallpaperPage.SelectCurrentWallpaper(); }
void TKWForm::LoadWallpaperList() { wallpaperPage.LoadWallpaperList(settings); }
void TKWForm::SaveWallpaperList() { wallpaperPage.SaveWallpaperList(settings); }
std::optional<std::string> TKWForm::SelectedWallpaperPath() { return wallpaperPage.SelectedWallpaperPath(); }
void TKWForm::ApplyAnimatedWallpaper() { wallpaperPage.ApplyAnimatedWallpaper(); }
void TKWForm::SetWallpaper(const std::string& path) { wallpaperPage.SetWallpaper(path); }
void TKWForm::Timer1Timer() { wallpaperPage.Timer1Timer(); }
void TKWForm::m201Click() { wallpaperPage.m201Click(settings); }
void TKWForm::LVPDblClick() { wallpaperPage.LVPDblClick(); }
void TKWForm::ImgDblClick() { wallpaperPage.LVPDblClick(); }

// ---- Shortcuts ---------------------------------------------------------------------------
void TKWForm::LoadShortcuts() { shortcutPage.Load(settings); }
void TKWForm::SaveShortcuts(bool grouped) {
  shortcutPage.Save(settings, grouped,
                    {[this] { ClearShortcutMenu(); }, [this] { CreateShortcutGroups(); },
                     [this](const shortcuts::ShortcutEntry& e, bool g) {
                       AddShortcutMenuItem(e.name, e.target, g, e.iconIndex);
                     }});
}
void TKWForm::ClearShortcutMenu() { shortcutPage.shortcutMenu.Clear(); }
void TKWForm::CreateShortcutGroups() { shortcutPage.shortcutMenu.CreateGroups(); }
void TKWForm::AddShortcutMenuItem(const std::string& name, const std::string& target,
                                  bool grouped, int iconIndex) {
  shortcutPage.shortcutMenu.AddItem(name, target, grouped, iconIndex);
}
std::vector<ShortcutMenuRow> TKWForm::ShortcutRows() { return shortcutPage.Rows(); }
void TKWForm::SelectShortcutRow(int index) { shortcutPage.SelectRow(index); }
void TKWForm::LVDblClick() { shortcutPage.launcher.LVDblClick(shortcutPage.LV); }
void TKWForm::binClick() { shortcutPage.desktopLinks.binClick(); }
void TKWForm::bdelClick() { shortcutPage.desktopLinks.bdelClick(); }
void TKWForm::SpeedButton1Click() { shortcutPage.desktopLinks.SpeedButton1Click(); }

void TKWForm::RegisterUrlDropTarget() {}        // PnlUrl accepts dropped web links

// ---- Startup entries ---------------------------------------------------------------------
void TKWForm::ClearStartupList() { startupPage.ClearStartupList(); }
void TKWForm::LoadStartupEntries() { startupPage.LoadStartupEntries(); }
void TKWForm::ApplyStartupEntries() { startupPage.ApplyStartupEntries(); }
void TKWForm::LRDblClick() { startupPage.LRDblClick(); }

// ---- Side buttons by active page ---------------------------------------------------------
// Add, Delete and Modify act on the list of the active page.
void TKWForm::bNClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bNClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bNClick();
  if (PC.ActiveIndex() == kPageRun) startupPage.bNClick();
}
void TKWForm::bdClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bdClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bdClick();
  if (PC.ActiveIndex() == kPageRun) startupPage.bdClick();
}
void TKWForm::bCClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bCClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bCClick();
  if (PC.ActiveIndex() == kPageRun) startupPage.bCClick();
}

void TKWForm::FormDropFiles(const std::vector<std::string>& paths) {
  const int page = PC.ActiveIndex();
  const auto destination = page == kPageShortcut    ? shortcuts::DropDestination::Shortcuts
                           : page == kPageWallpaper ? shortcuts::DropDestination::Wallpapers
                                                    : shortcuts::DropDestination::Ignored;
  shortcutPage.editing.DropFiles(paths, destination,
                                 [this](const std::string& path) { wallpaperPage.editing.DropFile(path); });
}

// ---- Memory ------------------------------------------------------------------------------
void TKWForm::TimermemTimer() { memoryPage.TimermemTimer(); }
void TKWForm::TSmemoryShow() { memoryPage.TSmemoryShow(); }
void TKWForm::TSmemoryHide() { memoryPage.TSmemoryHide(); }
void TKWForm::menumemClick() { memoryPage.menumemClick(); }

// ---- Update ------------------------------------------------------------------------------
void TKWForm::tmrupdateTimer() { updateCheck.tmrupdateTimer(); }
void TKWForm::MenuCVClick() { updateCheck.MenuCVClick(); }
void TKWForm::menudownClick() { updateCheck.menudownClick(); }

// ---- Quick actions -----------------------------------------------------------------------
// The forwarding controls click their target, so its rules (m306's enabled state) apply.
void TKWForm::sbwebClick() { quickActions.sbwebClick(); }
void TKWForm::sbmailClick() { quickActions.sbmailClick(); }
void TKWForm::btnhelpClick() { MenuItemNamed("m306").Click(); }
void TKWForm::mrsClick() { quickActions.mrsClick(); }
void TKWForm::mospClick() { quickActions.mospClick(); }
void TKWForm::menuopencdClick() { quickActions.menuopencdClick(); }
void TKWForm::menuclosecdClick() { quickActions.menuclosecdClick(); }
void TKWForm::N9Click() { quickActions.N9Click(); }
void TKWForm::m304Click() { sbmail.UserClick(); }
void TKWForm::m305Click() { sbweb.UserClick(); }
void TKWForm::m306Click() { quickActions.m306Click(); }

}  // namespace tovr::app
