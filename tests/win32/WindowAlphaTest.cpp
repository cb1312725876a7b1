// Translucency that leaves windows as they were: the layered style goes again at alpha 255
// where this program added it, and only there; a window that has gone is not a refusal.
#include "platform/win32/WindowAlpha.h"

#include <gtest/gtest.h>

#include "transparency/win32/Win32WindowSystem.h"

namespace tovr {
namespace {

bool Layered(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

BYTE Alpha(HWND w) {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(w, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 0;
}

TEST(WindowAlphaTest, OpaqueAgainDropsTheLayeredStyleOnlyWhereItWasAdded) {
  HWND plain = CreateWindowExW(0, L"STATIC", L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND layered = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"layered", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_TRUE(plain && layered);
  EXPECT_TRUE(SetWindowAlpha(plain, 255));
  EXPECT_FALSE(Layered(plain)) << "layered for nothing";
  EXPECT_TRUE(SetWindowAlpha(plain, 128));
  EXPECT_TRUE(Layered(plain));
  EXPECT_EQ(Alpha(plain), 128);
  EXPECT_TRUE(SetWindowAlpha(plain, 255));
  EXPECT_FALSE(Layered(plain)) << "the style added for the translucency stayed";

  EXPECT_TRUE(SetWindowAlpha(layered, 100));
  EXPECT_TRUE(SetWindowAlpha(layered, 255));
  EXPECT_TRUE(Layered(layered)) << "a window layered by its own program lost the style";
  EXPECT_EQ(Alpha(layered), 255);

  // A window on screen is not cloaked; a window that has gone fails, but did not refuse.
  transparency::win32::Win32WindowSystem windows;
  const auto handle = transparency::win32::Win32WindowSystem::Handle(plain);
  EXPECT_FALSE(windows.Cloaked(handle));
  DestroyWindow(plain);
  DestroyWindow(layered);
  EXPECT_FALSE(SetWindowAlpha(plain, 128));
  EXPECT_TRUE(windows.SetAlpha(handle, 128));
}

}  // namespace
}  // namespace tovr
