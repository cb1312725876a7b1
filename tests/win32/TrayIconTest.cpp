// The tray icon component against real windows: the mouse messages the shell sends through
// the callback message, the menu popped up at the pointer with its opening handler first and
// WM_NULL after, the answer to WM_QUERYENDSESSION, re-adding after "TaskbarCreated"; and the
// side panel's pictures and the menu dump used by the end-to-end checks.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/win32/SideGlyphs.h"
#include "app/win32/TrayIcon.h"
#include "app/win32/TrayMenuDump.h"

namespace tovr::app::win32 {
namespace {

HWND MakeOwner() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TovrTrayTestOwner";
    RegisterClassExW(&wc);
    registered = true;
  }
  return CreateWindowExW(0, L"TovrTrayTestOwner", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

TEST(TrayIconTest, MouseMessagesOpenTheMenuOrReportTheDoubleClick) {
  const struct {
    UINT mouse;
    int popups;
    int doubleClicks;
  } kCases[] = {
      {WM_LBUTTONDOWN, 1, 0},   {WM_RBUTTONDOWN, 1, 0}, {WM_LBUTTONDBLCLK, 0, 1}, {WM_LBUTTONUP, 0, 0},
      {WM_RBUTTONUP, 0, 0},     {WM_MOUSEMOVE, 0, 0},   {WM_MBUTTONDOWN, 0, 0},   {WM_MBUTTONUP, 0, 0},
  };
  HWND owner = MakeOwner();
  ASSERT_NE(owner, nullptr);
  for (std::size_t i = 0; i < std::size(kCases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    TrayIcon tray(GetModuleHandleW(nullptr));
    ASSERT_NE(tray.Window(), nullptr);
    int popups = 0, doubleClicks = 0;
    tray.menuOwner = owner;
    tray.PrepareMenu = [&] {
      ++popups;
      return HMENU{};  // no menu: nothing to track
    };
    tray.OnDblClick = [&] { ++doubleClicks; };
    SendMessageW(tray.Window(), TrayIcon::kCallbackMessage, TrayIcon::kIconId, kCases[i].mouse);
    // Another icon's id is not ours.
    SendMessageW(tray.Window(), TrayIcon::kCallbackMessage, TrayIcon::kIconId + 1, kCases[i].mouse);
    EXPECT_EQ(popups, kCases[i].popups);
    EXPECT_EQ(doubleClicks, kCases[i].doubleClicks);
    // While disabled nothing happens.
    tray.SetEnabled(false);
    SendMessageW(tray.Window(), TrayIcon::kCallbackMessage, TrayIcon::kIconId, kCases[i].mouse);
    EXPECT_EQ(popups, kCases[i].popups);
    EXPECT_EQ(doubleClicks, kCases[i].doubleClicks);
  }
  DestroyWindow(owner);
}

TEST(TrayIconTest, TheHiddenWindowAnswersQueryEndSessionWithYes) {
  TrayIcon tray(GetModuleHandleW(nullptr));
  EXPECT_EQ(SendMessageW(tray.Window(), WM_QUERYENDSESSION, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(tray.Window()));
}

TEST(TrayIconTest, TaskbarCreatedAddsTheIconAgainOnlyWhileItIsVisible) {
  TrayIcon tray(GetModuleHandleW(nullptr));
  int readded = 0;
  tray.OnReAdded = [&] { ++readded; };
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  SendMessageW(tray.Window(), taskbarCreated, 0, 0);
  EXPECT_EQ(readded, 0);
  tray.SetVisible(true);
  SendMessageW(tray.Window(), taskbarCreated, 0, 0);
  EXPECT_EQ(readded, 1);
  tray.SetVisible(false);
  SendMessageW(tray.Window(), taskbarCreated, 0, 0);
  EXPECT_EQ(readded, 1);
}

TEST(TrayIconTest, TheTooltipIsTheHintWhileHintsShow) {
  TrayIcon tray(GetModuleHandleW(nullptr));
  tray.SetHint("Tovrane");
  EXPECT_EQ(tray.TipText(), L"Tovrane");
  tray.SetShowHint(false);
  EXPECT_EQ(tray.TipText(), L"");
  tray.SetShowHint(true);
  tray.SetHint(std::string(300, 'x'));
  EXPECT_EQ(tray.TipText().size(), 127u);
}

// The menu of the test below: found and closed by a timer while it is open.
struct OpenMenu {
  RECT rect{};
  bool seen = false;
} openMenu;

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND menu = FindWindowW(L"#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    GetWindowRect(menu, &openMenu.rect);
    openMenu.seen = true;
    KillTimer(nullptr, id);
    EndMenu();
  }
}

TEST(TrayIconTest, PopupOpensTheMenuAtThePointerAfterItsOpeningHandlerThenPostsNull) {
  HWND owner = MakeOwner();
  ASSERT_NE(owner, nullptr);
  ASSERT_TRUE(SetCursorPos(300, 200));
  POINT at{};
  GetCursorPos(&at);
  ASSERT_EQ(at.x, 300);
  TrayIcon tray(GetModuleHandleW(nullptr));
  tray.menuOwner = owner;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"显示主界面...");
  AppendMenuW(menu, MF_STRING, 2, L"关闭");
  bool menuWasOpenDuringPrepare = true;
  int prepared = 0;
  tray.PrepareMenu = [&] {
    ++prepared;
    HWND open = FindWindowW(L"#32768", nullptr);
    menuWasOpenDuringPrepare = open && IsWindowVisible(open);
    return menu;
  };
  openMenu = {};
  SetTimer(nullptr, 0, 100, &CloseOpenMenu);
  tray.PopupTrayMenu();
  EXPECT_EQ(prepared, 1);
  EXPECT_FALSE(menuWasOpenDuringPrepare);
  ASSERT_TRUE(openMenu.seen);
  EXPECT_EQ(openMenu.rect.left, 300);
  EXPECT_EQ(openMenu.rect.top, 200);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, owner, WM_NULL, WM_NULL, PM_REMOVE));
  DestroyMenu(menu);
  DestroyWindow(owner);
}

