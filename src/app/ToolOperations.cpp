// Operations and handlers of the tools that plug into the main window: shortcuts, wallpaper,
// desktop icons, startup entries, memory, transparency, update and quick actions. The spine
// calls each of them at its place; a tool fills its bodies in.
#include "app/MainForm.h"

namespace tovr::app {

// ---- Transparency ------------------------------------------------------------------------
void TKWForm::SetMainWindowAlpha(int) {}  // SetWindowAlpha on the main window
void TKWForm::SetTaskbarAlpha(int) {}     // SetWindowAlpha on the "Shell_TrayWnd" window
void TKWForm::SetStartMenuAlpha(int) {}   // SetWindowAlpha on every "BaseBar" window
std::vector<std::string> TKWForm::RefreshWindowList() { return {}; }  // SBRF: visible titles
void TKWForm::WindowItemClick(int) {}     // SetWindowAlpha(listedWindows[i], FrmTB position)
void TKWForm::TSTransShow() {}            // refreshes the window list
void TKWForm::N2Click() {}                // taskbar alpha from SpinEdit5
void TKWForm::N3Click() {}                // Start menu alpha from SpinEdit6

// ---- Desktop icons -----------------------------------------------------------------------
void TKWForm::SetDesktopIconsHidden(bool hidden, bool refreshNow) { iconPage.SetDesktopIconsHidden(hidden, refreshNow); }
bool TKWForm::DesktopIconsVisible() { return iconPage.DesktopIconsVisible(); }
void TKWForm::ApplyIconStyle() { iconPage.ApplyIconStyle(); }
void TKWForm::TimerIconTimer() { iconPage.TimerIconTimer(); }
void TKWForm::PnlFCClick() { iconPage.PnlFCClick(); }
void TKWForm::PnlBCClick() { iconPage.PnlBCClick(); }
void TKWForm::m202Click() { iconPage.m202Click(); }
void TKWForm::m203Click() { ApplyIconStyle(); }
void TKWForm::C4Click() { iconPage.C4Click(); }
void TKWForm::CheckBox2Click() { iconPage.CheckBox2Click(); }
void TKWForm::RClick(const controls::RadioButton& button) { iconPage.RClick(button); }
std::string TKWForm::RgbLabelText(std::uint32_t colour) { return iconPage.RgbLabelText(colour); }

// ---- Wallpaper ---------------------------------------------------------------------------
void TKWForm::PickNextWallpaper() {}       // next picture (list or random order), then ApplyIconStyle
void TKWForm::SelectCurrentWallpaper() {}  // TSWPShow: selects the row of the current wallpaper
void TKWForm::LoadWallpaperList() {}       // rebuilds LVP from [Pics]
void TKWForm::SaveWallpaperList() {}       // clears [Pics] and writes LVP into it
std::optional<std::string> TKWForm::SelectedWallpaperPath() { return std::nullopt; }  // LVP's first selected row
void TKWForm::ApplyAnimatedWallpaper() {}  // writes TovrWall.htm and makes it the wallpaper
void TKWForm::SetWallpaper(const std::string&) {}  // applies a picture (empty: none)
void TKWForm::Timer1Timer() {}             // minute count-down of the timed change
void TKWForm::m201Click() {}               // change the wallpaper now

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
void TKWForm::ClearStartupList() {}     // empties LR
void TKWForm::LoadStartupEntries() {}   // fills LR from the Run keys when it is empty
void TKWForm::ApplyStartupEntries() {}  // parks or restores the changed entries

// ---- Side buttons by active page ---------------------------------------------------------
// Add, Delete and Modify act on the active page; the wallpaper and startup lists join later.
void TKWForm::bNClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bNClick();
}
void TKWForm::bdClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bdClick();
}
void TKWForm::bCClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bCClick();
}

void TKWForm::FormDropFiles(const std::vector<std::string>& paths) {
  const int page = PC.ActiveIndex();
  const auto destination = page == kPageShortcut    ? shortcuts::DropDestination::Shortcuts
                           : page == kPageWallpaper ? shortcuts::DropDestination::Wallpapers
                                                    : shortcuts::DropDestination::Ignored;
  shortcutPage.editing.DropFiles(paths, destination, [](const std::string&) {});  // wallpaper list: later
}

// ---- Memory ------------------------------------------------------------------------------
void TKWForm::TimermemTimer() {}  // gauges, tray hint, automatic defragmentation
void TKWForm::TSmemoryShow() {}   // first sample at once, then the tab counts as visible
void TKWForm::TSmemoryHide() {}   // the tab no longer counts as visible
void TKWForm::menumemClick() {}   // defragment now

// ---- Update ------------------------------------------------------------------------------
void TKWForm::tmrupdateTimer() {}  // minute count to the automatic version check
void TKWForm::MenuCVClick() {}     // check for a new version
void TKWForm::menudownClick() {}   // download the new version

// ---- Quick actions -----------------------------------------------------------------------
void TKWForm::sbwebClick() {}        // opens the home page
void TKWForm::sbmailClick() {}       // writes a feedback mail
void TKWForm::btnhelpClick() {}      // opens help.chm
void TKWForm::mrsClick() {}          // starts the screen saver
void TKWForm::mospClick() {}         // opens the display properties
void TKWForm::menuopencdClick() {}   // opens the CD drive door
void TKWForm::menuclosecdClick() {}  // closes the CD drive door
void TKWForm::N9Click() {}           // feedback mail
void TKWForm::m304Click() {}         // as sbmail
void TKWForm::m305Click() {}         // as sbweb
void TKWForm::m306Click() {}         // as btnhelp

}  // namespace tovr::app
