// Where Config.ini lives: beside the executable where that folder can be written, otherwise in
// the user's application-data folder, moved there once.
#include "app/ConfigPlace.h"

#include <gtest/gtest.h>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

constexpr char kAppData[] = "C:\\Users\\Li\\AppData\\Roaming";
constexpr char kMoved[] = "C:\\Users\\Li\\AppData\\Roaming\\Tovrane\\Config.ini";

TEST(ConfigPlaceTest, BesideTheExeUnlessItsFolderIsReadOnlyThenTheUsersOwnFolderOnce) {
  const struct {
    bool readOnlyFolder, prepared, movedBefore, appDataMissing;
    const char* path;
    bool moved;
    const char* movedBytes;  // the file in %APPDATA% afterwards; nullptr: none
  } cases[] = {
      {false, true, false, false, kConfigPath, false, nullptr},     // portable: stays beside
      {false, false, true, false, kConfigPath, false, "[Old]"},     // a writable folder wins
      {true, false, false, false, kMoved, true, nullptr},           // first start: the load creates it
      {true, true, false, false, kMoved, true, "[Option]\r\nIconR=9\r\n"},  // a prepared file is honoured
      {true, true, true, false, kMoved, false, "[Old]"},            // later starts find it there
      {true, true, false, true, kConfigPath, false, nullptr},       // nowhere better: the saves say why
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    MemoryFileSystem fs;
    fs.AddDirectory("C:\\Tovr");
    if (!c.appDataMissing) fs.AddDirectory(kAppData);
    if (c.prepared) fs.SetFile(kConfigPath, "[Option]\r\nIconR=9\r\n");
    if (c.movedBefore) fs.SetFile(kMoved, "[Old]");
    fs.SetReadOnly("C:\\Tovr", c.readOnlyFolder);
    const ConfigPlace place = PlaceConfig(fs, kExePath, kAppData);
    EXPECT_EQ(place.path, c.path) << "case " << i;
    EXPECT_EQ(place.moved, c.moved) << "case " << i;
    EXPECT_EQ(fs.File(kMoved), c.movedBytes ? std::optional<std::string>(c.movedBytes) : std::nullopt) << "case " << i;
  }
}

// Run from a read-only folder: the first start says where the settings go, greets, and records
// the greeting there; a save writes there; the next start is no first start and says nothing.
TEST(ConfigPlaceTest, StartFromAReadOnlyFolderSaysOnceWhereTheSettingsGo) {
  FormHarness h;
  h.fs.AddDirectory(kAppData);
  h.fs.SetReadOnly("C:\\Tovr");
  RecordingForm& first = h.NewForm();
  first.StartUp();
  ASSERT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.messages.shown[0].text, ConfigMovedText(kMoved));
  EXPECT_EQ(h.messages.shown[0].flags, kMbOk | kMbIconInformation);
  EXPECT_EQ(h.messages.shown[1].caption, "欢迎使用Tovrane");
  first.iconPage.ringCount.SetValue(4);
  first.OnSaveButtonClicked();
  EXPECT_EQ(TSettingsFile(h.fs, kMoved).GetText("Option", "Cycles", ""), "4");
  EXPECT_FALSE(h.fs.File(kConfigPath));

  h.messages.shown.clear();
  RecordingForm& second = h.NewForm();
  second.StartUp();
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_EQ(second.iconPage.ringCount.Value(), 4);
}

}  // namespace
}  // namespace tovr::app
