// Operations and handlers of the tools that plug into the main window: shortcuts, wallpaper,
// desktop icons, startup entries, memory, transparency, update and quick actions. The spine
// calls each of them at its place; a tool fills its bodies in.
#include <cstdio>

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
void TKWForm::SetDesktopIconsHidden(bool, bool) {}  // HideIcons/GeneralFlags, the list view
bool TKWForm::DesktopIconsVisible() { return true; }  // the desktop list view is visible
void TKWForm::ApplyIconStyle() {}  // arrangement by iconStyle, then the caption colours
void TKWForm::TimerIconTimer() {}  // re-applies the caption colours
void TKWForm::PnlFCClick() {}      // colour dialog for the caption text colour
void TKWForm::PnlBCClick() {}      // colour dialog for the caption background colour
void TKWForm::m202Click() {}       // toggles hiding of all desktop icons
void TKWForm::m203Click() {}       // ApplyIconStyle from the tray

// "RGB: %3d,%3d,%3d": red is the low byte, green the second, blue the value / 65536. A system
// colour (top bit set) is first resolved to its RGB value.
std::string TKWForm::RgbLabelText(std::uint32_t colour) {
  if (colour & 0x80000000u) colour = ports.env.SystemColor(static_cast<int>(colour & 0xFF));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "RGB: %3u,%3u,%3u", colour & 0xFF, (colour >> 8) & 0xFF,
                colour / 65536);
  return buffer;
}

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
