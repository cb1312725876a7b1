// The menu's hotkey: the stored value read back, its name in the message, and the form that
// registers it at start-up, says once when another program holds it, and registers again only
// when a save changed it.
#include "app/HotKey.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

TEST(HotKeyTest, StoredValuesAndNames) {
  const std::pair<std::optional<std::int32_t>, std::uint16_t> stored[] = {
      {std::nullopt, kDefaultHotKey},      // absent, or not a number
      {0, 0},                              // no hotkey
      {0x0370, 0x0370},                    // Ctrl+Shift+F1
      {0x0841, 0x0841},                    // an extended key's flag is kept
      {0x0600, kDefaultHotKey},            // modifiers without a key
      {0x1041, kDefaultHotKey},            // an unknown modifier
      {70000, kDefaultHotKey},             // not 16 bits
      {-5, kDefaultHotKey},
  };
  for (const auto& [value, want] : stored) EXPECT_EQ(HotKeyFromSetting(value), want) << value.value_or(-1);

  EXPECT_EQ(HotKeyName(kDefaultHotKey), "Ctrl+Alt+K");
  EXPECT_EQ(HotKeyName(0x0370), "Ctrl+Shift+F1");
  EXPECT_EQ(HotKeyName(0x0120), "Shift+Space");
  EXPECT_EQ(HotKeyName(0x04E2), "Alt+0xE2");
  EXPECT_EQ(HotKeyTakenText(kDefaultHotKey), "热键 Ctrl+Alt+K 已被其他程序占用。");
  // RegisterHotKey counts Alt 1 and Shift 4, the other way round.
  EXPECT_EQ(RegisterModifiers(0x0141), 4u);
  EXPECT_EQ(RegisterModifiers(0x0441), 1u);
  EXPECT_EQ(RegisterModifiers(0x0F41), 7u);
}

TEST(HotKeyTest, RegisteredAtStartSaidOnceWhenTakenAndAgainOnlyWhenChanged) {
  FormHarness h;
  h.GivenOptions("HotKey=1616\r\n");  // Ctrl+Alt+P
  h.ui.takenHotKeys = {1616};
  RecordingForm& f = h.NewForm();
  f.StartUp();
  EXPECT_EQ(f.menuHotKey.Value(), 1616);
  ASSERT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.messages.shown[0].text, "热键 Ctrl+Alt+P 已被其他程序占用。");
  EXPECT_EQ(h.ui.menuHotKey, 0);  // running without one

  // A save that leaves the field: not asked again, not said again; the setting stays.
  h.VisitSettingsPage();
  f.OnSaveButtonClicked();
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(std::count(h.ui.calls.begin(), h.ui.calls.end(), "SetMenuHotKey(1616)"), 1);
  EXPECT_NE(h.ConfigText().find("HotKey=1616"), std::string::npos);
  // Another key picked and saved: held at once; none at all: the key is let go.
  f.menuHotKey.UserSetValue(kDefaultHotKey);
  f.OnSaveButtonClicked();
  EXPECT_EQ(h.ui.menuHotKey, kDefaultHotKey);
  f.menuHotKey.UserSetValue(0);
  f.OnSaveButtonClicked();
  EXPECT_EQ(std::count(h.ui.calls.begin(), h.ui.calls.end(), "SetMenuHotKey(0)"), 1);
  EXPECT_EQ(h.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace tovr::app
