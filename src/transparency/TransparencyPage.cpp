#include "transparency/TransparencyPage.h"

#include "transparency/WindowRules.h"

namespace tovr::transparency {

namespace {

constexpr char kNoSelectionText[] = "请选择要透明的窗口。";
constexpr char kNoSelectionCaption[] = "错误";
constexpr unsigned kNoSelectionFlags = kMbOk | kMbIconInformation;
constexpr char kRefusedBefore[] = "无法改变窗口“";
constexpr char kRefusedAfter[] = "”的透明度：它属于以更高权限（例如以管理员身份）运行的程序。";

}  // namespace

TransparencyPage::TransparencyPage(TransparencySystemPorts system, IMessageBox& messages, std::string appTitle,
                                   AlphaRoutes routes)
    : windows_(system.windows), messages_(messages), appTitle_(std::move(appTitle)), routes_(std::move(routes)) {
  // The form's design state.
  taskbarAlphaEdit.SetEnabled(false);
  startMenuAlphaEdit.SetEnabled(false);
  taskbarAlphaEdit.SetIncrement(5);
  startMenuAlphaEdit.SetIncrement(5);
  chosenWindowAlphaSlider.SetHint("设置透明度值");
  // The page's own controls; the boxes and spin edits are wired by the main window.
  refreshWindowListButton.OnClick = [this] { RefreshWindowList(); };
  applyChosenWindowAlphaButton.OnClick = [this] { OnApplyChosenWindowAlphaClicked(); };
  windowList.OnClick = [this] { OnWindowListClicked(); };
  chosenWindowAlphaSlider.OnChange = [this] { OnChosenWindowAlphaChanged(); };
}

std::vector<controls::Control*> TransparencyPage::Controls() {
  return {&translucentTaskbarBox,       &taskbarAlphaEdit,       &translucentStartMenuBox,
          &startMenuAlphaEdit,          &transparencyNeedsLabel, &transparencySystemsLabel,
          &refreshWindowListButton,     &chosenWindowAlphaLabel, &chosenWindowAlphaValueLabel,
          &applyChosenWindowAlphaButton};
}

void TransparencyPage::Route(const std::function<void(int)>& route, void (TransparencyPage::*own)(int), int alpha) {
  if (route) {
    route(alpha);
  } else {
    (this->*own)(alpha);
  }
}

// ---- The operations -------------------------------------------------------------------------

void TransparencyPage::SetMainWindowAlpha(int alpha) {
  if (WindowHandle main = windows_.MainWindow()) windows_.SetAlpha(main, alpha);
}

void TransparencyPage::SetTaskbarAlpha(int alpha) {
  for (WindowHandle w : windows_.TopLevelWindows()) {
    if (IsTaskbarClass(windows_.ClassName(w))) windows_.SetAlpha(w, alpha);
  }
}

void TransparencyPage::SetStartMenuAlpha(int alpha) {
  for (WindowHandle w : windows_.TopLevelWindows()) {
    if (IsStartMenuClass(windows_.ClassName(w))) windows_.SetAlpha(w, alpha);
  }
}

// ---- Handlers -------------------------------------------------------------------------------

void TransparencyPage::OnTranslucentWindowClicked(const controls::CheckBox& translucentWindowBox,
                                                  controls::SpinEdit& windowAlphaEdit) {
  windowAlphaEdit.SetEnabled(translucentWindowBox.Checked());
  Route(routes_.mainWindow, &TransparencyPage::SetMainWindowAlpha,
        translucentWindowBox.Checked() ? windowAlphaEdit.Value() : 255);
}

void TransparencyPage::OnWindowAlphaChanged(const controls::CheckBox& translucentWindowBox,
                                            const controls::SpinEdit& windowAlphaEdit) {
  if (translucentWindowBox.Checked())
    Route(routes_.mainWindow, &TransparencyPage::SetMainWindowAlpha, windowAlphaEdit.Value());
}

void TransparencyPage::OnTranslucentTaskbarClicked() {
  taskbarAlphaEdit.SetEnabled(translucentTaskbarBox.Checked());
  Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha,
        translucentTaskbarBox.Checked() ? taskbarAlphaEdit.Value() : 255);
}

void TransparencyPage::OnTaskbarAlphaChanged() {
  if (translucentTaskbarBox.Checked())
    Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha, taskbarAlphaEdit.Value());
}

void TransparencyPage::OnTranslucentStartMenuClicked() {
  startMenuAlphaEdit.SetEnabled(translucentStartMenuBox.Checked());
  Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha,
        translucentStartMenuBox.Checked() ? startMenuAlphaEdit.Value() : 255);
}

void TransparencyPage::OnStartMenuAlphaChanged() {
  if (translucentStartMenuBox.Checked())
    Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha, startMenuAlphaEdit.Value());
}

void TransparencyPage::OnTaskbarTransparencyItemClicked() {
  Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha, taskbarAlphaEdit.Value());
}

void TransparencyPage::OnStartMenuTransparencyItemClicked() {
  Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha, startMenuAlphaEdit.Value());
}

std::vector<std::string> TransparencyPage::RefreshWindowList() {
  windowList.SetLines(ListVisibleWindows(windows_, listedWindows));
  return windowList.Lines();
}

void TransparencyPage::OnWindowListClicked() {
  applyChosenWindowAlphaButton.SetEnabled(windowList.SelectedLine() != appTitle_);
}

void TransparencyPage::OnApplyChosenWindowAlphaClicked() {
  if (windowList.ItemIndex() < 0) {
    messages_.Show(kNoSelectionText, kNoSelectionCaption, kNoSelectionFlags);
    return;
  }
  OnWindowEntryClicked(windowList.ItemIndex());
}

void TransparencyPage::OnChosenWindowAlphaChanged() {
  chosenWindowAlphaValueLabel.SetCaption(std::to_string(chosenWindowAlphaSlider.Value()));
}

// A line or entry whose window has closed since names a handle that no longer exists: the
// request has no effect. A window that refuses is named once; later refusals are silent.
void TransparencyPage::OnWindowEntryClicked(int index) {
  const WindowHandle w = listedWindows.At(index);
  if (!w || windows_.SetAlpha(w, chosenWindowAlphaSlider.Value()) || !refusalsShown_.insert(w).second) return;
  messages_.Show(kRefusedBefore + windows_.Title(w) + kRefusedAfter, kNoSelectionCaption, kMbOk | kMbIconExclamation);
}

}  // namespace tovr::transparency
