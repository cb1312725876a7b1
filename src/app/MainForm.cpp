#include "app/MainForm.h"

#include <stdexcept>

#include "app/AppTitle.h"
#include "app/TrayMenu.h"

namespace tovr::app {

namespace {

// Transition effects of the animated wallpaper page, by the number the page uses. 13/15 and
// 14/16 share a caption; the numbers differ.
std::vector<std::string> TransitionNames() {
  return {"方形收缩", "方形展开", "圆形收缩",   "圆形展开",   "向上擦除",   "向下擦除",
          "向右擦除", "向左擦除", "垂直栅条",   "水平栅条",   "水平栅格",   "垂直栅格",
          "溶解",     "水平关门", "水平开门",   "水平关门",   "水平开门",   "从左下角抽出",
          "从左上角抽出", "从右下角抽出", "从右上角抽出", "水平线", "垂直线", "随机"};
}

std::string Format1(const char* pattern, int n) {
  std::string out(pattern);
  out.replace(out.find("%d"), 2, std::to_string(n));
  return out;
}

}  // namespace

TKWForm::TKWForm(AppPorts p)
    : ports(p),
      exePath(p.env.ExePath()),
      settings(p.files, ConfigPath(exePath)),
      toggles(p.registry),
      guard(p.messages, ApplicationTitle(exePath)),
      PC("PC", {{"TSshortcut", "快捷方式", {}, {}},
                {"TSWP", "桌面壁纸", {}, {}},
                {"TSicon", "桌面图标", {}, {}},
                {"TSRun", "启动管理", {}, {}},
                {"TSmemory", "内存整理", {}, {}},
                {"TSTrans", "透明设置", {}, {}},
                {"TSSet", "系统设置", {}, {}}}),
      CBB("CBB", TransitionNames(), "[ 无 ]"),
      PopupMenu1(BuildTrayMenu()),
      shortcutPage({p.files, p.registry, p.messages, p.icons, p.links, p.shell, p.dialogs},
                   *PopupMenu1, [this] {
                     // The import ends on the shortcut page of the shown window.
                     PC.SetActivePage("TSshortcut");
                     ShowMainWindow();
                   }),
      iconPage({p.desktopListView, p.colourDialog, p.registry, p.activeDesktop,
                [this](int index) { return ports.env.SystemColor(index); }},
               MenuItemNamed("m202"), activeDesktopOn) {
  // The form's design state, set before any handler is connected.
  CBB.SetEnabled(false);
  SPInt.SetEnabled(false);
  SpinEdit3.SetEnabled(false);
  SpinEdit5.SetEnabled(false);
  SpinEdit6.SetEnabled(false);
  edtpx.SetEnabled(false);
  edtpr.SetEnabled(false);
  CKAMICON.SetVisible(false);
  SpinEdit3.SetIncrement(5);
  SpinEdit5.SetIncrement(5);
  SpinEdit6.SetIncrement(5);
  MemLevel.SetIncrement(8);
  DLevel.SetIncrement(8);
  CPULevel.SetIncrement(8);
  MemLevelChange();
  DLevelChange();
  CPULevelChange();
  // The window starts hidden: its pages are not showing.
  PC.SetShowing(false);

  bN.SetHint("添加");
  bd.SetHint("删除");
  bC.SetHint("修改");
  bR.SetHint("刷新");
  sbweb.SetHint(std::string("访问主页 ") + kHomePageUrl);
  sbmail.SetHint(std::string("发送邮件 ") + kFeedbackAddress);
  btnhelp.SetHint("打开帮助");
  bOK.SetHint("保存设置");
  bCC.SetHint("关闭");

  Place(kPageShortcut, shortcutPage.Controls());
  Place(kPageWallpaper, {&Cn, &CR, &CA, &SPInt, &L1, &L2, &CB, &CBB});
  Place(kPageIcon, iconPage.Controls());
  Place(kPageMemory, {&LInfo, &MemLevel, &Dinfo, &DLevel, &CInfo, &CPULevel});
  Place(kPageTrans, {&CTT, &SpinEdit5, &CTM, &SpinEdit6});
  Place(kPageSet, {&CT, &SpinEdit3, &CS, &chkupdate, &chkP, &lblproxy, &edtpx, &lblport, &edtpr,
                   &CE, &CKExitSave, &CW, &CKAMICON});
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

  CB.OnClick = [this] { CBClick(); };
  CA.OnClick = [this] { CAClick(); };
  CBB.OnChange = [this] { CBBChange(); };
  SPInt.OnChange = [this] { SPIntChange(); };
  CS.OnClick = [this] { CSClick(); };
  CT.OnClick = [this] { CTClick(); };
  CTT.OnClick = [this] { CTTClick(); };
  CTM.OnClick = [this] { CTMClick(); };
  SpinEdit3.OnChange = [this] { SpinEdit3Change(); };
  SpinEdit5.OnChange = [this] { SpinEdit5Change(); };
  SpinEdit6.OnChange = [this] { SpinEdit6Change(); };
  iconPage.C4.OnClick = [this] { C4Click(); };
  iconPage.CheckBox2.OnClick = [this] { CheckBox2Click(); };
  chkP.OnClick = [this] { chkPClick(); };
  for (controls::RadioButton* r : iconPage.iconStyleGroup.Buttons()) {
    r->OnClick = [this, r] { RClick(*r); };
  }
  MemLevel.OnChange = [this] { MemLevelChange(); };
  DLevel.OnChange = [this] { DLevelChange(); };
  CPULevel.OnChange = [this] { CPULevelChange(); };
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

  Timer1.OnTimer = [this] { Timer1Timer(); };
  iconPage.TimerIcon.OnTimer = [this] { TimerIconTimer(); };
  Timermem.OnTimer = [this] { TimermemTimer(); };
  tmrupdate.OnTimer = [this] { tmrupdateTimer(); };
}

void TKWForm::WireMenu() {
  struct Action {
    const char* name;
    void (TKWForm::*handler)();
  };
  static const Action kActions[] = {
      {"m1", &TKWForm::m1Click},           {"m201", &TKWForm::m201Click},
      {"m202", &TKWForm::m202Click},       {"m203", &TKWForm::m203Click},
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
  return {&Timer1, &iconPage.TimerIcon, &Timermem, &tmrupdate};
}

// ---- Control handlers ----------------------------------------------------------------------

// The animated wallpaper page cycles the pictures itself: it needs the interval, and rotates
// in list order.
void TKWForm::CBClick() {
  CBB.SetEnabled(CB.Checked());
  if (CB.Checked()) {
    CA.SetChecked(true);
    Cn.SetChecked(false);
    SPInt.SetEnabled(true);
  }
  wallpaperApplyPending = true;
}

void TKWForm::CAClick() { SPInt.SetEnabled(CA.Checked()); }

void TKWForm::CBBChange() { wallpaperApplyPending = true; }

void TKWForm::SPIntChange() { wallpaperApplyPending = true; }

// The tray menu is rebuilt in the chosen form by the next save.
void TKWForm::CSClick() { shortcutPage.shortcutsChanged = true; }

void TKWForm::CTClick() {
  SpinEdit3.SetEnabled(CT.Checked());
  SetMainWindowAlpha(CT.Checked() ? SpinEdit3.Value() : 255);
}

void TKWForm::CTTClick() {
  SpinEdit5.SetEnabled(CTT.Checked());
  SetTaskbarAlpha(CTT.Checked() ? SpinEdit5.Value() : 255);
}

void TKWForm::CTMClick() {
  SpinEdit6.SetEnabled(CTM.Checked());
  SetStartMenuAlpha(CTM.Checked() ? SpinEdit6.Value() : 255);
}

void TKWForm::SpinEdit3Change() {
  if (CT.Checked()) SetMainWindowAlpha(SpinEdit3.Value());
}

void TKWForm::SpinEdit5Change() {
  if (CTT.Checked()) SetTaskbarAlpha(SpinEdit5.Value());
}

void TKWForm::SpinEdit6Change() {
  if (CTM.Checked()) SetStartMenuAlpha(SpinEdit6.Value());
}

void TKWForm::chkPClick() {
  edtpx.SetEnabled(chkP.Checked());
  edtpr.SetEnabled(chkP.Checked());
}

void TKWForm::MemLevelChange() {
  LInfo.SetCaption(Format1("整理0-%dMB的内存区域", MemLevel.Value()));
}

void TKWForm::DLevelChange() {
  Dinfo.SetCaption(Format1("当可用物理内存小于 %d% 时自动进行内存整理", DLevel.Value()));
}

void TKWForm::CPULevelChange() {
  CInfo.SetCaption(Format1("当CPU占用率超过 %d% 时不自动进行内存整理", CPULevel.Value()));
}

}  // namespace tovr::app
