// The colour dialog on the real system, driven from a second thread while the test thread sits
// in its modal loop: it opens at the panel's colour (a system colour at its RGB value), gives
// back what the user set in it, and nothing when cancelled.
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "base/win32/Wide.h"
#include "desktop/win32/Win32ColourDialog.h"

namespace tovr::desktop::win32 {
namespace {

constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;  // the dialog's RGB fields

HWND WaitForDialog(DWORD thread) {
  for (int waited = 0; waited < 10000; waited += 20) {
    HWND found = nullptr;
    EnumThreadWindows(thread, [](HWND w, LPARAM p) -> BOOL {
      wchar_t cls[16] = {};
      GetClassNameW(w, cls, 16);
      if (!IsWindowVisible(w) || std::wstring(cls) != L"#32770") return TRUE;
      *reinterpret_cast<HWND*>(p) = w;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    if (found) return found;
    Sleep(20);
  }
  return nullptr;
}

std::string FieldText(HWND dialog, int id) {
  wchar_t text[32] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(GetDlgItem(dialog, id), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 3000, &ignored);
  return Narrow(text);
}

TEST(ColourDialogTest, OpensAtTheColourAndGivesBackTheChosenOneOrNothing) {
  struct Case {
    std::uint32_t preset;
    const wchar_t* typedRed;  // null: leave the colour
    int button;
    std::vector<std::string> shown;
    std::optional<std::uint32_t> chosen;
  };
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const std::vector<std::string> windowRgb{std::to_string(GetRValue(window)), std::to_string(GetGValue(window)),
                                           std::to_string(GetBValue(window))};
  const Case cases[] = {
      {0xFF8040, nullptr, IDOK, {"64", "128", "255"}, 0xFF8040u},
      {0xFF8040, L"10", IDOK, {"64", "128", "255"}, 0xFF800Au},
      {0xFF8040, L"10", IDCANCEL, {"64", "128", "255"}, std::nullopt},
      {0x80000000u | COLOR_WINDOW, nullptr, IDOK, windowRgb, static_cast<std::uint32_t>(window)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    Win32ColourDialog dialog;
    std::vector<std::string> shown;
    const DWORD self = GetCurrentThreadId();
    std::thread driver([&] {
      HWND d = WaitForDialog(self);
      if (!d) return;
      for (int id : {kRedEdit, kGreenEdit, kBlueEdit}) shown.push_back(FieldText(d, id));
      if (c.typedRed) SendMessageW(GetDlgItem(d, kRedEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typedRed));
      SendMessageW(GetDlgItem(d, c.button), BM_CLICK, 0, 0);
    });
    const std::optional<std::uint32_t> chosen = dialog.Choose(c.preset);
    driver.join();
    EXPECT_EQ(shown, c.shown) << "case " << i;
    EXPECT_EQ(chosen, c.chosen) << "case " << i;
  }
}

}  // namespace
}  // namespace tovr::desktop::win32
