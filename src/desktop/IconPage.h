// The desktop icon page iconsTab as one object: the caption colour panels and their labels, the
// transparent background and periodic re-apply boxes with the period, hiding all icons, the
// arrangement buttons iconStyleNoneRadio..iconStyleEllipsesRadio with the circle's parameters, the timer
// iconRefreshTimer and the style in force (iconStyle), the saved icon positions (the tray's save and restore, and the
// restore a moment after the desktop's size changed), with the page's operations over the desktop's ports. The main
// window holds one and delegates each handler to it in one line; the settings load and save read and write its
// controls. The Win32 view (desktop/win32/IconPageView) adds what the shared control binding does not give these
// controls.
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

struct IconPagePorts : DesktopSystemPorts {
  IRegistry& registry;
  IActiveDesktopObject& activeDesktop;
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
std::string RgbLabelText(std::uint32_t colour, ISystemColours& systemColours);

class IconPage {
 public:
  // `hideIconsItem` is the tray menu's hide toggle; `activeDesktopOn` the main window's shared flag.
  IconPage(IconPagePorts ports, controls::MenuItem& hideIconsItem, const bool& activeDesktopOn);
  IconPage(const IconPage&) = delete;
  IconPage& operator=(const IconPage&) = delete;

  // The controls placed on the page, in layout order.
  std::vector<controls::Control*> Controls();

  // ---- Handlers -------------------------------------------------------------------------
  void OnIconTextColourClicked();  // the colour dialog preset to the panel's colour; iconTextRgbLabel follows
  void OnIconTextBackColourClicked();
  void OnTransparentTextBackClicked();
  void OnIconRefreshClicked();
  void OnIconStyleClicked(const controls::RadioButton& button);
  void OnIconRefreshTimer();      // the caption colours again
  void OnHideIconsItemClicked();  // toggles hiding at once; hideIconsBox follows
  void OnSaveIconLayoutItemClicked();
  void OnRestoreIconLayoutItemClicked();  // then the caption colours, as after an arrangement
  // The desktop's size changed (WM_DISPLAYCHANGE): with the box ticked, the restore waits for
  // Explorer, each change starting the wait again.
  void OnDesktopSizeChanged();
  // The wait is over: the positions saved for the new size go back, only while no arrangement
  // is chosen (an arrangement places the icons by its own rule) and the box is still ticked.
  void OnLayoutRestoreDelayTimer();

  // ---- Operations -----------------------------------------------------------------------
  // The arrangement of iconStyle, then the caption colours.
  void ApplyIconStyle();
  void ApplyIconColours();
  void SetDesktopIconsHidden(bool hidden, bool refreshNow) { icons_.SetDesktopIconsHidden(hidden, refreshNow); }
  bool DesktopIconsVisible() { return icons_.DesktopIconsVisible(); }
  std::string RgbLabelText(std::uint32_t colour) const { return desktop::RgbLabelText(colour, systemColours_); }
  // iconRefreshTimer's period is iconRefreshSeconds seconds; it runs when that is at least 1 and iconRefreshBox is
  // ticked (settings load and save).
  void RestartRefreshTimer();

  // ---- Controls -------------------------------------------------------------------------
  controls::Label iconTextColourLabel{"iconTextColourLabel", "图标文字前景色"};
  controls::ColorPanel iconTextColourSwatch{"iconTextColourSwatch", 16777215};
  controls::Label iconTextRgbLabel{"iconTextRgbLabel", "RGB   "};
  controls::Label iconTextBackColourLabel{"iconTextBackColourLabel", "图标文字背景色"};
  controls::ColorPanel iconTextBackColourSwatch{"iconTextBackColourSwatch", 0};
  controls::Label iconTextBackRgbLabel{"iconTextBackRgbLabel", "RGB   "};
  controls::CheckBox transparentTextBackBox{"transparentTextBackBox", "透明背景色"};
  controls::CheckBox iconRefreshBox{"iconRefreshBox", "定时自动图标背景色    时间间隔(秒)"};
  controls::SpinEdit iconRefreshSeconds{"iconRefreshSeconds", 0, 3600, 5};
  controls::CheckBox hideIconsBox{"hideIconsBox", "隐藏桌面上的所有图标"};
  controls::RadioGroup iconStyleGroup;
  // The Tag of each is its IconStyle value.
  controls::RadioButton iconStyleNoneRadio{"iconStyleNoneRadio", "不改变对齐方式（默认）", iconStyleGroup, 0};
  controls::RadioButton iconStyleLeftRadio{"iconStyleLeftRadio", "桌面图标左对齐", iconStyleGroup, 1};
  controls::RadioButton iconStyleRightRadio{"iconStyleRightRadio", "桌面图标右对齐", iconStyleGroup, 2};
  controls::RadioButton iconStyleTopRadio{"iconStyleTopRadio", "桌面图标上对齐", iconStyleGroup, 3};
  controls::RadioButton iconStyleBottomRadio{"iconStyleBottomRadio", "桌面图标下对齐", iconStyleGroup, 4};
  controls::RadioButton iconStyleEllipsesRadio{"iconStyleEllipsesRadio", "桌面图标围绕中心点排列", iconStyleGroup, 5};
  controls::Label circleRadiusLabel{"circleRadiusLabel", "半径"};
  controls::SpinEdit circleRadius{"circleRadius", 0, 10000, 300};
  controls::Label ellipseRatioLabel{"ellipseRatioLabel", "椭圆度"};
  controls::SpinEdit ellipseRatio{"ellipseRatio", 10, 1000, 100};
  controls::Label ringCountLabel{"ringCountLabel", "层数"};
  controls::SpinEdit ringCount{"ringCount", 1, 10, 1};
  controls::CheckBox autoRestoreLayout{"autoRestoreLayout", "分辨率改变后自动恢复图标位置"};
  controls::Timer iconRefreshTimer{"iconRefreshTimer", 60000, false};
  controls::Timer layoutRestoreDelayTimer{"layoutRestoreDelayTimer", kLayoutRestoreDelayMs, false};
  int iconStyle = 0;  // IconStyle: the Tag of the last clicked iconStyleNoneRadio..iconStyleEllipsesRadio

 private:
  void PickColour(controls::ColorPanel& panel, controls::Label& label);

  IDesktopListView& listView_;
  IColourDialog& colourDialog_;
  ISystemColours& systemColours_;
  controls::MenuItem& hideIconsItem_;
  DesktopIcons icons_;
  IconLayouts layouts_;
};

}  // namespace tovr::desktop
