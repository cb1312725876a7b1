// The three registry toggles of the settings page against the in-memory registry.
#include "tweaks/SystemToggles.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fakes/FakeRegistry.h"

namespace tovr::tweaks {
namespace {

// The keys as the settings page's documentation names them (written out here, not taken from
// the code under test).
constexpr const char* kFolderShell = "SOFTWARE\\Classes\\Folder\\shell";
constexpr const char* kPolicy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUserFolderShell = "Software\\Classes\\Folder\\shell";
constexpr const char* kUserRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kExe = "C:\\Program Files\\Tovrane\\Tovrane.exe";

RegValue Bin(std::vector<std::uint8_t> bytes) { return {RegType::Binary, std::move(bytes)}; }

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

bool WroteValues(const FakeRegistry& reg) {
  for (const RegChange& c : reg.Changes()) {
    if (c.kind == RegChangeKind::SetValue || c.kind == RegChangeKind::DeleteValue) return true;
  }
  return false;
}

TEST(SystemTogglesTest, FolderExploreReadsOnlyTheExactVerb) {
  const struct {
    std::optional<RegValue> stored;
    bool ticked;
  } cases[] = {
      {std::nullopt, false},
      {RegValue::FromString("explore"), true},
      {RegValue::FromString("explore", RegType::ExpandString), true},
      {RegValue::FromString("Explore"), false},
      {RegValue::FromString("explore "), false},
      {RegValue::FromString("open"), false},
      {Bin({'e', 0, 'x', 0}), false},  // a foreign type is not an error
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    if (cases[i].stored) reg.Put(RegRoot::LocalMachine, kFolderShell, "", *cases[i].stored);
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.IsFolderExplore(), cases[i].ticked) << "case " << i;
    EXPECT_FALSE(WroteValues(reg)) << "case " << i;
  }
}

TEST(SystemTogglesTest, NoSaveSettingsReadsOneAsTickedWhateverTheStorage) {
  const struct {
    std::optional<RegValue> stored;
    bool ticked;
  } cases[] = {
      {std::nullopt, false},
      {Bin({1, 0, 0, 0}), true},
      {Bin({2, 0, 0, 0}), false},
      {Bin({0, 0, 0, 0}), false},
      {Bin({1, 0, 0, 1}), false},  // 0x01000001
      {Bin({1}), true},            // short data fills the low bytes
      {Bin({}), false},
      {RegValue::FromDword(1), true},
      {RegValue::FromDword(2), false},
      {RegValue::FromDword(0x100), false},
      {RegValue::FromString("1"), false},  // read as a number ("1" is 0x31): not 1, no error
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    if (cases[i].stored) reg.Put(RegRoot::CurrentUser, kPolicy, "NoSaveSettings", *cases[i].stored);
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.ExplorerNoSave(2), cases[i].ticked) << "case " << i;
    EXPECT_FALSE(WroteValues(reg)) << "case " << i << ": the query mode never writes";
    EXPECT_EQ(reg.Peek(RegRoot::CurrentUser, kPolicy, "NoSaveSettings"), cases[i].stored)
        << "case " << i;
  }
}

TEST(SystemTogglesTest, NoSaveSettingsWritesFourBinaryBytesAndAnswersThePreviousState) {
  const struct {
    std::optional<RegValue> stored;
    int mode;
    bool previous;
    std::vector<std::uint8_t> written;
  } cases[] = {
      {std::nullopt, 1, false, {1, 0, 0, 0}},
      {std::nullopt, 0, false, {0, 0, 0, 0}},
      {Bin({1, 0, 0, 0}), 0, true, {0, 0, 0, 0}},
      {RegValue::FromDword(1), 1, true, {1, 0, 0, 0}},  // the type becomes binary
      {Bin({2, 0, 0, 0}), 1, false, {1, 0, 0, 0}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    if (cases[i].stored) reg.Put(RegRoot::CurrentUser, kPolicy, "NoSaveSettings", *cases[i].stored);
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.ExplorerNoSave(cases[i].mode), cases[i].previous) << "case " << i;
    EXPECT_EQ(reg.Peek(RegRoot::CurrentUser, kPolicy, "NoSaveSettings"), Bin(cases[i].written))
        << "case " << i;
  }
}

