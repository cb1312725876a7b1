// The control views against real Win32 controls in a hidden window: a model change shows in
// the control, a user's action on the control (a click, a key, a typed text) reaches the model
// and its handler through the guard; timers run as window timers; menus are built from trees.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/win32/ControlBinder.h"
#include "controls/win32/MenuBinder.h"
#include "controls/win32/TimerBinder.h"

namespace tovr::controls::win32 {
namespace {

// What the test window's procedure forwards to, as a main window's procedure would.
struct Forward {
  ControlBinder* controls = nullptr;
  TimerBinder* timers = nullptr;
  MenuBinder* menus = nullptr;
} forward;

LRESULT CALLBACK TestWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (forward.menus && forward.menus->OnCommand(wParam, lParam)) return 0;
      if (forward.controls && forward.controls->OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (forward.controls && forward.controls->OnNotify(lParam, result)) return result;
      break;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (forward.controls && forward.controls->OnScroll(wParam, lParam)) return 0;
      break;
    case WM_CTLCOLORSTATIC:
      if (forward.controls) {
        HBRUSH brush = forward.controls->OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        if (brush) return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_TIMER:
      if (forward.timers && forward.timers->OnTimer(wParam)) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Points the window procedure at a binder for as long as it lives (declare it after the binder).
template <typename Binder>
struct Hook {
  Hook(Binder& binder, Binder*& slot) : slot_(slot) { slot_ = &binder; }
  ~Hook() { slot_ = nullptr; }
  Binder*& slot_;
};

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

bool Shown(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

class ControlBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TestWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TovraneControlBindingTest";
    RegisterClassW(&windowClass);  // fails harmlessly from the second test on
    window_ = CreateWindowExW(0, L"TovraneControlBindingTest", L"test", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  // Records the handler names the binders run through their guard.
  ActionGuard Recorder() {
    return [this](const std::string& name, const std::function<void()>& action) {
      guarded_.push_back(name);
      action();
    };
  }
  void Command(HWND control, WORD code) {
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
  }
  static void Key(HWND control, WPARAM key) {
    SendMessageW(control, WM_KEYDOWN, key, 0);
    SendMessageW(control, WM_KEYUP, key, 0);
  }

  HWND window_ = nullptr;
  std::vector<std::string> guarded_;
};

const RECT kBox{10, 10, 200, 32};

TEST_F(ControlBindingTest, CheckBoxFollowsTheModelAndClicksReachIt) {
  CheckBox translucentBox{"translucentWindowBox", "主窗口界面半透明效果"};
  int clicks = 0;
  translucentBox.OnClick = [&] { ++clicks; };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  binder.SetGuard(Recorder());
  HWND box = binder.Bind(translucentBox, 101, kBox);
  EXPECT_EQ(TextOf(box), L"主窗口界面半透明效果");

  translucentBox.SetChecked(true);  // the program: handler once, box ticked
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 1);

  SendMessageW(box, BM_CLICK, 0, 0);  // the user
  EXPECT_FALSE(translucentBox.Checked());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(guarded_, std::vector<std::string>{"translucentWindowBoxClick"});

  translucentBox.SetEnabled(false);
  translucentBox.SetCaption("已禁用");
  EXPECT_FALSE(IsWindowEnabled(box));
  EXPECT_EQ(TextOf(box), L"已禁用");
  Command(box, BN_CLICKED);  // a click that reaches a disabled box changes nothing
  EXPECT_FALSE(translucentBox.Checked());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  translucentBox.SetVisible(false);
  EXPECT_FALSE(Shown(box));
}

TEST_F(ControlBindingTest, RadioClickUnticksTheOtherRealButton) {
  RadioGroup group;
  RadioButton r0{"iconStyleNoneRadio", "不改变", group, 0}, r5{"iconStyleEllipsesRadio", "围绕中心", group, 5};
  std::vector<std::string> clicked;
  r0.OnClick = [&] { clicked.push_back("iconStyleNoneRadio"); };
  r5.OnClick = [&] { clicked.push_back("iconStyleEllipsesRadio"); };
  r0.SetChecked(true);
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND b0 = binder.Bind(r0, 110, kBox);
  HWND b5 = binder.Bind(r5, 115, RECT{10, 40, 200, 62});
  EXPECT_EQ(SendMessageW(b0, BM_GETCHECK, 0, 0), BST_CHECKED);

  SendMessageW(b5, BM_CLICK, 0, 0);
  EXPECT_TRUE(r5.Checked());
  EXPECT_FALSE(r0.Checked());
  EXPECT_EQ(SendMessageW(b5, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(b0, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  SendMessageW(b5, BM_CLICK, 0, 0);  // already ticked: no second click
  EXPECT_EQ(clicked, (std::vector<std::string>{"iconStyleNoneRadio", "iconStyleEllipsesRadio"}));
}

TEST_F(ControlBindingTest, SpinEditShowsTheValueAndTakesArrowsAndTyping) {
  SpinEdit spin{"ellipseRatio", 10, 1000, 100};
  spin.SetIncrement(10);
  std::vector<int> changes;
  spin.OnChange = [&] { changes.push_back(spin.Value()); };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  binder.SetGuard(Recorder());
  HWND edit = binder.Bind(spin, 120, kBox);
  HWND arrows = binder.UpDown(spin);
  ASSERT_NE(arrows, nullptr);
  EXPECT_EQ(TextOf(edit), L"100");

  spin.SetValue(150);
  EXPECT_EQ(SendMessageW(arrows, UDM_GETPOS32, 0, 0), 150);
  EXPECT_EQ(TextOf(edit), L"150");
  int low = 0, high = 0;
  spin.SetMax(500);
  SendMessageW(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 500);

  Key(edit, VK_UP);  // the arrow key on the edit steps by the increment
  EXPECT_EQ(spin.Value(), 160);
  EXPECT_EQ(TextOf(edit), L"160");

  SetWindowTextW(edit, L"42");  // typed, in range: taken at once
  EXPECT_EQ(spin.Value(), 42);
  SetWindowTextW(edit, L"5");   // a first digit below the range waits for the focus to leave
  EXPECT_EQ(spin.Value(), 42);
  EXPECT_EQ(TextOf(edit), L"5");
  Command(edit, EN_KILLFOCUS);
  EXPECT_EQ(spin.Value(), 10);
  EXPECT_EQ(TextOf(edit), L"10");
  SetWindowTextW(edit, L"abc");
  Command(edit, EN_KILLFOCUS);
  EXPECT_EQ(TextOf(edit), L"10");
  EXPECT_EQ(changes, (std::vector<int>{150, 160, 42, 10}));
  EXPECT_GE(guarded_.size(), 3u);  // the arrow, the typed number, the focus loss
  for (const std::string& name : guarded_) EXPECT_EQ(name, "ellipseRatioChange");
}

TEST_F(ControlBindingTest, SpinEditKeepsAValueAboveANarrowedRangeUntilEdited) {
  SpinEdit radius{"circleRadius", 0, 10000, 900};
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND edit = binder.Bind(radius, 121, kBox);
  radius.SetMax(384);
  EXPECT_EQ(TextOf(edit), L"900");
  Command(edit, EN_KILLFOCUS);  // passing through the field is not an edit
  EXPECT_EQ(radius.Value(), 900);
  Key(edit, VK_DOWN);  // an arrow is an edit: the step lands inside the range
  EXPECT_EQ(radius.Value(), 384);
  EXPECT_EQ(TextOf(edit), L"384");
}

TEST_F(ControlBindingTest, TrackBarFollowsTheModelAndTheKeyboard) {
  TrackBar level{"memoryLimitSlider", 2, 100, 10};
  int changes = 0;
  level.OnChange = [&] { ++changes; };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND track = binder.Bind(level, 130, kBox);
  EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMIN, 0, 0), 2);
  EXPECT_EQ(SendMessageW(track, TBM_GETRANGEMAX, 0, 0), 100);
  level.SetValue(60);
  EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 60);
  Key(track, VK_RIGHT);
  EXPECT_EQ(level.Value(), 61);
  EXPECT_EQ(changes, 2);
}

TEST_F(ControlBindingTest, ComboBoxSelectionBothWays) {
  ComboBox cbb{"transitionEffectCombo", {"溶解", "水平百叶窗", "随机"}, "[ 无 ]"};
  int changes = 0;
  cbb.OnChange = [&] { ++changes; };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND combo = binder.Bind(cbb, 140, kBox);
  ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
  wchar_t item[32] = {};
  SendMessageW(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, L"随机");
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);

  cbb.SetItemIndex(1);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
  Key(combo, VK_DOWN);  // the user picks the next item
  EXPECT_EQ(cbb.ItemIndex(), 2);
  EXPECT_EQ(changes, 1);
  cbb.SetItemIndex(7);  // outside the items: none
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ControlBindingTest, EditTextBothWays) {
  Edit proxy{"proxyHostEdit"};
  std::vector<std::string> seen;
  proxy.OnChange = [&] { seen.push_back(proxy.Text()); };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND edit = binder.Bind(proxy, 150, kBox);
  proxy.SetText("代理.example");
  EXPECT_EQ(TextOf(edit), L"代理.example");
  SetWindowTextW(edit, L"proxy:8080");
  EXPECT_EQ(proxy.Text(), "proxy:8080");
  EXPECT_EQ(seen, (std::vector<std::string>{"代理.example", "proxy:8080"}));
}

TEST_F(ControlBindingTest, ColorPanelPaintsItsColourAndTakesClicks) {
  ColorPanel panel{"iconTextColourSwatch", 0x0000FF};  // red in the low byte
  int clicks = 0;
  panel.OnClick = [&] { ++clicks; };
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND pnl = binder.Bind(panel, 160, kBox);
  HDC dc = GetDC(pnl);
  auto brushColor = [&] {
    HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(pnl)));
    LOGBRUSH info{};
    GetObjectW(brush, sizeof info, &info);
    return info.lbColor;
  };
  EXPECT_EQ(brushColor(), RGB(255, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));
  panel.SetColor(0x00FF00);
  EXPECT_EQ(brushColor(), RGB(0, 255, 0));
  ReleaseDC(pnl, dc);
  SendMessageW(pnl, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(pnl, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ControlBinder::ToColorRef(0x80000000u | COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ControlBindingTest, PagesShowTheirControlsAndUserSelectionRunsOnChange) {
  PageControl pc{"pageControl",
                 {{"shortcutsTab", "快捷方式"}, {"wallpaperTab", "桌面壁纸"}, {"settingsTab", "系统设置"}}};
  std::vector<std::string> log;
  pc.Pages()[2].OnShow = [&] { log.push_back("OnSettingsPageShown"); };
  pc.OnChange = [&] { log.push_back("OnPageChanged"); };
  Control listPanel{"listButtonsPanel"};
  Button addButton{"addButton", "添加"};
  CheckBox autoRun{"autoRunBox", "随Windows启动自动运行"};
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  binder.SetGuard(Recorder());
  HWND tabs = binder.Bind(pc, 170, RECT{0, 0, 420, 330});
  HWND box = binder.Bind(autoRun, 171, RECT{20, 40, 300, 60});
  HWND add = binder.Bind(addButton, 172, RECT{430, 10, 453, 33});
  binder.PlaceIn(box, pc, 2);
  binder.PlaceIn(add, listPanel);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_FALSE(Shown(box));

  pc.SetActivePage("settingsTab");  // the program: no OnPageChanged
  EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(Shown(box));
  EXPECT_EQ(log, std::vector<std::string>{"OnSettingsPageShown"});

  Key(tabs, VK_LEFT);  // the user
  EXPECT_EQ(pc.ActiveIndex(), 1);
  EXPECT_FALSE(Shown(box));
  EXPECT_EQ(log, (std::vector<std::string>{"OnSettingsPageShown", "OnPageChanged"}));
  EXPECT_EQ(guarded_, std::vector<std::string>{"pageControlChange"});

  EXPECT_TRUE(IsWindowEnabled(add));
  listPanel.SetEnabled(false);  // a panel without a window disables what it holds
  EXPECT_FALSE(IsWindowEnabled(add));
  addButton.SetEnabled(true);
  EXPECT_FALSE(IsWindowEnabled(add));
  listPanel.SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(add));
}

TEST_F(ControlBindingTest, ControlsOnAPageTakeThePageBackground) {
  PageControl pc{"pageControl", {{"settingsTab", "系统设置"}}};
  CheckBox groupedBox{"groupedMenuBox", "使用分组菜单"};
  Edit port{"proxyPortEdit"};
  Label off{"intervalUnitLabel", "分钟"};
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  binder.Bind(pc, 190, RECT{0, 0, 420, 330});
  HWND box = binder.Bind(groupedBox, 191, RECT{20, 40, 300, 60});
  HWND edit = binder.Bind(port, 192, RECT{20, 70, 100, 90}, ES_READONLY);
  HWND label = binder.Bind(off, 193, RECT{20, 100, 100, 120});
  binder.PlaceIn(box, pc, 0);
  binder.PlaceIn(edit, pc, 0);
  HDC dc = GetDC(window_);
  auto brushFor = [&](HWND control) {
    return binder.OnCtlColorStatic(dc, control);
  };
  EXPECT_EQ(brushFor(box), nullptr);  // no page colour set: the window's default
  binder.SetPageBackground(RGB(255, 255, 255));
  HBRUSH brush = brushFor(box);
  ASSERT_NE(brush, nullptr);
  LOGBRUSH info{};
  GetObjectW(brush, sizeof info, &info);
  EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(brushFor(edit), nullptr);   // a field keeps its own colour
  EXPECT_EQ(brushFor(label), nullptr);  // not on a page
  ReleaseDC(window_, dc);
}

TEST_F(ControlBindingTest, HintsBecomeTooltips) {
  Button saveButton{"saveButton"};
  ControlBinder binder(window_, nullptr);
  Hook hook(binder, forward.controls);
  HWND button = binder.Bind(saveButton, 180, kBox);
  saveButton.SetHint("保存设置");
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM found) -> BOOL {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (lstrcmpiW(name, TOOLTIPS_CLASSW) != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  wchar_t text[64] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"保存设置");
}

void Pump(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(5);
  }
}

TEST_F(ControlBindingTest, TimersRunAsWindowTimersWhileEnabled) {
  Timer timer{"wallpaperTimer", 10, false};
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  TimerBinder binder(window_, 500);
  Hook hook(binder, forward.timers);
  binder.SetGuard(Recorder());
  const UINT_PTR id = binder.Bind(timer);
  EXPECT_EQ(id, 500u);
  EXPECT_FALSE(KillTimer(window_, id));  // not started while disabled

  timer.SetEnabled(true);
  Pump([&] { return ticks >= 2; }, 3000);
  EXPECT_GE(ticks, 2);
  ASSERT_FALSE(guarded_.empty());
  EXPECT_EQ(guarded_.front(), "wallpaperTimer");

  timer.SetEnabled(false);
  EXPECT_FALSE(KillTimer(window_, id));  // already stopped by the binder
  timer.SetEnabled(true);
  timer.SetInterval(0);  // no interval: stopped as well
  EXPECT_FALSE(KillTimer(window_, id));
  timer.SetInterval(50);
  EXPECT_TRUE(KillTimer(window_, id));
}

std::wstring MenuText(HMENU menu, UINT position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, 128, MF_BYPOSITION);
  return text;
}

UINT MenuState(HMENU menu, UINT position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fState | info.fType;
}

std::unique_ptr<MenuItem> Item(const std::string& name, const std::string& caption, int tag = 0) {
  return std::make_unique<MenuItem>(name, caption, tag);
}

TEST_F(ControlBindingTest, MenuFromATreeRunsItsItems) {
  MenuItem root{"trayPopupMenu"};
  root.Add(Item("网址", "网址", 3));  // an empty group: a plain item
  root.Add(Item("shortcutsSeparatorItem", "-"));
  MenuItem& showMainWindowItem = root.Add(Item("showMainWindowItem", "显示主界面..."));
  MenuItem& quickActionsItem = root.Add(Item("quickActionsItem", "[快速执行]"));
  quickActionsItem.Add(Item("nextWallpaperItem", "立即手动更换壁纸"));
  quickActionsItem.Add(Item("hideIconsItem", "隐藏桌面所有图标")).SetChecked(true);
  quickActionsItem.Add(Item("refreshIconsItem", "刷新桌面图标")).SetEnabled(false);
  root.Add(Item("downloadUpdateItem", "下载新版本")).SetVisible(false);
  MenuItem& close = root.Add(Item("quitItem", "关闭"));
  std::vector<std::string> clicked;
  showMainWindowItem.OnClick = [&] { clicked.push_back("showMainWindowItem"); };
  close.OnClick = [&] { clicked.push_back("quitItem"); };

  MenuBinder binder;
  Hook hook(binder, forward.menus);
  binder.SetGuard(Recorder());
  HMENU menu = binder.Build(root);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 5);
  EXPECT_EQ(MenuText(menu, 0), L"网址");
  EXPECT_NE(MenuState(menu, 1) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(MenuText(menu, 2), L"显示主界面...");
  EXPECT_EQ(MenuText(menu, 3), L"[快速执行]");
  EXPECT_EQ(MenuText(menu, 4), L"关闭");
  EXPECT_EQ(GetSubMenu(menu, 0), nullptr);
  HMENU quick = GetSubMenu(menu, 3);
  ASSERT_NE(quick, nullptr);
  ASSERT_EQ(GetMenuItemCount(quick), 3);
  EXPECT_EQ(MenuText(quick, 1), L"隐藏桌面所有图标");
  EXPECT_NE(MenuState(quick, 1) & MFS_CHECKED, 0u);
  EXPECT_EQ(MenuState(quick, 0) & (MFS_CHECKED | MFS_DISABLED), 0u);
  EXPECT_NE(MenuState(quick, 2) & MFS_DISABLED, 0u);

  const UINT closeId = GetMenuItemID(menu, 4);
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(closeId, 0), 0);
  EXPECT_EQ(clicked, std::vector<std::string>{"quitItem"});
  EXPECT_EQ(guarded_, std::vector<std::string>{"quitItemClick"});

