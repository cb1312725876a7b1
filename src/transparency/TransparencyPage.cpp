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

TransparencyPage::TransparencyPage(IWindowSystem& windows, IMessageBox& messages, std::string appTitle,
                                   AlphaRoutes routes)
    : windows_(windows), messages_(messages), appTitle_(std::move(appTitle)), routes_(std::move(routes)) {
  // The form's design state.
  SpinEdit5.SetEnabled(false);
  SpinEdit6.SetEnabled(false);
  SpinEdit5.SetIncrement(5);
  SpinEdit6.SetIncrement(5);
  FrmTB.SetHint("设置透明度值");
  // The page's own controls; the boxes and spin edits are wired by the main window.
  SBRF.OnClick = [this] { RefreshWindowList(); };
  SBTF.OnClick = [this] { SBTFClick(); };
  Lstform.OnClick = [this] { LstformClick(); };
  FrmTB.OnChange = [this] { FrmTBChange(); };
}

std::vector<controls::Control*> TransparencyPage::Controls() {
  return {&CTT, &SpinEdit5, &CTM, &SpinEdit6, &LblNeeds, &LblSystems, &SBRF, &Label10, &Label7, &SBTF};
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

void TransparencyPage::CTClick(const controls::CheckBox& CT, controls::SpinEdit& SpinEdit3) {
  SpinEdit3.SetEnabled(CT.Checked());
  Route(routes_.mainWindow, &TransparencyPage::SetMainWindowAlpha, CT.Checked() ? SpinEdit3.Value() : 255);
}

void TransparencyPage::SpinEdit3Change(const controls::CheckBox& CT, const controls::SpinEdit& SpinEdit3) {
  if (CT.Checked()) Route(routes_.mainWindow, &TransparencyPage::SetMainWindowAlpha, SpinEdit3.Value());
}

void TransparencyPage::CTTClick() {
  SpinEdit5.SetEnabled(CTT.Checked());
  Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha, CTT.Checked() ? SpinEdit5.Value() : 255);
}

void TransparencyPage::SpinEdit5Change() {
  if (CTT.Checked()) Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha, SpinEdit5.Value());
}

void TransparencyPage::CTMClick() {
  SpinEdit6.SetEnabled(CTM.Checked());
  Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha, CTM.Checked() ? SpinEdit6.Value() : 255);
}

void TransparencyPage::SpinEdit6Change() {
  if (CTM.Checked()) Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha, SpinEdit6.Value());
}

void TransparencyPage::N2Click() { Route(routes_.taskbar, &TransparencyPage::SetTaskbarAlpha, SpinEdit5.Value()); }

void TransparencyPage::N3Click() { Route(routes_.startMenu, &TransparencyPage::SetStartMenuAlpha, SpinEdit6.Value()); }

std::vector<std::string> TransparencyPage::RefreshWindowList() {
  Lstform.SetLines(ListVisibleWindows(windows_, listedWindows));
  return Lstform.Lines();
}

void TransparencyPage::LstformClick() { SBTF.SetEnabled(Lstform.SelectedLine() != appTitle_); }

void TransparencyPage::SBTFClick() {
  if (Lstform.ItemIndex() < 0) {
    messages_.Show(kNoSelectionText, kNoSelectionCaption, kNoSelectionFlags);
    return;
  }
  WindowItemClick(Lstform.ItemIndex());
}

void TransparencyPage::FrmTBChange() { Label7.SetCaption(std::to_string(FrmTB.Value())); }

// A line or entry whose window has closed since names a handle that no longer exists: the
// request has no effect. A window that refuses is named once; later refusals are silent.
void TransparencyPage::WindowItemClick(int index) {
  const WindowHandle w = listedWindows.At(index);
  if (!w || windows_.SetAlpha(w, FrmTB.Value()) || !refusalsShown_.insert(w).second) return;
  messages_.Show(kRefusedBefore + windows_.Title(w) + kRefusedAfter, kNoSelectionCaption, kMbOk | kMbIconExclamation);
}

}  // namespace tovr::transparency