// Regression: when the binary write is refused, the fallback integer write carries the user's
// choice, not the state found before; otherwise the save would report success and change nothing.
TEST(SystemTogglesTest, RefusedBinaryWriteFallsBackToAnIntegerOfTheNewMode) {
  const struct {
    std::uint32_t before;
    int mode;
  } cases[] = {{0, 1}, {1, 0}, {1, 1}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    reg.Put(RegRoot::CurrentUser, kPolicy, "NoSaveSettings", RegValue::FromDword(cases[i].before));
    reg.FailWhen([](const RegChange& c) { return c.value.type == RegType::Binary; });
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.ExplorerNoSave(cases[i].mode), cases[i].before == 1) << "case " << i;
    EXPECT_EQ(reg.Peek(RegRoot::CurrentUser, kPolicy, "NoSaveSettings"),
              RegValue::FromDword(static_cast<std::uint32_t>(cases[i].mode)))
        << "case " << i;
  }
}

TEST(SystemTogglesTest, RefusedWritesStopWithTheValueName) {
  FakeRegistry reg;
  reg.FailWhen([](const RegChange& c) { return c.kind == RegChangeKind::SetValue; });
  SystemToggles toggles(reg);
  EXPECT_EQ(ErrorOf([&] { toggles.ExplorerNoSave(1); }), "Failed to set data for 'NoSaveSettings'");
  EXPECT_EQ(ErrorOf([&] { toggles.SetFolderExplore(true); }), "Failed to set data for ''");
  EXPECT_EQ(ErrorOf([&] { toggles.SetAutorun(kExe, true); }), "Failed to set data for 'Tovr'");
  EXPECT_EQ(ErrorOf([&] { toggles.ExplorerNoSave(2); }), "(no error)");
}

TEST(SystemTogglesTest, KeysThatCannotBeOpenedReadUntickedAndRefuseWrites) {
  FakeRegistry reg;
  reg.Deny(RegRoot::LocalMachine, "SOFTWARE");
  reg.Deny(RegRoot::CurrentUser, "Software");
  SystemToggles toggles(reg);

  EXPECT_FALSE(toggles.IsFolderExplore());
  EXPECT_FALSE(toggles.ExplorerNoSave(2));
  EXPECT_FALSE(toggles.IsAutorun(kExe));

  EXPECT_EQ(ErrorOf([&] { toggles.SetFolderExplore(true); }), "Failed to set data for ''");
  EXPECT_EQ(ErrorOf([&] { toggles.ExplorerNoSave(0); }), "Failed to set data for 'NoSaveSettings'");
  EXPECT_EQ(ErrorOf([&] { toggles.SetAutorun(kExe, true); }), "Failed to set data for 'Tovr'");
  // Unticking deletes; a delete that cannot happen is ignored.
  EXPECT_EQ(ErrorOf([&] { toggles.SetFolderExplore(false); }), "(no error)");
  EXPECT_EQ(ErrorOf([&] { toggles.SetAutorun(kExe, false); }), "(no error)");
}

TEST(SystemTogglesTest, MissingKeysReadUntickedAndReadingCreatesNothing) {
  FakeRegistry reg;
  SystemToggles toggles(reg);
  EXPECT_FALSE(toggles.IsFolderExplore());
  EXPECT_FALSE(toggles.ExplorerNoSave(2));
  EXPECT_FALSE(toggles.IsAutorun(kExe));
  EXPECT_FALSE(toggles.IsAutorun(""));  // a missing value never matches, not even an empty path
  EXPECT_TRUE(reg.Changes().empty());
}

