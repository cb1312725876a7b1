// Showing, hiding, closing and quitting the main window; page changes; the tray's events.
// Closing only hides the window to the tray; the program ends through the tray item "关闭"
// (after a question) or when Windows ends the session. Nothing is saved at the end.
#include <exception>

#include "app/MainForm.h"
#include "app/TrayMenu.h"

namespace tovr::app {

namespace {

constexpr char kQuitQuestion[] = "确实要退出 Tovrane 吗？";
constexpr char kQuitCaption[] = "关闭";
constexpr unsigned kQuitFlags = kMbYesNo | kMbIconQuestion | kMbDefButton2 | kMbSystemModal;  // 4388

}  // namespace

// Each showing of the hidden window starts a new round of edits.
void TKWForm::OnFormShown() {
  shortcutPage.shortcutsChanged = false;
  wallpaperPage.wallpaperChanged = false;
  startupPage.startupChanged = false;
  wallpaperPage.wallpaperApplyPending = false;
  ports.ui.AcceptFiles(true);
  helpButton.SetEnabled(MenuItemNamed("helpItem").Enabled());
  LoadStartupEntries();  // only when the startup list is empty
}

// The window counts as shown only once OnFormShown has run. An error in OnFormShown (the first fill
// of the startup list can raise one) does not stop the showing: the window and its active page
// still show, and the error is reported afterwards, so that the next showing runs OnFormShown and
// the page handlers again.
void TKWForm::ShowMainWindow() {
  AttachLaterIcons();  // the lists show them
  std::exception_ptr showingError;
  if (!mainWindowShown) {
    try {
      OnFormShown();
    } catch (...) {
      showingError = std::current_exception();
    }
    mainWindowShown = true;
    pageControl.SetShowing(true);  // the active page's OnShow
  }
  ports.ui.ShowMainWindow();
  if (showingError) std::rethrow_exception(showingError);
}

void TKWForm::HideMainWindow() {
  if (mainWindowShown) {
    mainWindowShown = false;
    pageControl.SetShowing(false);
  }
  ports.ui.HideMainWindow();
}

bool TKWForm::OnFormCloseRequested() {
  if (quitting) return true;
  HideMainWindow();
  ports.ui.AcceptFiles(false);
  return false;
}

void TKWForm::OnApplicationMinimized() {
  HideMainWindow();
  ports.ui.AcceptFiles(false);
}

int TKWForm::QueryEndSession() {
  quitting = true;
  OnQuitItemClicked();  // no question: quitting is set
  return 1;
}

void TKWForm::OnTrayDoubleClicked() {
  pageControl.SetActivePage("shortcutsTab");
  ShowMainWindow();
}

void TKWForm::OnShowMainWindowItemClicked() { ShowMainWindow(); }

void TKWForm::OnQuitItemClicked() {
  if (!quitting &&
      ports.messages.Show(kQuitQuestion, kQuitCaption, kQuitFlags) != kIdYes) {
    return;
  }
  quitting = true;
  ports.ui.QuitApplication();
}

void TKWForm::OnPageChanged() {
  const int page = pageControl.ActiveIndex();
  listButtonsPanel.SetEnabled(page == kPageShortcut || page == kPageWallpaper || page == kPageStartup);
}

// Once the settings page has been shown, every save writes its keys.
void TKWForm::OnSettingsPageShown() { settingsVisited = true; }

void TKWForm::OnTrayMenuOpening() {
  AttachLaterIcons();  // the menu opens complete
  RefreshWindowEntries(MenuItemNamed("transparencyItem"), RefreshWindowList(),
                       [this](int index) { OnWindowEntryClicked(index); });
}

// Close without saving: unsaved edits of the three lists are dropped by reloading them.
void TKWForm::OnCloseButtonClicked() {
  HideMainWindow();
  ports.ui.AcceptFiles(false);
  if (shortcutPage.shortcutsChanged) RefreshPage("shortcutsTab");
  if (wallpaperPage.wallpaperChanged) RefreshPage("wallpaperTab");
  if (startupPage.startupChanged) RefreshPage("startupTab");
}

void TKWForm::OnRefreshButtonClicked() {
  switch (pageControl.ActiveIndex()) {
    case kPageShortcut:
      LoadShortcuts();
      break;
    case kPageWallpaper:
      LoadWallpaperList();
      break;
    case kPageStartup:
      ClearStartupList();
      LoadStartupEntries();
      break;
    default:
      break;
  }
}

}  // namespace tovr::app
