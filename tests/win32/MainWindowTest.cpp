// The main window's frame and layout against real windows and the real font under Wine: every
// control of the form is placed on its page inside the page control's display area, no two
// overlap, no caption is cut off, the seven tabs fit without scroll arrows, and the side
// panel's nine image buttons sit in their 29-pixel column — all of it at the screen's DPI
// (scripts/test runs these tests at 96 and again at 144 DPI, TOVR_EXPECT_DPI naming it).
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "app/win32/MainLayout.h"
#include "app/win32/MainWindow.h"
#include "base/win32/Wide.h"
#include "controls/win32/Dpi.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeToolPorts.h"
#include "fakes/MemoryFileSystem.h"
#include "platform/win32/ProcessFigures.h"

namespace tovr::app::win32 {
namespace {

RECT ClientRectOf(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[64] = {};
  GetClassNameW(h, buf, 64);
  return buf;
}

// Width of a control's own text in its own font.
int TextWidth(HWND control) {
  wchar_t text[512] = {};
  const int n = GetWindowTextW(control, text, 512);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text, n, &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

class MainWindowTest : public ::testing::Test, protected FakeToolPorts {
 protected:
  int Scale(int v) const { return MulDiv(v, window.Dpi(), 96); }

  void SetUp() override {
    files.AddDirectory("C:\\Tovr");
    // A machine with much memory gives the memory page its longest caption.
    env.totalPhysicalMemory = 65536ull << 20;
    form = std::make_unique<TKWForm>(AppPortsWith(env, boxes, window, files, registry));
    ASSERT_TRUE(window.Create(*form, "Tovrane"));
    form->StartUp();  // a first run: the load sets the captions the pages show
    controlsBeforeIdle = window.ControlWindow(form->pageControl) != nullptr;
    iconsLaterBeforeIdle = form->iconsLeftForLater;
    window.CreateControlsWhenIdle();  // the pages' controls come with the first idle moment
    MSG msg;
    while (PeekMessageW(&msg, window.Handle(), 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  bool controlsBeforeIdle = true;
  bool iconsLaterBeforeIdle = false;
  void TearDown() override { window.Destroy(); }

  FakeEnvironment env;
  FakeMessageBox boxes;
  MemoryFileSystem files;
  FakeRegistry registry;
  MainWindow window{GetModuleHandleW(nullptr)};
  std::unique_ptr<TKWForm> form;
};

TEST_F(MainWindowTest, FrameHasTheFormsStylesAndStaysHiddenWithItsControlsMadeWhenIdle) {
  EXPECT_FALSE(controlsBeforeIdle) << "the pages' controls were made during the start-up sequence";
  EXPECT_NE(window.ControlWindow(form->pageControl), nullptr);
  // So do the icons start-up leaves for later, and the figures say when.
  EXPECT_TRUE(iconsLaterBeforeIdle);
  EXPECT_FALSE(form->iconsLeftForLater);
  EXPECT_GE(ReadProcessFigure(kIconsAttachedMilliseconds), 0);
  HWND h = window.Handle();
  // The window icons, given late like the controls, are there when the window is complete.
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0), 0);
  EXPECT_NE(SendMessageW(window.Owner(), WM_GETICON, ICON_SMALL, 0), 0);
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(h));
  RECT outer{};
  GetWindowRect(h, &outer);
  if (window.Dpi() == 96) {
    EXPECT_EQ(outer.bottom - outer.top, kOuterHeight);  // at other DPIs: LaysOutAtTheScreensDpi
  }
  EXPECT_EQ(GetWindow(h, GW_OWNER), window.Owner());
  EXPECT_EQ(GetWindowLongPtrW(window.Owner(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  wchar_t title[64] = {};
  GetWindowTextW(h, title, 64);
  EXPECT_EQ(Narrow(title), "Tovrane 2.53- 测试版");
}

TEST_F(MainWindowTest, EveryControlSitsOnItsPageWithoutOverlapAndShowsItsWholeCaption) {
  HWND main = window.Handle();
  const RECT area = window.PageArea();
  EXPECT_GE(area.right - area.left, Scale(kPageWidth));
  EXPECT_GE(area.bottom - area.top, Scale(kPageHeight));
  for (int page = 0; page < kPageCount; ++page) {
    struct Placed {
      std::string name;
      RECT rect;
    };
    std::vector<Placed> placed;
    for (controls::Control* c : form->ControlsOfPage(page)) {
      SCOPED_TRACE("page " + std::to_string(page) + ", control " + c->Name());
      ASSERT_NE(FindPlace(c->Name()), nullptr) << "no layout entry";
      EXPECT_EQ(FindPlace(c->Name())->page, page);
      HWND h = window.ControlWindow(*c);
      ASSERT_NE(h, nullptr);
      const RECT r = ClientRectOf(h, main);
      EXPECT_TRUE(Inside(r, area)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
      for (const Placed& other : placed) {
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &r, &other.rect)) << "overlaps " << other.name;
      }
      placed.push_back({c->Name(), r});
      const std::wstring cls = ClassOf(h);
      const int width = r.right - r.left;
      if (cls == L"Button") {
        EXPECT_LE(TextWidth(h) + Scale(18), width) << "caption cut off";  // the box, its gap, the text
      } else if (cls == L"Static" && !dynamic_cast<controls::ColorPanel*>(c)) {
        EXPECT_LE(TextWidth(h), width) << "caption cut off";
      }
    }
  }
}

TEST_F(MainWindowTest, EveryLayoutEntryNamesAControlOfTheForm) {
  for (const ControlPlace& place : MainLayout()) {
    SCOPED_TRACE(std::string(place.name));
    controls::Control* c = form->FindControl(place.name);
    ASSERT_NE(c, nullptr);
    bool onItsPage = false;
    for (controls::Control* x : form->ControlsOfPage(place.page)) onItsPage = onItsPage || x == c;
    EXPECT_TRUE(onItsPage);
  }
}

TEST_F(MainWindowTest, SevenTabsFitWithoutScrollArrows) {
  HWND tabs = window.ControlWindow(form->pageControl);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 7);
  // The tab control makes its scroll arrows when the tabs do not fit (and may keep them hidden
  // once they do).
  HWND arrows = FindWindowExW(tabs, nullptr, UPDOWN_CLASSW, nullptr);
  EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows));
  RECT client{};
  GetClientRect(tabs, &client);
  for (int i = 0; i < 7; ++i) {
    RECT item{};
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)));
    EXPECT_LE(item.right, client.right) << "tab " << i;
    EXPECT_GE(item.right - item.left, Scale(58)) << "tab " << i;
  }
}