  // A rebuild hands out new ids: a late command of the old menu runs nothing.
  const UINT oldShowMainWindowId = GetMenuItemID(menu, 2);
  HMENU rebuilt = binder.Build(root);
  EXPECT_NE(GetMenuItemID(rebuilt, 2), oldShowMainWindowId);
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(oldShowMainWindowId, 0), 0);
  EXPECT_EQ(clicked.size(), 1u);
  // An item removed since the build runs nothing either.
  const UINT groupId = GetMenuItemID(rebuilt, 0);
  root.RemoveTagged(3);
  EXPECT_EQ(binder.ItemForCommand(groupId), nullptr);
  EXPECT_FALSE(binder.Run(groupId));
  EXPECT_TRUE(binder.Run(GetMenuItemID(rebuilt, 2)));
  EXPECT_EQ(clicked, (std::vector<std::string>{"quitItem", "showMainWindowItem"}));
}

// Shortcut names and window titles show as typed: "-" is no separator, "&" no access key.
TEST_F(ControlBindingTest, LiteralCaptionsShowAsTyped) {
  MenuItem root{"trayPopupMenu"};
  root.Add(Item("", "-", 3)).SetLiteralCaption(true);
  root.Add(Item("", "A&B && C", 3)).SetLiteralCaption(true);
  root.Add(Item("shortcutsSeparatorItem", "-"));
  MenuBinder binder;
  HMENU menu = binder.Build(root);
  ASSERT_EQ(GetMenuItemCount(menu), 3);
  EXPECT_EQ(MenuState(menu, 0) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(MenuText(menu, 0), L"-");
  EXPECT_EQ(MenuText(menu, 1), L"A&&B &&&& C");
  EXPECT_NE(MenuState(menu, 2) & MFT_SEPARATOR, 0u);
}

TEST_F(ControlBindingTest, MenuItemsShowTheirImageFromTheList) {
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  ASSERT_NE(images, nullptr);
  ASSERT_EQ(ImageList_AddIcon(images, LoadIconW(nullptr, IDI_APPLICATION)), 0);
  MenuItem root{"trayPopupMenu"};
  root.Add(Item("a", "with image")).SetImageIndex(0);
  root.Add(Item("b", "without"));
  root.Add(Item("c", "index beyond the list")).SetImageIndex(9);
  MenuBinder binder;
  binder.SetImages(images);
  HMENU menu = binder.Build(root);
  auto bitmapOf = [&](UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info.hbmpItem;
  };
  HBITMAP bitmap = bitmapOf(0);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmapOf(1), nullptr);
  EXPECT_EQ(bitmapOf(2), nullptr);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
  EXPECT_EQ(dib.dsBm.bmWidth, 16);
  EXPECT_EQ(dib.dsBm.bmHeight, 16);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
  // Premultiplied: some pixels opaque, none brighter than its alpha.
  const auto* pixels = static_cast<const std::uint32_t*>(dib.dsBm.bmBits);
  int opaque = 0, overbright = 0;
  for (int i = 0; i < 16 * 16; ++i) {
    const std::uint32_t alpha = pixels[i] >> 24;
    opaque += alpha == 255 ? 1 : 0;
    for (int shift : {0, 8, 16}) overbright += ((pixels[i] >> shift) & 0xFF) > alpha ? 1 : 0;
  }
  EXPECT_GT(opaque, 0);
  EXPECT_EQ(overbright, 0);
  ImageList_Destroy(images);
}

}  // namespace
}  // namespace tovr::controls::win32
