#include "app/MainForm.h"

#include <stdexcept>

#include "app/AppTitle.h"
#include "app/TrayMenu.h"

namespace tovr::app {

TKWForm::TKWForm(AppPorts p)
    : ports(p),
      exePath(p.env.ExePath()),
      configPlace(PlaceConfig(p.files, exePath, p.env.AppDataPath())),
      settings(p.files, configPlace.path),
      toggles(p.registry),
      quickActions(p.quickShell, p.files, p.messages, HelpPath(exePath)),
      guard(p.messages, ApplicationTitle(exePath)),
      PC("PC", {{"TSshortcut", "快捷方式", {}, {}},
                {"TSWP", "桌面壁纸", {}, {}},
                {"TSicon", "桌面图标", {}, {}},
                {"TSRun", "启动管理", {}, {}},
                {"TSmemory", "内存整理", {}, {}},
                {"TSTrans", "透明设置", {}, {}},
                {"TSSet", "系统设置", {}, {}}}),
      PopupMenu1(BuildTrayMenu()),
      shortcutPage({p.files, p.registry, p.messages, p.icons, p.links, p.shell, p.dialogs},
                   *PopupMenu1, [this] {
                     // The import ends on the shortcut page of the shown window.
                     PC.SetActivePage("TSshortcut");
                     ShowMainWindow();
                   }),
      transparencyPage(p.windows, p.messages, ApplicationTitle(exePath),
                       {[this](int a) { SetMainWindowAlpha(a); }, [this](int a) { SetTaskbarAlpha(a); },
                        [this](int a) { SetStartMenuAlpha(a); }}),
      memoryPage({p.memoryMonitor, p.memoryBlocks}, MenuItemNamed("menumem"),
                 [this] { return ports.env.TickCount(); },
                 [this](const std::string& hint) { SetTrayHint(hint); }),
      startupPage({p.registry, p.files, p.icons, p.shell, p.dialogs, p.startupSystem, p.links, p.messages}),
      updateCheck({p.http, p.messages, p.files, p.updateSystem, p.notifierWindow}, *PopupMenu1,
                  {chkP, edtpx, edtpr}, programFileTime),
      wallpaperPage({p.files, p.registry, p.messages, p.activeDesktop, p.wallpaperSystem, p.pictureDialogs,
                     [&icons = p.icons, &files = p.files](const std::string& path) {
                       return ListIconIndex(icons, files, path, false);
                     }},
                    {[this] { ApplyIconStyle(); },
                     [this](bool hidden, bool refreshNow) { SetDesktopIconsHidden(hidden, refreshNow); },
                     [this] { return DesktopIconsVisible(); }},
                    random, activeDesktopOn),
      iconPage({p.desktopListView, p.colourDialog, p.registry, p.activeDesktop,
                [this](int index) { return ports.env.SystemColor(index); }, p.files, p.messages,
                ApplicationTitle(exePath), desktop::IconLayoutPath(configPlace.path)},
               MenuItemNamed("m202"), activeDesktopOn) {
  // The form's design state, set before any handler is connected.
  SpinEdit3.SetEnabled(false);
  edtpx.SetEnabled(false);
  edtpr.SetEnabled(false);
  CKAMICON.SetVisible(false);
  SpinEdit3.SetIncrement(5);
  // The window starts hidden: its pages are not showing.
  PC.SetShowing(false);

  bN.SetHint("添加");
  bd.SetHint("删除");
  bC.SetHint("修改");
  bR.SetHint("刷新");
  sbweb.SetHint(std::string("访问主页 ") + tweaks::kHomePageUrl);
  sbmail.SetHint(std::string("发送邮件 ") + tweaks::kFeedbackAddress);
  btnhelp.SetHint("打开帮助");
  bOK.SetHint("保存设置");
  bCC.SetHint("关闭");

  Place(kPageShortcut, shortcutPage.Controls());
  Place(kPageWallpaper, wallpaperPage.Controls());
  Place(kPageIcon, iconPage.Controls());
  Place(kPageMemory, memoryPage.Controls());
  Place(kPageTrans, transparencyPage.Controls());
  Place(kPageSet, {&CT, &SpinEdit3, &CS, &chkupdate, &chkP, &lblproxy, &edtpx, &lblport, &edtpr,
                   &CE, &CKExitSave, &CW, &CKAMICON, &menuHotKeyLabel, &menuHotKey});
  Place(kSidePanel, {&Panel1, &Panel2, &bN, &bd, &bC, &bR, &sbweb, &sbmail, &btnhelp, &bOK, &bCC});

  WireControls();
  WireMenu();
}

TKWForm::~TKWForm() = default;

bool TKWForm::Dispatch(std::string_view name, const std::function<void()>& event) {
  return guard.Run(name, event);
}

void TKWForm::Place(int page, const std::vector<controls::Control*>& list) {
  for (controls::Control* c : list) placed_.push_back({c, page});
}

void TKWForm::WireControls() {
  auto& pages = PC.Pages();
  pages[kPageWallpaper].OnShow = [this] { SelectCurrentWallpaper(); };
  pages[kPageMemory].OnShow = [this] { TSmemoryShow(); };
  pages[kPageMemory].OnHide = [this] { TSmemoryHide(); };
  pages[kPageTrans].OnShow = [this] { TSTransShow(); };
  pages[kPageSet].OnShow = [this] { TSSetShow(); };
  PC.OnChange = [this] { PCChange(); };

  wallpaperPage.CB.OnClick = [this] { CBClick(); };
  wallpaperPage.CA.OnClick = [this] { CAClick(); };
  wallpaperPage.CBB.OnChange = [this] { CBBChange(); };
  wallpaperPage.SPInt.OnChange = [this] { SPIntChange(); };
  CS.OnClick = [this] { CSClick(); };
  CT.OnClick = [this] { CTClick(); };
  transparencyPage.CTT.OnClick = [this] { CTTClick(); };
  transparencyPage.CTM.OnClick = [this] { CTMClick(); };
  SpinEdit3.OnChange = [this] { SpinEdit3Change(); };
  transparencyPage.SpinEdit5.OnChange = [this] { SpinEdit5Change(); };
  transparencyPage.SpinEdit6.OnChange = [this] { SpinEdit6Change(); };
  iconPage.C4.OnClick = [this] { C4Click(); };
  iconPage.CheckBox2.OnClick = [this] { CheckBox2Click(); };
  chkP.OnClick = [this] { chkPClick(); };
  for (controls::RadioButton* r : iconPage.iconStyleGroup.Buttons()) {
    r->OnClick = [this, r] { RClick(*r); };
  }
  memoryPage.MemLevel.OnChange = [this] { MemLevelChange(); };
  memoryPage.DLevel.OnChange = [this] { DLevelChange(); };
  memoryPage.CPULevel.OnChange = [this] { CPULevelChange(); };
  memoryPage.Button2.OnClick = [this] { Button2Click(); };
  iconPage.PnlFC.OnClick = [this] { PnlFCClick(); };
  iconPage.PnlBC.OnClick = [this] { PnlBCClick(); };

  shortcutPage.bin.OnClick = [this] { binClick(); };
  shortcutPage.bdel.OnClick = [this] { bdelClick(); };
  shortcutPage.SpeedButton1.OnClick = [this] { SpeedButton1Click(); };
  bN.OnClick = [this] { bNClick(); };
  bd.OnClick = [this] { bdClick(); };
  bC.OnClick = [this] { bCClick(); };
  bR.OnClick = [this] { bRClick(); };
  sbweb.OnClick = [this] { sbwebClick(); };
  sbmail.OnClick = [this] { sbmailClick(); };
  btnhelp.OnClick = [this] { btnhelpClick(); };
  bOK.OnClick = [this] { bOKClick(); };
  bCC.OnClick = [this] { bCCClick(); };

  wallpaperPage.Timer1.OnTimer = [this] { Timer1Timer(); };
  wallpaperPage.Img.OnDblClick = [this] { ImgDblClick(); };
  iconPage.TimerIcon.OnTimer = [this] { TimerIconTimer(); };
  iconPage.layoutRestoreDelay.OnTimer = [this] { layoutRestoreDelayTimer(); };
  memoryPage.Timermem.OnTimer = [this] { TimermemTimer(); };
  updateCheck.tmrupdate.OnTimer = [this] { tmrupdateTimer(); };
  updateCheck.onDownloadProgress = [this](std::optional<int> percent) { ShowDownloadProgress(percent); };
}

void TKWForm::SetTrayHint(const std::string& hint) {
  trayHint_ = hint;
  if (!downloadShown_) ports.ui.SetTrayHint(hint);
}

void TKWForm::ShowDownloadProgress(std::optional<int> percent) {
  downloadShown_ = percent.has_value();
  ports.ui.SetTrayHint(percent ? update::DownloadProgressHint(*percent) : trayHint_);
}

void TKWForm::WireMenu() {
  struct Action {
    const char* name;
    void (TKWForm::*handler)();
  };
  static const Action kActions[] = {
      {"m1", &TKWForm::m1Click},           {"m201", &TKWForm::m201Click},
      {"m202", &TKWForm::m202Click},       {"m203", &TKWForm::m203Click},
      {"menuSaveIconLayout", &TKWForm::SaveIconLayoutClick},
      {"menuRestoreIconLayout", &TKWForm::RestoreIconLayoutClick},
      {"mrs", &TKWForm::mrsClick},         {"mosp", &TKWForm::mospClick},
      {"menumem", &TKWForm::menumemClick}, {"menuopencd", &TKWForm::menuopencdClick},
      {"menuclosecd", &TKWForm::menuclosecdClick},
      {"N2", &TKWForm::N2Click},           {"N3", &TKWForm::N3Click},
      {"MenuCV", &TKWForm::MenuCVClick},   {"menudown", &TKWForm::menudownClick},
      {"N9", &TKWForm::N9Click},           {"m304", &TKWForm::m304Click},
      {"m305", &TKWForm::m305Click},       {"m306", &TKWForm::m306Click},
      {"menuclose", &TKWForm::menucloseClick},
  };
  for (const Action& a : kActions) {
    MenuItemNamed(a.name).OnClick = [this, h = a.handler] { (this->*h)(); };
  }
}

controls::MenuItem& TKWForm::MenuItemNamed(std::string_view name) {
  controls::MenuItem* item = FindMenuItem(name);
  if (!item) throw std::logic_error("tray menu item missing: " + std::string(name));
  return *item;
}

controls::Control* TKWForm::FindControl(std::string_view name) {
  if (name == PC.Name()) return &PC;
  for (const Placed& p : placed_) {
    if (p.control->Name() == name) return p.control;
  }
  return nullptr;
}

controls::Timer* TKWForm::FindTimer(std::string_view name) {
  for (controls::Timer* t : Timers()) {
    if (t->Name() == name) return t;
  }
  return nullptr;
}

controls::MenuItem* TKWForm::FindMenuItem(std::string_view name) {
  return PopupMenu1 ? PopupMenu1->Find(std::string(name)) : nullptr;
}

std::vector<controls::Control*> TKWForm::ControlsOfPage(int page) {
  std::vector<controls::Control*> out;
  for (const Placed& p : placed_) {
    if (p.page == page) out.push_back(p.control);
  }
  return out;
}

std::vector<controls::Timer*> TKWForm::Timers() {
  return {&wallpaperPage.Timer1, &iconPage.TimerIcon, &memoryPage.Timermem, &updateCheck.tmrupdate,
          &iconPage.layoutRestoreDelay};
}

// ---- Control handlers ----------------------------------------------------------------------

void TKWForm::CBClick() { wallpaperPage.CBClick(); }
void TKWForm::CAClick() { wallpaperPage.CAClick(); }
void TKWForm::CBBChange() { wallpaperPage.CBBChange(); }
void TKWForm::SPIntChange() { wallpaperPage.SPIntChange(); }

// The tray menu is rebuilt in the chosen form by the next save.
void TKWForm::CSClick() { shortcutPage.shortcutsChanged = true; }


void TKWForm::chkPClick() {
  edtpx.SetEnabled(chkP.Checked());
  edtpr.SetEnabled(chkP.Checked());
}

void TKWForm::MemLevelChange() { memoryPage.MemLevelChange(); }
void TKWForm::DLevelChange() { memoryPage.DLevelChange(); }
void TKWForm::CPULevelChange() { memoryPage.CPULevelChange(); }
void TKWForm::Button2Click() { memoryPage.Button2Click(); }

}  // namespace tovr::app
