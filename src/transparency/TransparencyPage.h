// The transparency page transparencyTab as one object: the taskbar and Start menu boxes with their
// alphas, the window list windowList with its table listedWindows, the slider chosenWindowAlphaSlider and the
// buttons refreshWindowListButton and applyChosenWindowAlphaButton, and the operations that make the main window, the
// taskbars, the Start menu and a chosen window translucent. The main window's own box translucentWindowBox and its
// alpha windowAlphaEdit sit on the settings page; their handlers are here too. The main window holds one and delegates
// each handler to it in one line; the Win32 view (transparency/win32/TransparencyPageView) mirrors its controls.
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
  TransparencyPage(TransparencySystemPorts system, IMessageBox& messages, std::string appTitle, AlphaRoutes routes = {});
  TransparencyPage(const TransparencyPage&) = delete;
  TransparencyPage& operator=(const TransparencyPage&) = delete;

  // The controls placed on the page, in layout order; windowList and chosenWindowAlphaSlider have a view of their
  // own and are not listed.
  std::vector<controls::Control*> Controls();

  // ---- The operations ---------------------------------------------------------------------
  void SetMainWindowAlpha(int alpha);
  void SetTaskbarAlpha(int alpha);    // every taskbar
  void SetStartMenuAlpha(int alpha);  // every Start menu window; the walk goes to the end

  // ---- Handlers ----------------------------------------------------------------------------
  // windowAlphaEdit is enabled exactly when translucentWindowBox is ticked; the main window gets its value, or 255.
  void OnTranslucentWindowClicked(const controls::CheckBox& translucentWindowBox, controls::SpinEdit& windowAlphaEdit);
  void OnWindowAlphaChanged(const controls::CheckBox& translucentWindowBox, const controls::SpinEdit& windowAlphaEdit);
  void OnTranslucentTaskbarClicked();
  void OnTaskbarAlphaChanged();
  void OnTranslucentStartMenuClicked();
  void OnStartMenuAlphaChanged();
  void OnTaskbarTransparencyItemClicked();    // the taskbar gets taskbarAlphaEdit's alpha, ticked or not
  void OnStartMenuTransparencyItemClicked();  // the Start menu gets startMenuAlphaEdit's alpha, ticked or not
  // refreshWindowListButton, the page's showing and each opening of the tray menu: windowList and listedWindows
  // filled anew; returns windowList's lines.
  std::vector<std::string> RefreshWindowList();
  void OnWindowListClicked();  // applyChosenWindowAlphaButton enabled unless the line is the application's title
  void OnApplyChosenWindowAlphaClicked();  // the selected line's window gets chosenWindowAlphaSlider's alpha
  void OnChosenWindowAlphaChanged();       // chosenWindowAlphaValueLabel shows the position
  void OnWindowEntryClicked(int index);         // a window entry of the tray menu: chosenWindowAlphaSlider's alpha

  controls::CheckBox translucentTaskbarBox{"translucentTaskbarBox", "任务栏半透明效果"};
  controls::SpinEdit taskbarAlphaEdit{"taskbarAlphaEdit", 20, 255, 200};
  controls::CheckBox translucentStartMenuBox{"translucentStartMenuBox", "开始菜单半透明效果"};
  controls::SpinEdit startMenuAlphaEdit{"startMenuAlphaEdit", 20, 255, 200};
  controls::Label transparencyNeedsLabel{"transparencyNeedsLabel", "透明设置要求操作系统"};
  controls::Label transparencySystemsLabel{"transparencySystemsLabel", "在Win2000、Win XP下"};
  controls::ListBox windowList{"windowList"};
  controls::Button refreshWindowListButton{"refreshWindowListButton", "刷新可视窗口"};
  controls::Label chosenWindowAlphaLabel{"chosenWindowAlphaLabel", "拖动滑杆来调节窗口的透明度:"};
  controls::TrackBar chosenWindowAlphaSlider{"chosenWindowAlphaSlider", 0, 255, 200};
  controls::Label chosenWindowAlphaValueLabel{"chosenWindowAlphaValueLabel", "200"};
  controls::Button applyChosenWindowAlphaButton{"applyChosenWindowAlphaButton", "设置窗口透明"};
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