TEST_F(MainWindowTest, SideButtonsAreNine23PixelButtonsInThePanelColumnWithTheirHints) {
  HWND main = window.Handle();
  RECT client{};
  GetClientRect(main, &client);
  const RECT column{Scale(kSidePanelRect.x), 0, Scale(kSidePanelRect.x + kSidePanelRect.w), client.bottom};
  const struct {
    const char* name;
    int id;
    const char* hint;
  } kButtons[] = {{"addButton", kIdAddButton, "添加"},
                  {"deleteButton", kIdDeleteButton, "删除"},
                  {"modifyButton", kIdModifyButton, "修改"},
                  {"refreshButton", kIdRefreshButton, "刷新"},
                  {"homePageButton", kIdHomePageButton, nullptr},
                  {"mailButton", kIdMailButton, nullptr},
                  {"helpButton", kIdHelpButton, "打开帮助"},
                  {"saveButton", kIdSaveButton, "保存设置"},
                  {"closeButton", kIdCloseButton, "关闭"}};
  std::vector<RECT> seen;
  for (const auto& b : kButtons) {
    SCOPED_TRACE(b.name);
    controls::Control* c = form->FindControl(b.name);
    ASSERT_NE(c, nullptr);
    HWND h = window.ControlWindow(*c);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetDlgCtrlID(h), b.id);
    EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    const RECT r = ClientRectOf(h, main);
    EXPECT_EQ(r.right - r.left, Scale(kImageButtonSize));
    EXPECT_EQ(r.bottom - r.top, Scale(kImageButtonSize));
    EXPECT_TRUE(Inside(r, column));
    for (const RECT& other : seen) {
      RECT overlap{};
      EXPECT_FALSE(IntersectRect(&overlap, &r, &other));
    }
    seen.push_back(r);
    if (b.hint) {
      EXPECT_EQ(c->Hint(), b.hint);
    }
  }
}