// A user without administrator rights may read HKEY_LOCAL_MACHINE but not write it (nor open it
// for writing): the toggles go to the user's own keys, which the shell prefers, and every
// operation asks the registry for no more access than it needs.
TEST(SystemTogglesTest, StandardUserWritesItsOwnKeysWithTheLeastAccess) {
  FakeRegistry reg;
  reg.DenyAsStandardUser();
  SystemToggles toggles(reg);
  EXPECT_FALSE(toggles.IsAutorun(kExe) || toggles.IsFolderExplore() || toggles.ExplorerNoSave(2));
  toggles.SetAutorun(kExe, true);
  toggles.SetFolderExplore(true);
  EXPECT_EQ(reg.Peek(RegRoot::CurrentUser, kUserRun, "Tovr"), RegValue::FromString(kExe));
  EXPECT_EQ(reg.Peek(RegRoot::CurrentUser, kUserFolderShell, ""), RegValue::FromString("explore"));
  EXPECT_TRUE(toggles.IsAutorun(kExe) && toggles.IsFolderExplore());
  toggles.SetAutorun(kExe, false);
  toggles.SetFolderExplore(false);
  EXPECT_FALSE(toggles.IsAutorun(kExe) || toggles.IsFolderExplore());
  std::vector<std::string> writeOpens;  // read-only opens aside, in order
  for (const RegOpenCall& o : reg.Opens()) {
    if (o.mode == RegOpen::ReadOnly) continue;
    writeOpens.push_back(std::string(o.mode == RegOpen::Existing ? "open " : "create ") +
                         (o.root == RegRoot::LocalMachine ? "LM " : "CU ") + o.path);
  }
  const std::string run = kRun, userRun = kUserRun, shell = kFolderShell, userShell = kUserFolderShell;
  EXPECT_EQ(writeOpens, (std::vector<std::string>{"create LM " + run, "create CU " + userRun,
                                                  "create LM " + shell, "create CU " + userShell,
                                                  "open CU " + userRun, "open CU " + userShell}));

  // Set machine-wide by an administrator: reads as set, ticking adds no second autorun entry
  // (Windows would start the program twice), unticking cannot remove it and says nothing.
  reg.Put(RegRoot::LocalMachine, kRun, "Tovr", RegValue::FromString(kExe));
  toggles.SetAutorun(kExe, true);
  EXPECT_FALSE(reg.Peek(RegRoot::CurrentUser, kUserRun, "Tovr").has_value());
  EXPECT_NO_THROW(toggles.SetAutorun(kExe, false));
  EXPECT_TRUE(toggles.IsAutorun(kExe));
}

TEST(SystemTogglesTest, AutorunReadsEitherKeyAndUntickingRemovesOurPathFromBoth) {
  constexpr const char* kOther = "D:\\Other\\Tovrane.exe";
  const struct {
    const char* machine;  // nullptr: no value
    const char* user;
  } cases[] = {{kExe, nullptr}, {nullptr, kExe}, {kExe, kExe}, {kOther, kExe}, {kOther, kOther}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    const std::tuple<RegRoot, const char*, const char*> places[] = {
        {RegRoot::LocalMachine, kRun, cases[i].machine},
        {RegRoot::CurrentUser, kUserRun, cases[i].user}};
    for (auto [root, key, was] : places) {
      if (was) reg.Put(root, key, "Tovr", RegValue::FromString(was));
    }
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.IsAutorun(kExe), i < 4) << "case " << i;
    toggles.SetAutorun(kExe, false);
    for (auto [root, key, was] : places) {  // another copy's entry stays
      EXPECT_EQ(reg.Peek(root, key, "Tovr").has_value(), was == kOther) << "case " << i;
    }
  }
}

TEST(SystemTogglesTest, FolderExploreReadsTheUsersValueBeforeTheMachines) {
  const struct {
    const char *machine, *user;  // nullptr: no value
    bool ticked;
  } cases[] = {{"explore", nullptr, true}, {"open", "explore", true}, {"explore", "open", false}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    for (auto [root, key, was] : {std::tuple{RegRoot::LocalMachine, kFolderShell, cases[i].machine},
                                  std::tuple{RegRoot::CurrentUser, kUserFolderShell, cases[i].user}}) {
      if (was) reg.Put(root, key, "", RegValue::FromString(was));
    }
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.IsFolderExplore(), cases[i].ticked) << "case " << i;
    toggles.SetFolderExplore(true);  // the machine's key is writable here
    EXPECT_TRUE(toggles.IsFolderExplore()) << "case " << i << ": ticking takes effect";
  }
}

