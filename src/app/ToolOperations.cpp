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
void TKWForm::OnWindowEntryClicked(int index) { transparencyPage.OnWindowEntryClicked(index); }
void TKWForm::OnTransparencyPageShown() { transparencyPage.RefreshWindowList(); }
void TKWForm::OnTaskbarTransparencyItemClicked() { transparencyPage.OnTaskbarTransparencyItemClicked(); }
void TKWForm::OnStartMenuTransparencyItemClicked() { transparencyPage.OnStartMenuTransparencyItemClicked(); }
void TKWForm::OnTranslucentWindowClicked() {
  transparencyPage.OnTranslucentWindowClicked(translucentWindowBox, windowAlphaEdit);
}
void TKWForm::OnWindowAlphaChanged() { transparencyPage.OnWindowAlphaChanged(translucentWindowBox, windowAlphaEdit); }
void TKWForm::OnTranslucentTaskbarClicked() { transparencyPage.OnTranslucentTaskbarClicked(); }
void TKWForm::OnTaskbarAlphaChanged() { transparencyPage.OnTaskbarAlphaChanged(); }
void TKWForm::OnTranslucentStartMenuClicked() { transparencyPage.OnTranslucentStartMenuClicked(); }
void TKWForm::OnStartMenuAlphaChanged() { transparencyPage.OnStartMenuAlphaChanged(); }

// ---- Desktop icons -----------------------------------------------------------------------
void TKWForm::SetDesktopIconsHidden(bool hidden, bool refreshNow) { iconPage.SetDesktopIconsHidden(hidden, refreshNow); }
bool TKWForm::DesktopIconsVisible() { return iconPage.DesktopIconsVisible(); }
void TKWForm::ApplyIconStyle() { iconPage.ApplyIconStyle(); }
void TKWForm::OnIconRefreshTimer() { iconPage.OnIconRefreshTimer(); }
void TKWForm::OnIconTextColourClicked() { iconPage.OnIconTextColourClicked(); }
void TKWForm::OnIconTextBackColourClicked() { iconPage.OnIconTextBackColourClicked(); }
void TKWForm::OnHideIconsItemClicked() { iconPage.OnHideIconsItemClicked(); }
void TKWForm::OnRefreshIconsItemClicked() { ApplyIconStyle(); }
void TKWForm::OnSaveIconLayoutItemClicked() { iconPage.OnSaveIconLayoutItemClicked(); }
void TKWForm::OnRestoreIconLayoutItemClicked() { iconPage.OnRestoreIconLayoutItemClicked(); }
void TKWForm::OnDisplayChanged() { iconPage.OnDesktopSizeChanged(); }
void TKWForm::OnLayoutRestoreDelayElapsed() { iconPage.OnLayoutRestoreDelayTimer(); }
void TKWForm::OnTransparentTextBackClicked() { iconPage.OnTransparentTextBackClicked(); }
void TKWForm::OnIconRefreshClicked() { iconPage.OnIconRefreshClicked(); }
void TKWForm::OnIconStyleClicked(const controls::RadioButton& button) { iconPage.OnIconStyleClicked(button); }
std::string TKWForm::RgbLabelText(std::uint32_t colour) { return iconPage.RgbLabelText(colour); }

// ---- Wallpaper ---------------------------------------------------------------------------
void TKWForm::PickNextWallpaper() { wallpaperPage.PickNextWallpaper(); }
void TKWForm::SelectCurrentWallpaper() { wallpaperPage.SelectCurrentWallpaper(); }
void TKWForm::LoadWallpaperList() { wallpaperPage.LoadWallpaperList(settings); }
void TKWForm::SaveWallpaperList() { wallpaperPage.SaveWallpaperList(settings); }
std::optional<std::string> TKWForm::SelectedWallpaperPath() { return wallpaperPage.SelectedWallpaperPath(); }
void TKWForm::ApplyAnimatedWallpaper() { wallpaperPage.ApplyAnimatedWallpaper(); }
void TKWForm::SetWallpaper(const std::string& path) { wallpaperPage.SetWallpaper(path); }
void TKWForm::OnWallpaperTimer() { wallpaperPage.OnWallpaperTimer(); }
void TKWForm::OnNextWallpaperItemClicked() { wallpaperPage.OnNextWallpaperItemClicked(settings); }
void TKWForm::OnWallpaperRowDoubleClicked() { wallpaperPage.OnWallpaperRowDoubleClicked(); }
void TKWForm::OnWallpaperPreviewDoubleClicked() { wallpaperPage.OnWallpaperRowDoubleClicked(); }

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
void TKWForm::OnShortcutRowDoubleClicked() {
  shortcutPage.launcher.OnShortcutRowDoubleClicked(shortcutPage.shortcutList);
}
void TKWForm::OnImportDesktopLinksClicked() { shortcutPage.desktopLinks.OnImportDesktopLinksClicked(); }
void TKWForm::OnDeleteDesktopLinksClicked() { shortcutPage.desktopLinks.OnDeleteDesktopLinksClicked(); }
void TKWForm::OnExportDesktopLinksClicked() { shortcutPage.desktopLinks.OnExportDesktopLinksClicked(); }