// The window is laid out for the screen's DPI: its client area is the 96-DPI one scaled
// (within a pixel per edge), its font's height and the list's columns follow, and the startup
// list's location column fits its longest label. At 144 DPI everything is 1.5 times the design.
TEST_F(MainWindowTest, LaysOutAtTheScreensDpi) {
  if (const char* expected = std::getenv("TOVR_EXPECT_DPI")) {
    EXPECT_EQ(window.Dpi(), std::atoi(expected));
  }
  RECT client{};
  GetClientRect(window.Handle(), &client);
  EXPECT_NEAR(client.right, Scale(kClientWidth), 1);
  // The outer height is the design's 358 at 96 DPI, so the client height there is what the
  // system's caption leaves of it; at other DPIs that height scaled.
  RECT frame96{0, 0, 0, 0};
  controls::win32::AdjustFrameForDpi(frame96, static_cast<DWORD>(GetWindowLongPtrW(window.Handle(), GWL_STYLE)),
                                     static_cast<DWORD>(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE)), 96);
  EXPECT_NEAR(client.bottom, Scale(kOuterHeight - (frame96.bottom - frame96.top)), 1);
  LOGFONTW font{};
  HWND autoRun = window.ControlWindow(*form->FindControl("autoRunBox"));
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(autoRun, WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -Scale(12));
  HWND list = window.ShortcutListWindow();
  ASSERT_NE(list, nullptr);
  int columns = 0;
  for (int i = 0; i < 3; ++i) columns += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
  RECT listRect{};
  GetClientRect(list, &listRect);
  EXPECT_GE(columns, listRect.right * 3 / 4) << "columns not scaled with the list";
  // The startup list's "位置" column holds its longest label in the list's own font.
  HWND startup = window.StartupListWindow();
  ASSERT_NE(startup, nullptr);
  const auto width = static_cast<int>(
      SendMessageW(startup, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(L"所有用户（启动文件夹）")));
  EXPECT_GE(SendMessageW(startup, LVM_GETCOLUMNWIDTH, 2, 0), width + Scale(12));
}

// Moving to a monitor of another DPI re-lays the window at the suggested rectangle: every
// control is scaled from the old DPI to the new one.
TEST_F(MainWindowTest, ADpiChangeReLaysTheWindowAtTheSuggestedRectangle) {
  const int before = window.Dpi();
  const int after = before * 5 / 4;
  HWND saveButton = window.ControlWindow(*form->FindControl("saveButton"));
  RECT button{};
  GetClientRect(saveButton, &button);
  RECT suggested{10, 20, 10 + Scale(kClientWidth) * 5 / 4 + 16, 20 + Scale(kOuterHeight) * 5 / 4};
  SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(after, after), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window.Dpi(), after);
  RECT outer{};
  GetWindowRect(window.Handle(), &outer);
  EXPECT_EQ(outer.left, 10);
  EXPECT_EQ(outer.top, 20);
  EXPECT_EQ(outer.bottom - outer.top, suggested.bottom - suggested.top);
  RECT scaled{};
  GetClientRect(saveButton, &scaled);
  EXPECT_NEAR(scaled.right, button.right * 5 / 4, 1);
  EXPECT_NEAR(scaled.bottom, button.bottom * 5 / 4, 1);
}

}  // namespace
}  // namespace tovr::app::win32