TEST(SystemTogglesTest, FolderExploreWritesAndDeletesTheDefaultValue) {
  FakeRegistry reg;
  reg.Put(RegRoot::LocalMachine, kFolderShell, "other", RegValue::FromString("kept"));
  SystemToggles toggles(reg);
  toggles.SetFolderExplore(true);
  EXPECT_EQ(reg.Peek(RegRoot::LocalMachine, kFolderShell, ""), RegValue::FromString("explore"));
  EXPECT_TRUE(toggles.IsFolderExplore());
  toggles.SetFolderExplore(false);
  EXPECT_FALSE(reg.Peek(RegRoot::LocalMachine, kFolderShell, "").has_value());
  EXPECT_TRUE(reg.Peek(RegRoot::LocalMachine, kFolderShell, "other").has_value());
  EXPECT_FALSE(toggles.IsFolderExplore());
  toggles.SetFolderExplore(false);  // nothing left to delete: no error
}

TEST(SystemTogglesTest, FailedDeleteIsIgnored) {
  FakeRegistry reg;
  reg.Put(RegRoot::LocalMachine, kFolderShell, "", RegValue::FromString("explore"));
  reg.Put(RegRoot::LocalMachine, kRun, "Tovr", RegValue::FromString(kExe));
  reg.FailWhen([](const RegChange& c) { return c.kind == RegChangeKind::DeleteValue; });
  SystemToggles toggles(reg);
  EXPECT_NO_THROW(toggles.SetFolderExplore(false));
  EXPECT_NO_THROW(toggles.SetAutorun(kExe, false));
  EXPECT_TRUE(toggles.IsFolderExplore());
  EXPECT_TRUE(toggles.IsAutorun(kExe));
}

TEST(SystemTogglesTest, AutorunMatchesAndRemovesOnlyTheExactPath) {
  const struct {
    std::optional<RegValue> stored;
    bool ticked;
    bool removedByUnticking;
  } cases[] = {
      {std::nullopt, false, false},
      {RegValue::FromString(kExe), true, true},
      {RegValue::FromString("c:\\program files\\tovrane\\tovrane.exe"), false, false},
      {RegValue::FromString("\"C:\\Program Files\\Tovrane\\Tovrane.exe\""), false, false},
      {RegValue::FromString("D:\\Other copy\\Tovrane.exe"), false, false},
      {RegValue::FromString(kExe, RegType::ExpandString), true, true},
      {RegValue::FromDword(1), false, false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeRegistry reg;
    if (cases[i].stored) reg.Put(RegRoot::LocalMachine, kRun, "Tovr", *cases[i].stored);
    reg.Put(RegRoot::LocalMachine, kRun, "Other", RegValue::FromString("other.exe"));
    SystemToggles toggles(reg);
    EXPECT_EQ(toggles.IsAutorun(kExe), cases[i].ticked) << "case " << i;
    toggles.SetAutorun(kExe, false);
    const auto left = reg.Peek(RegRoot::LocalMachine, kRun, "Tovr");
    EXPECT_EQ(left.has_value(), cases[i].stored && !cases[i].removedByUnticking) << "case " << i;
    if (left) {
      EXPECT_EQ(left, cases[i].stored) << "case " << i;
    }
    EXPECT_TRUE(reg.Peek(RegRoot::LocalMachine, kRun, "Other").has_value()) << "case " << i;
  }
}

TEST(SystemTogglesTest, AutorunWritesThePathAsAStringUnderTheMachineRunKey) {
  FakeRegistry reg;
  reg.Put(RegRoot::LocalMachine, kRun, "Tovr", RegValue::FromString("D:\\Old\\Tovrane.exe"));
  SystemToggles toggles(reg);
  const std::string exe = "C:\\工具\\Tovrane.exe";
  toggles.SetAutorun(exe, true);
  EXPECT_EQ(reg.Peek(RegRoot::LocalMachine, kRun, "Tovr"), RegValue::FromString(exe));
  EXPECT_FALSE(reg.Peek(RegRoot::CurrentUser, kRun, "Tovr").has_value());
  EXPECT_TRUE(toggles.IsAutorun(exe));
  EXPECT_FALSE(toggles.IsAutorun(kExe));
}

}  // namespace
}  // namespace tovr::tweaks
