// The transparency page TSTrans as one object: the taskbar and Start menu boxes with their
// alphas, the window list Lstform with its table listedWindows, the slider FrmTB and the
// buttons SBRF and SBTF, and the operations that make the main window, the taskbars, the
// Start menu and a chosen window translucent. The main window's own box CT and its alpha
// SpinEdit3 sit on the settings page; their handlers are here too. The main window holds one
// and delegates each handler to it in one line; the Win32 view
// (transparency/win32/TransparencyPageView) mirrors its controls.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/ListBox.h"
#include "controls/RangeControl.h"
#include "platform/MessageBox.h"
#include "transparency/ListedWindows.h"
#include "transparency/WindowSystem.h"

namespace tovr::transparency {

// Where the handlers send the alphas they apply. The main window routes them through its own
// operations (SetMainWindowAlpha...), which come back to this page's; empty ones go straight
// to this page's operations.
struct AlphaRoutes {
  std::function<void(int)> mainWindow;
  std::function<void(int)> taskbar;
  std::function<void(int)> startMenu;
};

class TransparencyPage {
 public:
  // `appTitle` is the application's title: its line in the list cannot be made translucent.
  TransparencyPage(IWindowSystem& windows, IMessageBox& messages, std::string appTitle, AlphaRoutes routes = {});
  TransparencyPage(const TransparencyPage&) = delete;
  TransparencyPage& operator=(const TransparencyPage&) = delete;

  // The controls placed on the page, in layout order; Lstform and FrmTB have a view of their
  // own and are not listed.
  std::vector<controls::Control*> Controls();

  // ---- The operations ---------------------------------------------------------------------
  void SetMainWindowAlpha(int alpha);
  void SetTaskbarAlpha(int alpha);    // every taskbar
  void SetStartMenuAlpha(int alpha);  // every Start menu window; the walk goes to the end

  // ---- Handlers ----------------------------------------------------------------------------
  // SpinEdit3 is enabled exactly when CT is ticked; the main window gets its value, or 255.
  void CTClick(const controls::CheckBox& CT, controls::SpinEdit& SpinEdit3);
  void SpinEdit3Change(const controls::CheckBox& CT, const controls::SpinEdit& SpinEdit3);
  void CTTClick();
  void SpinEdit5Change();
  void CTMClick();
  void SpinEdit6Change();
  void N2Click();  // the taskbar gets SpinEdit5's alpha, ticked or not
  void N3Click();  // the Start menu gets SpinEdit6's alpha, ticked or not
  // SBRF, the page's showing and each opening of the tray menu: Lstform and listedWindows
  // filled anew; returns Lstform's lines.
  std::vector<std::string> RefreshWindowList();
  void LstformClick();  // SBTF enabled unless the line is the application's title
  void SBTFClick();     // the selected line's window gets FrmTB's alpha
  void FrmTBChange();   // Label7 shows the position
  void WindowItemClick(int index);  // a window entry of the tray menu: FrmTB's alpha

  controls::CheckBox CTT{"CTT", "任务栏半透明效果"};
  controls::SpinEdit SpinEdit5{"SpinEdit5", 20, 255, 200};
  controls::CheckBox CTM{"CTM", "开始菜单半透明效果"};
  controls::SpinEdit SpinEdit6{"SpinEdit6", 20, 255, 200};
  controls::Label LblNeeds{"LblNeeds", "透明设置要求操作系统"};
  controls::Label LblSystems{"LblSystems", "在Win2000、Win XP下"};
  controls::ListBox Lstform{"Lstform"};
  controls::Button SBRF{"SBRF", "刷新可视窗口"};
  controls::Label Label10{"Label10", "拖动滑杆来调节窗口的透明度:"};
  controls::TrackBar FrmTB{"FrmTB", 0, 255, 200};
  controls::Label Label7{"Label7", "200"};
  controls::Button SBTF{"SBTF", "设置窗口透明"};
  ListedWindows listedWindows;

 private:
  void Route(const std::function<void(int)>& route, void (TransparencyPage::*own)(int), int alpha);

  IWindowSystem& windows_;
  IMessageBox& messages_;
  std::string appTitle_;
  AlphaRoutes routes_;
  std::set<WindowHandle> refusalsShown_;  // windows whose refusal was reported
};

}  // namespace tovr::transparency
