// The desktop icon page TSicon as one object: the caption colour panels and their labels, the
// transparent background and periodic re-apply boxes with the period, hiding all icons, the
// arrangement buttons R0..R5 with the circle's parameters, the timer TimerIcon and the style
// in force (iconStyle), the saved icon positions (the tray's save and restore, and the restore
// a moment after the desktop's size changed), with the page's operations over the desktop's
// ports. The main window holds one and delegates each handler to it in one line; the settings
// load and save read and write its controls. The Win32 view (desktop/win32/IconPageView) adds
// what the shared control binding does not give these controls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/CheckBox.h"
#include "controls/Control.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/RangeControl.h"
#include "controls/Timer.h"
#include "desktop/DesktopIcons.h"
#include "desktop/DesktopPorts.h"
#include "desktop/IconLayouts.h"
#include "platform/ActiveDesktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"

namespace tovr::desktop {

struct IconPagePorts {
  IDesktopListView& listView;
  IColourDialog& colourDialog;
  IRegistry& registry;
  IActiveDesktopObject& activeDesktop;
  std::function<std::uint32_t(int index)> systemColour;  // GetSysColor
  IFileSystem& files;
  IMessageBox& messages;
  std::string title;       // of the message boxes
  std::string layoutPath;  // IconLayout.ini
};

// Explorer moves the icons itself a moment after the desktop's size changed; the saved
// positions are put back once it is done.
inline constexpr unsigned kLayoutRestoreDelayMs = 2000;

// "RGB: %3d,%3d,%3d": red is the low byte, green the second, blue the value / 65536. A system
// colour (top bit set) is first resolved to its RGB value.
std::string RgbLabelText(std::uint32_t colour, const std::function<std::uint32_t(int)>& systemColour);

class IconPage {
 public:
  // `m202` is the tray menu's hide toggle; `activeDesktopOn` the main window's shared flag.
  IconPage(IconPagePorts ports, controls::MenuItem& m202, const bool& activeDesktopOn);
  IconPage(const IconPage&) = delete;
  IconPage& operator=(const IconPage&) = delete;

  // The controls placed on the page, in layout order.
  std::vector<controls::Control*> Controls();

  // ---- Handlers -------------------------------------------------------------------------
  void PnlFCClick();  // the colour dialog preset to the panel's colour; LBLFC follows
  void PnlBCClick();
  void C4Click();
  void CheckBox2Click();
  void RClick(const controls::RadioButton& button);
  void TimerIconTimer();  // the caption colours again
  void m202Click();       // toggles hiding at once; CKHideIcon follows
  void SaveIconLayoutClick();
  void RestoreIconLayoutClick();  // then the caption colours, as after an arrangement
  // The desktop's size changed (WM_DISPLAYCHANGE): with the box ticked, the restore waits for
  // Explorer, each change starting the wait again.
  void DisplayChanged();
  // The wait is over: the positions saved for the new size go back, only while no arrangement
  // is chosen (an arrangement places the icons by its own rule) and the box is still ticked.
  void LayoutRestoreDelayTimer();

  // ---- Operations -----------------------------------------------------------------------
  // The arrangement of iconStyle, then the caption colours.
  void ApplyIconStyle();
  void ApplyIconColours();
  void SetDesktopIconsHidden(bool hidden, bool refreshNow) { icons_.SetDesktopIconsHidden(hidden, refreshNow); }
  bool DesktopIconsVisible() { return icons_.DesktopIconsVisible(); }
  std::string RgbLabelText(std::uint32_t colour) const { return desktop::RgbLabelText(colour, systemColour_); }
  // TimerIcon's period is SpinEdit4 seconds; it runs when that is at least 1 and CheckBox2 is
  // ticked (settings load and save).
  void RestartRefreshTimer();

  // ---- Controls -------------------------------------------------------------------------
  controls::Label L5{"L5", "图标文字前景色"};
  controls::ColorPanel PnlFC{"PnlFC", 16777215};
  controls::Label LBLFC{"LBLFC", "RGB   "};
  controls::Label L6{"L6", "图标文字背景色"};
  controls::ColorPanel PnlBC{"PnlBC", 0};
  controls::Label LBLBC{"LBLBC", "RGB   "};
  controls::CheckBox C4{"C4", "透明背景色"};
  controls::CheckBox CheckBox2{"CheckBox2", "定时自动图标背景色    时间间隔(秒)"};
  controls::SpinEdit SpinEdit4{"SpinEdit4", 0, 3600, 5};
  controls::CheckBox CKHideIcon{"CKHideIcon", "隐藏桌面上的所有图标"};
  controls::RadioGroup iconStyleGroup;
  // The Tag of each is its IconStyle value.
  controls::RadioButton R0{"R0", "不改变对齐方式（默认）", iconStyleGroup, 0};
  controls::RadioButton R1{"R1", "桌面图标左对齐", iconStyleGroup, 1};
  controls::RadioButton R2{"R2", "桌面图标右对齐", iconStyleGroup, 2};
  controls::RadioButton R3{"R3", "桌面图标上对齐", iconStyleGroup, 3};
  controls::RadioButton R4{"R4", "桌面图标下对齐", iconStyleGroup, 4};
  controls::RadioButton R5{"R5", "桌面图标围绕中心点排列", iconStyleGroup, 5};
  controls::Label L3{"L3", "半径"};
  controls::SpinEdit SpinEdit1{"SpinEdit1", 0, 10000, 300};
  controls::Label L4{"L4", "椭圆度"};
  controls::SpinEdit SpinEdit2{"SpinEdit2", 10, 1000, 100};
  controls::Label Label11{"Label11", "层数"};
  controls::SpinEdit SpinEdit7{"SpinEdit7", 1, 10, 1};
  controls::CheckBox autoRestoreLayout{"autoRestoreLayout", "分辨率改变后自动恢复图标位置"};
  controls::Timer TimerIcon{"TimerIcon", 60000, false};
  controls::Timer layoutRestoreDelay{"layoutRestoreDelay", kLayoutRestoreDelayMs, false};
  int iconStyle = 0;  // IconStyle: the Tag of the last clicked R0..R5

 private:
  void PickColour(controls::ColorPanel& panel, controls::Label& label);

  IDesktopListView& listView_;
  IColourDialog& colourDialog_;
  std::function<std::uint32_t(int)> systemColour_;
  controls::MenuItem& m202_;
  DesktopIcons icons_;
  IconLayouts layouts_;
};

}  // namespace tovr::desktop