void TKWForm::RegisterUrlDropTarget() {}  // urlDropPanel accepts dropped web links

// ---- Startup entries ---------------------------------------------------------------------
void TKWForm::ClearStartupList() { startupPage.ClearStartupList(); }
void TKWForm::LoadStartupEntries() { startupPage.LoadStartupEntries(); }
void TKWForm::ApplyStartupEntries() { startupPage.ApplyStartupEntries(); }
void TKWForm::OnStartupRowDoubleClicked() { startupPage.OnStartupRowDoubleClicked(); }

// ---- Side buttons by active page ---------------------------------------------------------
// Add, Delete and Modify act on the list of the active page.
void TKWForm::OnAddButtonClicked() {
  if (pageControl.ActiveIndex() == kPageShortcut) shortcutPage.editing.OnAddButtonClicked();
  if (pageControl.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.OnAddButtonClicked();
  if (pageControl.ActiveIndex() == kPageStartup) startupPage.OnAddButtonClicked();
}
void TKWForm::OnDeleteButtonClicked() {
  if (pageControl.ActiveIndex() == kPageShortcut) shortcutPage.editing.OnDeleteButtonClicked();
  if (pageControl.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.OnDeleteButtonClicked();
  if (pageControl.ActiveIndex() == kPageStartup) startupPage.OnDeleteButtonClicked();
}
void TKWForm::OnModifyButtonClicked() {
  if (pageControl.ActiveIndex() == kPageShortcut) shortcutPage.editing.OnModifyButtonClicked();
  if (pageControl.ActiveIndex() == kPageWallpaper) wallpaperPage.editing.OnModifyButtonClicked();
  if (pageControl.ActiveIndex() == kPageStartup) startupPage.OnModifyButtonClicked();
}

void TKWForm::OnFormFilesDropped(const std::vector<std::string>& paths) {
  const int page = pageControl.ActiveIndex();
  const auto destination = page == kPageShortcut    ? shortcuts::DropDestination::Shortcuts
                           : page == kPageWallpaper ? shortcuts::DropDestination::Wallpapers
                                                    : shortcuts::DropDestination::Ignored;
  shortcutPage.editing.DropFiles(paths, destination,
                                 [this](const std::string& path) { wallpaperPage.editing.DropFile(path); });
}

// ---- Memory ------------------------------------------------------------------------------
void TKWForm::OnMemoryMonitorTimer() { memoryPage.OnMemoryMonitorTimer(); }
void TKWForm::OnMemoryPageShown() { memoryPage.OnMemoryPageShown(); }
void TKWForm::OnMemoryPageHidden() { memoryPage.OnMemoryPageHidden(); }
void TKWForm::OnDefragMemoryItemClicked() { memoryPage.OnDefragMemoryItemClicked(); }

// ---- Update ------------------------------------------------------------------------------
void TKWForm::OnUpdateTimer() { updateCheck.OnUpdateTimer(); }
void TKWForm::OnCheckUpdateItemClicked() { updateCheck.OnCheckUpdateItemClicked(); }
void TKWForm::OnDownloadUpdateItemClicked() { updateCheck.OnDownloadUpdateItemClicked(); }

// ---- Quick actions -----------------------------------------------------------------------
// The forwarding controls click their target, so its rules (helpItem's enabled state) apply.
void TKWForm::OnHomePageButtonClicked() { quickActions.OnHomePageButtonClicked(); }
void TKWForm::OnMailButtonClicked() { quickActions.OnMailButtonClicked(); }
void TKWForm::OnHelpButtonClicked() { MenuItemNamed("helpItem").Click(); }
void TKWForm::OnScreenSaverItemClicked() { quickActions.OnScreenSaverItemClicked(); }
void TKWForm::OnDisplayPropertiesItemClicked() { quickActions.OnDisplayPropertiesItemClicked(); }
void TKWForm::OnOpenCdDriveItemClicked() { quickActions.OnOpenCdDriveItemClicked(); }
void TKWForm::OnCloseCdDriveItemClicked() { quickActions.OnCloseCdDriveItemClicked(); }
void TKWForm::OnFeedbackItemClicked() { quickActions.OnFeedbackItemClicked(); }
void TKWForm::OnAuthorItemClicked() { mailButton.UserClick(); }
void TKWForm::OnHomePageItemClicked() { homePageButton.UserClick(); }
void TKWForm::OnHelpItemClicked() { quickActions.OnHelpItemClicked(); }

}  // namespace tovr::app
