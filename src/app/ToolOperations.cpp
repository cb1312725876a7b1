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
void TKWForm::ClearStartupList() {}     // empties LR
void TKWForm::LoadStartupEntries() {}   // fills LR from the Run keys when it is empty
void TKWForm::ApplyStartupEntries() {}  // parks or restores the changed entries

// ---- Side buttons by active page ---------------------------------------------------------
// Add, Delete and Modify act on the active page; the startup list joins later.
void TKWForm::bNClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bNClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bNClick();
}
void TKWForm::bdClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bdClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bdClick();
}
void TKWForm::bCClick() {
  if (PC.ActiveIndex() == kPageShortcut) shortcutPage.editing.bCClick();
  if (PC.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.bCClick();
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
