// What Windows really starts: the 32-bit programs' keys, the Startup folders and Task Manager's
// StartupApproved switch, loaded into startupList and applied back.
#include <gtest/gtest.h>

#include "startup/StartupTestBed.h"
#include "support/ErrorOf.h"

namespace tovr::startup {
namespace {

constexpr char kUserFolder[] = "C:\\Users\\me\\Startup";
constexpr char kCommonFolder[] = "C:\\ProgramData\\Startup";

RegValue Approved(std::vector<std::uint8_t> bytes) { return RegValue::FromBinary(bytes); }
const RegValue kOn = Approved({2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

struct Bed : StartupTestBed {
  Bed() {
    system.userFolder = kUserFolder;
    system.commonFolder = kCommonFolder;
    system.files = &fs;
  }
  void PutIn(StartupSource source, bool run, const std::string& name, const std::string& command) {
    registry.Put(KeysOf(source).root, KeyPathOf(source, run), name, RegValue::FromString(command));
  }
  void Switch(StartupSource source, const std::string& name, const RegValue& value) {
    registry.Put(KeysOf(source).root, ApprovedKeyPathOf(source), name, value);
  }
  std::optional<RegValue> SwitchOf(StartupSource source, const std::string& name) const {
    return registry.Peek(KeysOf(source).root, ApprovedKeyPathOf(source), name);
  }
  std::optional<RegValue> In(StartupSource source, bool run, const std::string& name) const {
    return registry.Peek(KeysOf(source).root, KeyPathOf(source, run), name);
  }
  // A typical machine: a row of every source, some switched off by Task Manager.
  void Typical() {
    PutIn(StartupSource::AllUsers, kRun, "Sys64", "s64.exe");
    PutIn(StartupSource::AllUsers32, kRun, "Sys32", "s32.exe");
    PutIn(StartupSource::CurrentUser, kRun, "Chat", "chat.exe");
    PutIn(StartupSource::CurrentUser, kRun, "Quiet", "quiet.exe");
    Switch(StartupSource::CurrentUser, "Quiet", Approved({3, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
    fs.SetFile(std::string(kUserFolder) + "\\Notes.lnk", "link");
    links.Set(std::string(kUserFolder) + "\\Notes.lnk", "C:\\Apps\\notes.exe");
    fs.SetFile(std::string(kCommonFolder) + "\\Sync.lnk", "link");
    Switch(StartupSource::CommonFolder, "Sync.lnk", Approved({3, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9}));
    page.LoadStartupEntries();
  }
};

TEST(StartupSourcesTest, EachRowIsTickedExactlyWhenWindowsStartsIt) {
  Bed t;
  const std::pair<const char*, std::optional<std::vector<std::uint8_t>>> switches[] = {
      {"absent", std::nullopt},
      {"on02", std::vector<std::uint8_t>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"off03", std::vector<std::uint8_t>{3, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"on06", std::vector<std::uint8_t>{6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"off07", std::vector<std::uint8_t>{7, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"short03", std::vector<std::uint8_t>{3, 0}},
      {"empty", std::vector<std::uint8_t>{}},
  };
  for (const auto& [name, bytes] : switches) {
    t.PutIn(StartupSource::CurrentUser, kRun, name, std::string(name) + ".exe");
    if (bytes) t.Switch(StartupSource::CurrentUser, name, Approved(*bytes));
  }
  t.PutIn(StartupSource::AllUsers32, kRun, "w32", "w32.exe");
  t.PutIn(StartupSource::AllUsers32, kNeverRun, "w32off", "w32off.exe");
  t.PutIn(StartupSource::CurrentUser, kNeverRun, "parked", "parked.exe");
  t.Switch(StartupSource::CurrentUser, "parked", kOn);  // parked in NeverRun: off whatever it says
  t.fs.SetFile(std::string(kUserFolder) + "\\Mail.lnk", "link");
  t.links.Set(std::string(kUserFolder) + "\\Mail.lnk", "C:\\Mail\\mail.exe");
  t.fs.SetFile(std::string(kUserFolder) + "\\desktop.ini", "[.ShellClassInfo]");
  t.fs.SetFile(std::string(kUserFolder) + "\\broken.lnk", "?");  // a link that cannot be read
  t.fs.SetFile(std::string(kCommonFolder) + "\\tool.bat", "@echo");
  t.Switch(StartupSource::CommonFolder, "tool.bat", Approved({3, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}));
  t.page.LoadStartupEntries();
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{
                          "absent|absent.exe|当前用户|1",
                          "broken.lnk|C:\\Users\\me\\Startup\\broken.lnk|当前用户（启动文件夹）|1",
                          "empty|empty.exe|当前用户|1",
                          "Mail.lnk|C:\\Mail\\mail.exe|当前用户（启动文件夹）|1",
                          "off03|off03.exe|当前用户|0",
                          "off07|off07.exe|当前用户|0",
                          "on02|on02.exe|当前用户|1",
                          "on06|on06.exe|当前用户|1",
                          "parked|parked.exe|当前用户|0",
                          "short03|short03.exe|当前用户|0",
                          "tool.bat|C:\\ProgramData\\Startup\\tool.bat|所有用户（启动文件夹）|0",
                          "w32|w32.exe|所有用户（32位）|1",
                          "w32off|w32off.exe|所有用户（32位）|0",
                      }));
  // Nothing changed: a save writes nothing, and never under HKEY_LOCAL_MACHINE.
  t.registry.DenyAsStandardUser();
  EXPECT_EQ(testing::ErrorOf([&] { t.page.ApplyStartupEntries(); }), "(no error)");
  EXPECT_TRUE(t.registry.Changes().empty());
}

TEST(StartupSourcesTest, TicksAreSwitchedWhereWindowsKeepsThem) {
  Bed t;
  t.Typical();
  t.PutIn(StartupSource::CurrentUser, kNeverRun, "Parked", "parked.exe");
  t.Switch(StartupSource::CurrentUser, "Parked", Approved({3, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}));
  t.page.ClearStartupList();
  t.page.LoadStartupEntries();
  t.page.OnStartupRowTicked(t.Row("Quiet"), true);   // off only through StartupApproved
  t.page.OnStartupRowTicked(t.Row("Parked"), true);  // parked, and switched off as well
  t.page.OnStartupRowTicked(t.Row("Sys32", kAllUsers32Label), false);
  t.page.OnStartupRowTicked(t.Row("Notes.lnk", kUserFolderLabel), false);
  t.page.OnStartupRowTicked(t.Row("Sync.lnk", kCommonFolderLabel), true);
  t.page.ApplyStartupEntries();
  EXPECT_EQ(t.In(StartupSource::CurrentUser, kRun, "Quiet"), RegValue::FromString("quiet.exe"));
  EXPECT_EQ(t.SwitchOf(StartupSource::CurrentUser, "Quiet"), kOn);
  EXPECT_EQ(t.In(StartupSource::CurrentUser, kRun, "Parked"), RegValue::FromString("parked.exe"));
  EXPECT_EQ(t.SwitchOf(StartupSource::CurrentUser, "Parked"), kOn);
  EXPECT_EQ(t.In(StartupSource::AllUsers32, kNeverRun, "Sys32"), RegValue::FromString("s32.exe"));
  EXPECT_FALSE(t.In(StartupSource::AllUsers32, kRun, "Sys32"));
  const std::uint64_t now = t.system.now;
  std::vector<std::uint8_t> off = {3, 0, 0, 0};
  for (int i = 0; i < 8; ++i) off.push_back(static_cast<std::uint8_t>(now >> (8 * i)));
  EXPECT_EQ(t.SwitchOf(StartupSource::UserFolder, "Notes.lnk"), Approved(off));
  EXPECT_EQ(t.SwitchOf(StartupSource::CommonFolder, "Sync.lnk"), kOn);
  EXPECT_TRUE(t.fs.FileExists(std::string(kUserFolder) + "\\Notes.lnk"));

  // Saved again unchanged: nothing is written.
  t.registry.ClearChanges();
  t.page.ApplyStartupEntries();
  EXPECT_TRUE(t.registry.Changes().empty());
  // A row switched off by Task Manager and left unticked stays in Run.
  t.page.OnStartupRowTicked(t.Row("Chat"), false);
  t.page.ClearStartupList();
  t.Switch(StartupSource::CurrentUser, "Chat", Approved({3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  t.page.LoadStartupEntries();
  t.page.OnStartupRowTicked(t.Row("Quiet"), false);  // ours, moved to NeverRun
  t.page.ApplyStartupEntries();
  EXPECT_TRUE(t.In(StartupSource::CurrentUser, kRun, "Chat"));
  EXPECT_TRUE(t.In(StartupSource::CurrentUser, kNeverRun, "Quiet"));
}

TEST(StartupSourcesTest, UntickingOneUserRowWritesNothingElse) {
  Bed t;
  t.Typical();
  t.page.OnStartupRowTicked(t.Row("Chat"), false);
  t.page.ApplyStartupEntries();
  const auto& c = t.registry.Changes();
  ASSERT_EQ(c.size(), 3u);  // NeverRun created, the value written there, then deleted from Run
  EXPECT_EQ(c[1].name, "Chat");
  EXPECT_EQ(c[2], (RegChange{RegChangeKind::DeleteValue, kHkcu, kRunKeyPath + 1, "Chat", {}}));
}

TEST(StartupSourcesTest, FolderRowsKeepTheirNameAndFileUntilDeleted) {
  Bed t;
  t.Typical();
  const std::size_t notes = t.Row("Notes.lnk", kUserFolderLabel);
  t.page.startupList.OnStartupNameEdited(notes, "Renamed");
  EXPECT_FALSE(t.page.startupChanged);
  EXPECT_EQ(t.page.startupList[notes].name, "Notes.lnk");

  // Windows 7 keeps no StartupApproved: a folder row cannot be switched off.
  t.system.startupApproved = false;
  t.page.OnStartupRowTicked(notes, false);
  EXPECT_TRUE(t.page.startupList[notes].enabled);
  ASSERT_EQ(t.messages.shown.size(), 1u);
  EXPECT_EQ(t.messages.shown[0].text, kFolderCannotBeOffText);

  // Modify gives a shortcut a new target; a file that is no shortcut cannot be modified.
  t.fs.SetFile(std::string(kUserFolder) + "\\run.cmd", "x");
  t.page.ClearStartupList();
  t.page.LoadStartupEntries();
  t.dialogs.files = {"C:\\Apps\\editor.exe"};
  t.page.startupList.SelectOnly(t.Row("Notes.lnk", kUserFolderLabel));
  t.page.OnModifyButtonClicked();
  t.page.startupList.SelectOnly(t.Row("run.cmd", kUserFolderLabel));
  t.page.OnModifyButtonClicked();
  EXPECT_EQ(t.messages.shown.back().text, kFolderOnlyLinksText);
  t.page.OnStartupRowDoubleClicked();  // a folder row opens its file
  ASSERT_FALSE(t.shell.calls.empty());
  EXPECT_EQ(t.shell.calls.back().file, std::string(kUserFolder) + "\\run.cmd");

  // Deleted: to the Recycle Bin at the save.
  t.page.OnDeleteButtonClicked();
  t.page.ApplyStartupEntries();
  ASSERT_EQ(t.links.written.size(), 1u);
  EXPECT_EQ(t.links.written[0].target, "C:\\Apps\\editor.exe");
  EXPECT_EQ(t.links.written[0].linkPath, std::string(kUserFolder) + "\\Notes.lnk");
  EXPECT_EQ(t.system.recycled, std::vector<std::string>{std::string(kUserFolder) + "\\run.cmd"});
  EXPECT_TRUE(t.fs.FileExists(std::string(kUserFolder) + "\\Notes.lnk"));
}

}  // namespace
}  // namespace tovr::startup
