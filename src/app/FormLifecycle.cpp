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
void TKWForm::FormShow() {
  shortcutPage.shortcutsChanged = false;
  wallpaperPage.wallpaperChanged = false;
  startupPage.startupChanged = false;
  wallpaperPage.wallpaperApplyPending = false;
  ports.ui.AcceptFiles(true);
  btnhelp.SetEnabled(MenuItemNamed("m306").Enabled());
  LoadStartupEntries();  // only when the startup list is empty
}

// The window counts as shown only once FormShow has run. An error in FormShow (the first fill
// of the startup list can raise one) does not stop the showing: the window and its active page
// still show, and the error is reported afterwards, so that the next showing runs FormShow and
// the page handlers again.
void TKWForm::ShowMainWindow() {
  std::exception_ptr formShowError;
  if (!mainWindowShown) {
    try {
      FormShow();
    } catch (...) {
      formShowError = std::current_exception();
    }
    mainWindowShown = true;
    PC.SetShowing(true);  // the active page's OnShow
  }
  ports.ui.ShowMainWindow();
  if (formShowError) std::rethrow_exception(formShowError);
}

void TKWForm::HideMainWindow() {
  if (mainWindowShown) {
    mainWindowShown = false;
    PC.SetShowing(false);
  }
  ports.ui.HideMainWindow();
}

bool TKWForm::FormCloseQuery() {
  if (quitting) return true;
  HideMainWindow();
  ports.ui.AcceptFiles(false);
  return false;
}

void TKWForm::ApplicationMinimize() {
  HideMainWindow();
  ports.ui.AcceptFiles(false);
}

int TKWForm::QueryEndSession() {
  quitting = true;
  menucloseClick();  // no question: quitting is set
  return 1;
}

void TKWForm::TrayIcon1DblClick() {
  PC.SetActivePage("TSshortcut");
  ShowMainWindow();
}

void TKWForm::m1Click() { ShowMainWindow(); }

void TKWForm::menucloseClick() {
  if (!quitting &&
      ports.messages.Show(kQuitQuestion, kQuitCaption, kQuitFlags) != kIdYes) {
    return;
  }
  quitting = true;
  ports.ui.QuitApplication();
}

void TKWForm::PCChange() {
  const int page = PC.ActiveIndex();
  Panel2.SetEnabled(page == kPageShortcut || page == kPageWallpaper || page == kPageRun);
}

// Once the settings page has been shown, every save writes its keys.
void TKWForm::TSSetShow() { settingsVisited = true; }

void TKWForm::PopupMenu1Popup() {
  RefreshWindowEntries(MenuItemNamed("MTF"), RefreshWindowList(),
                       [this](int index) { WindowItemClick(index); });
}

// Close without saving: unsaved edits of the three lists are dropped by reloading them.
void TKWForm::bCCClick() {
  HideMainWindow();
  ports.ui.AcceptFiles(false);
  if (shortcutPage.shortcutsChanged) RefreshPage("TSshortcut");
  if (wallpaperPage.wallpaperChanged) RefreshPage("TSWP");
  if (startupPage.startupChanged) RefreshPage("TSRun");
}

void TKWForm::bRClick() {
  switch (PC.ActiveIndex()) {
    case kPageShortcut:
      LoadShortcuts();
      break;
    case kPageWallpaper:
      LoadWallpaperList();
      break;
    case kPageRun:
      ClearStartupList();
      LoadStartupEntries();
      break;
    default:
      break;
  }
}

}  // namespace tovr::app
