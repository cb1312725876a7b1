// Loading the four keys into startupList and applying startupList back, against the in-memory registry.
#include <gtest/gtest.h>

#include "startup/StartupTestBed.h"
#include "support/ErrorOf.h"

namespace tovr::startup {
namespace {

using testing::ErrorOf;

TEST(StartupStoreTest, LoadsTheFourKeysInOrderForReadingOnly) {
  StartupTestBed t;
  t.registry.Deny(kHklm, "");  // a standard user: HKEY_LOCAL_MACHINE opens for reading only
  t.Put(kHkcu, kNeverRun, "Same", "4");
  t.Put(kHkcu, kRun, "Same", RegValue::FromString("3", RegType::ExpandString));
  t.Put(kHklm, kNeverRun, "Same", "2");
  t.Put(kHklm, kRun, "Same", "1");
  t.Put(kHklm, kNeverRun, "a", "x");
  t.Put(kHkcu, kRun, "B", "y");
  t.page.LoadStartupEntries();
  // Sorted by name; equal names in the order of the keys.
  EXPECT_EQ(t.Rows(), (std::vector<std::string>{"a|x|所有用户|0", "B|y|当前用户|1", "Same|1|所有用户|1",
                                                "Same|2|所有用户|0", "Same|3|当前用户|1", "Same|4|当前用户|0"}));
  t.Put(kHkcu, kRun, "C", "z");
  t.page.LoadStartupEntries();  // only an empty list is filled
  EXPECT_EQ(t.page.startupList.Count(), 6u);
  EXPECT_FALSE(t.page.startupChanged);

  StartupTestBed bad;
  bad.Put(kHklm, kRun, "first", "a");
  bad.Put(kHklm, kNeverRun, "dword", RegValue::FromDword(1));
  bad.Put(kHkcu, kRun, "later", "b");
  EXPECT_EQ(ErrorOf([&] { bad.page.LoadStartupEntries(); }), "Invalid data type for 'dword'");
  EXPECT_EQ(bad.Rows(), (std::vector<std::string>{"first|a|所有用户|1"}));

  // A key whose values cannot be listed ends the load there too; what was read before it shows.
  StartupTestBed refused;
  refused.Put(kHklm, kRun, "first", "a");
  refused.registry.FailReads(kHkcu, kRunKeyPath);
  refused.Put(kHkcu, kNeverRun, "later", "b");
  EXPECT_EQ(ErrorOf([&] { refused.page.LoadStartupEntries(); }),
            "Failed to get data for 'SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run'");
  EXPECT_EQ(refused.Rows(), (std::vector<std::string>{"first|a|所有用户|1"}));
}

TEST(StartupStoreTest, UntickingMovesTheValueToNeverRunWritingBeforeDeletingAndBack) {
  StartupTestBed t;
  t.Put(kHkcu, kRun, "App", "C:\\app.exe /s");
  t.Put(kHklm, kRun, "App", "D:\\other.exe");
  t.page.LoadStartupEntries();
  t.page.startupList.SetEnabled(t.Row("App"), false);
  t.page.ApplyStartupEntries();
  const auto& c = t.registry.Changes();
  ASSERT_EQ(c.size(), 3u);  // NeverRun created, the value written there, then deleted from Run
  EXPECT_EQ(c[1], (RegChange{RegChangeKind::SetValue, kHkcu, kNeverRunKeyPath + 1, "App",
                             RegValue::FromString("C:\\app.exe /s")}));
  EXPECT_EQ(c[2], (RegChange{RegChangeKind::DeleteValue, kHkcu, kRunKeyPath + 1, "App", {}}));
  EXPECT_EQ(t.Peek(kHklm, kRun, "App"), RegValue::FromString("D:\\other.exe"));

  t.page.startupList.SetEnabled(t.Row("App"), true);
  t.page.startupList.OnStartupNameEdited(t.Row("App", kAllUsersLabel), "Renamed");
  t.page.ApplyStartupEntries();
  EXPECT_EQ(t.Peek(kHkcu, kRun, "App"), RegValue::FromString("C:\\app.exe /s"));
  EXPECT_FALSE(t.Peek(kHkcu, kNeverRun, "App"));
  EXPECT_EQ(t.Peek(kHklm, kRun, "Renamed"), RegValue::FromString("D:\\other.exe"));
  EXPECT_FALSE(t.Peek(kHklm, kRun, "App"));
}

TEST(StartupStoreTest, AnEmptyListTouchesNothingAndARemovedRowsValueGoes) {
  StartupTestBed t;
  t.Put(kHkcu, kRun, "A", "a.exe");
  t.Put(kHkcu, kRun, "B", "b.exe");
  t.page.LoadStartupEntries();
  t.page.startupList.Remove(0);
  t.page.ApplyStartupEntries();
  EXPECT_FALSE(t.Peek(kHkcu, kRun, "A"));
  t.registry.ClearChanges();
  t.page.startupList.Remove(0);
  t.page.ApplyStartupEntries();
  EXPECT_TRUE(t.registry.Changes().empty());
  EXPECT_TRUE(t.Peek(kHkcu, kRun, "B"));
}

TEST(StartupStoreTest, WhatTheListDoesNotHoldSurvivesASave) {
  StartupTestBed t;
  const RegValue expandable = RegValue::FromString("%WINDIR%\\x.exe", RegType::ExpandString);
  t.Put(kHkcu, kRun, "Exp", expandable);
  t.Put(kHkcu, kRun, "Moved", RegValue::FromString("%TEMP%\\m.exe", RegType::ExpandString));
  t.Put(kHkcu, kRun, "Count", RegValue::FromDword(7));  // stops the load
  t.registry.Put(kHkcu, std::string(kRunKeyPath) + "\\Sub", "inner", RegValue::FromString("kept"));
  t.Put(kHkcu, kNeverRun, "NotLoaded", "n.exe");
  ErrorOf([&] { t.page.LoadStartupEntries(); });
  ASSERT_EQ(t.page.startupList.Count(), 2u);

  t.page.ApplyStartupEntries();  // nothing changed: nothing written
  EXPECT_TRUE(t.registry.Changes().empty());
  t.page.startupList.SetEnabled(t.Row("Moved"), false);
  t.page.ApplyStartupEntries();
  EXPECT_EQ(t.Peek(kHkcu, kNeverRun, "Moved"), RegValue::FromString("%TEMP%\\m.exe", RegType::ExpandString));
  EXPECT_EQ(t.Peek(kHkcu, kRun, "Exp"), expandable);
  EXPECT_EQ(t.Peek(kHkcu, kRun, "Count"), RegValue::FromDword(7));
  EXPECT_EQ(t.registry.Peek(kHkcu, std::string(kRunKeyPath) + "\\Sub", "inner"), RegValue::FromString("kept"));
  EXPECT_EQ(t.Peek(kHkcu, kNeverRun, "NotLoaded"), RegValue::FromString("n.exe"));
}

TEST(StartupStoreTest, AFailedWriteLeavesItsEntryAndReportsOnceAfterTheOtherChanges) {
  for (const bool standardUser : {true, false}) {  // HKEY_LOCAL_MACHINE refused, or one write fails
    StartupTestBed t;
    t.Put(kHklm, kRun, "Sys", "s.exe");
    t.Put(kHklm, kRun, "Sys2", "s2.exe");
    t.Put(kHkcu, kRun, "Mine", "m.exe");
    t.page.LoadStartupEntries();
    if (standardUser) {
      t.registry.Deny(kHklm, "");
      t.page.ApplyStartupEntries();  // unchanged all-users rows need no write access
    } else {
      t.registry.FailWhen([](const RegChange& ch) { return ch.kind == RegChangeKind::SetValue && ch.name == "Sys"; });
    }
    for (std::size_t row = 0; row < 3; ++row) t.page.startupList.SetEnabled(row, false);
    EXPECT_EQ(ErrorOf([&] { t.page.ApplyStartupEntries(); }), "Failed to set data for 'Sys'") << standardUser;
    EXPECT_EQ(t.Peek(kHklm, kRun, "Sys"), RegValue::FromString("s.exe")) << standardUser;
    EXPECT_FALSE(t.Peek(kHklm, kNeverRun, "Sys")) << standardUser;
    EXPECT_EQ(t.Peek(kHklm, kNeverRun, "Sys2").has_value(), !standardUser) << standardUser;
    EXPECT_EQ(t.Peek(kHkcu, kNeverRun, "Mine"), RegValue::FromString("m.exe")) << standardUser;
    EXPECT_FALSE(t.Peek(kHkcu, kRun, "Mine")) << standardUser;
  }
}

TEST(StartupStoreTest, ASaveComparesValuesByTextAndSpellsNamesAsTheRowDoes) {
  StartupTestBed t;
  // Strings as other programs store them: without the terminating zero, or with bytes after it.
  RegValue unterminated = RegValue::FromString("m.exe");
  unterminated.data.resize(unterminated.data.size() - 2);
  RegValue trailing = RegValue::FromString("s.exe");
  trailing.data.insert(trailing.data.end(), {'x', 0, 0, 0});
  t.Put(kHklm, kRun, "Sys", trailing);
  t.Put(kHkcu, kRun, "mine", unterminated);
  t.Put(kHkcu, kRun, "Other", "o.exe");
  t.page.LoadStartupEntries();
  t.registry.Deny(kHklm, "");  // a standard user
  t.page.startupList.SetEnabled(t.Row("Other"), false);
  EXPECT_EQ(ErrorOf([&] { t.page.ApplyStartupEntries(); }), "(no error)");
  for (const RegChange& c : t.registry.Changes()) EXPECT_EQ(c.root, kHkcu) << c.name;
  EXPECT_EQ(t.Peek(kHkcu, kRun, "mine"), unterminated);

  // A new spelling of the same name reaches the registry, with the value unchanged.
  t.page.startupList.OnStartupNameEdited(t.Row("mine"), "MINE");
  t.page.ApplyStartupEntries();
  std::vector<std::string> names;
  for (const RegNamedValue& v : t.registry.Open(kHkcu, kRunKeyPath, RegOpen::ReadOnly)->Values()) names.push_back(v.name);
  EXPECT_EQ(names, std::vector<std::string>{"MINE"});
  EXPECT_EQ(t.Peek(kHkcu, kRun, "MINE")->Text(), "m.exe");
}

}  // namespace
}  // namespace tovr::startup