TEST(TrayIconTest, PopupDoesNothingWithoutAMenuOwner) {
  TrayIcon tray(GetModuleHandleW(nullptr));
  int prepared = 0;
  tray.PrepareMenu = [&] {
    ++prepared;
    return HMENU{};
  };
  tray.PopupTrayMenu();
  EXPECT_EQ(prepared, 0);
}

TEST(TrayIconTest, AMenuAskedForWhileHeldOpensOnceWhenReleased) {
  HWND owner = MakeOwner();
  ASSERT_NE(owner, nullptr);
  TrayIcon tray(GetModuleHandleW(nullptr));
  tray.menuOwner = owner;
  int prepared = 0;
  tray.PrepareMenu = [&] {
    ++prepared;
    return HMENU{};
  };
  tray.HoldMenu();
  tray.PopupTrayMenu();
  tray.PopupTrayMenu();
  EXPECT_EQ(prepared, 0);
  tray.ReleaseMenu();
  EXPECT_EQ(prepared, 1);
  tray.ReleaseMenu();  // nothing asked since
  EXPECT_EQ(prepared, 1);
  DestroyWindow(owner);
}

TEST(TrayMenuDumpTest, ListsWhatTheMenuShowsWithIdsIndentationAndStates) {
  HMENU sub = CreatePopupMenu();
  AppendMenuW(sub, MF_STRING, 11, L"立即手动更换壁纸");
  AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(sub, MF_STRING | MF_CHECKED, 12, L"隐藏桌面所有图标");
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"[快速执行]");
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 13, L"帮助");
  MENUITEMINFOW picture{};
  picture.cbSize = sizeof picture;
  picture.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
  picture.wID = 14;
  picture.dwTypeData = const_cast<wchar_t*>(L"记事本");
  picture.hbmpItem = HBMMENU_CALLBACK;
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &picture);
  const std::string dump = DumpMenu(menu);
  // A submenu item's id is its submenu handle's low part: only its caption is compared.
  const std::string firstTwo = dump.substr(0, dump.find('\t', dump.find('\n') + 1));
  EXPECT_EQ(firstTwo, "-\t0\n[快速执行]");
  EXPECT_NE(dump.find("\n  立即手动更换壁纸\t11\n  -\t0\n  隐藏桌面所有图标\t12\tchecked\n帮助\t13\tdisabled\n记事本\t14\ticon\n"),
            std::string::npos)
      << dump;
  DestroyMenu(menu);
}

// Pixels of one 16 x 16 picture drawn on a white 24 x 24 field at (4, 4).
std::vector<COLORREF> Draw(SideGlyph glyph, bool enabled) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 24;
  info.bmiHeader.biHeight = -24;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 24, 24};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawSideGlyph(dc, glyph, 4, 4, enabled);
  GdiFlush();
  const auto* p = static_cast<const COLORREF*>(bits);
  std::vector<COLORREF> pixels(p, p + 24 * 24);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  for (COLORREF& c : pixels) c &= 0xFFFFFF;
  return pixels;
}

TEST(SideGlyphsTest, NineDistinctPicturesInside16PixelsGreyWhenDisabled) {
  const char* kButtons[] = {"addButton",  "deleteButton", "modifyButton", "refreshButton", "homePageButton",
                            "mailButton", "helpButton",   "saveButton",   "closeButton"};
  std::set<std::vector<COLORREF>> distinct;
  for (const char* name : kButtons) {
    SCOPED_TRACE(name);
    const auto glyph = SideGlyphOf(name);
    ASSERT_TRUE(glyph.has_value());
    const std::vector<COLORREF> enabled = Draw(*glyph, true);
    const std::vector<COLORREF> disabled = Draw(*glyph, false);
    int painted = 0, coloured = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        const COLORREF c = enabled[y * 24 + x];
        const COLORREF d = disabled[y * 24 + x];
        const bool inside = x >= 4 && x < 20 && y >= 4 && y < 20;
        if (!inside) {
          EXPECT_EQ(c, 0xFFFFFFu) << "drawn outside at " << x << "," << y;
          continue;
        }
        if (c != 0xFFFFFFu) ++painted;
        if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c)) ++coloured;
        EXPECT_TRUE(GetRValue(d) == GetGValue(d) && GetGValue(d) == GetBValue(d)) << "colour when disabled";
        EXPECT_GE(GetRValue(d), 0x80) << "disabled pictures are light";
      }
    }
    EXPECT_GE(painted, 40) << "too little to recognise";
    EXPECT_GE(coloured, 10) << "enabled pictures are in colour";
    EXPECT_TRUE(distinct.insert(enabled).second) << "same picture as another button";
  }
  EXPECT_FALSE(SideGlyphOf("bX").has_value());
}

}  // namespace
}  // namespace tovr::app::win32
