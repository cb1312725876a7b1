// The fake against the registry contract, and what only the fake does: refusing access,
// failing chosen changes and recording the changes made through the port.
#include "fakes/FakeRegistry.h"

#include <gtest/gtest.h>

#include "platform/RegistryContract.h"
#include "platform/RegistryPath.h"

namespace tovr::contract {

struct FakeBackend {
  static std::unique_ptr<IRegistry> Make() { return std::make_unique<FakeRegistry>(); }
};
INSTANTIATE_TYPED_TEST_SUITE_P(Fake, RegistryContract, FakeBackend);

}  // namespace tovr::contract

namespace tovr {
namespace {

using contract::ErrorOf;

constexpr const char* kRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kNeverRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\NeverRun";

TEST(FakeRegistryTest, ValuesEnumerateInCreationOrderAsOnWindows) {
  FakeRegistry reg;
  auto key = reg.Create(RegRoot::CurrentUser, kRun);
  for (const char* name : {"zeta", "Alpha", "mid"}) key->WriteString(name, name);
  key->WriteString("ALPHA", "again");  // replacing keeps the place
  std::vector<std::string> names;
  for (const auto& v : key->Values()) names.push_back(v.name);
  EXPECT_EQ(names, (std::vector<std::string>{"zeta", "Alpha", "mid"}));
}

TEST(FakeRegistryTest, DeniedKeysCannotBeOpenedCreatedOrDeleted) {
  FakeRegistry reg;
  reg.Put(RegRoot::LocalMachine, kRun, "App", RegValue::FromString("app.exe"));
  reg.Deny(RegRoot::LocalMachine, "software\\microsoft\\windows\\currentversion\\run");
  const struct {
    RegRoot root;
    const char* path;
    RegOpen mode;
    bool opens;
  } cases[] = {
      {RegRoot::LocalMachine, kRun, RegOpen::Existing, false},
      {RegRoot::LocalMachine, kRun, RegOpen::CreateIfMissing, false},
      {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Sub",
       RegOpen::CreateIfMissing, false},
      {RegRoot::LocalMachine, kNeverRun, RegOpen::CreateIfMissing, true},
      {RegRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", RegOpen::Existing,
       true},
      {RegRoot::CurrentUser, kRun, RegOpen::CreateIfMissing, true},
      {RegRoot::LocalMachine, kRun, RegOpen::ReadOnly, true},  // a standard user still reads
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    EXPECT_EQ(reg.Open(c.root, c.path, c.mode) != nullptr, c.opens) << "case " << i;
  }
  EXPECT_EQ(ErrorOf([&] { reg.Create(RegRoot::LocalMachine, kRun); }),
            std::string("Failed to create key '") + kRun + "'");
  EXPECT_TRUE(reg.KeyExists(RegRoot::LocalMachine, kRun));
  EXPECT_FALSE(reg.DeleteKey(RegRoot::LocalMachine, kRun));
  EXPECT_FALSE(reg.DeleteKey(RegRoot::LocalMachine, "SOFTWARE\\Microsoft"));  // holds it
  EXPECT_EQ(reg.Peek(RegRoot::LocalMachine, kRun, "app"), RegValue::FromString("app.exe"));
}

TEST(FakeRegistryTest, FailedChangesLeaveNoTraceAndAreNotRecorded) {
  FakeRegistry reg;
  const char* policy = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  reg.Put(RegRoot::CurrentUser, policy, "NoSaveSettings", RegValue::FromDword(1));
  reg.FailWhen([](const RegChange& c) {
    return (c.kind == RegChangeKind::SetValue && c.value.type == RegType::Binary) ||
           c.kind == RegChangeKind::DeleteValue ||
           (c.kind == RegChangeKind::CreateKey && c.path.ends_with("Locked"));
  });
  auto key = reg.Create(RegRoot::CurrentUser, policy);
  const std::vector<std::uint8_t> off{0, 0, 0, 0};
  EXPECT_EQ(ErrorOf([&] { key->WriteBinary("NoSaveSettings", off); }),
            "Failed to set data for 'NoSaveSettings'");
  EXPECT_EQ(key->ReadDword("NoSaveSettings"), 1u);
  EXPECT_FALSE(key->DeleteValue("NoSaveSettings"));
  EXPECT_TRUE(key->HasValue("NoSaveSettings"));
  EXPECT_EQ(reg.Open(RegRoot::CurrentUser, "Software\\Locked\\Inner", RegOpen::CreateIfMissing),
            nullptr);
  EXPECT_FALSE(reg.KeyExists(RegRoot::CurrentUser, "Software\\Locked"));
  key->WriteDword("NoSaveSettings", 0);
  EXPECT_EQ(reg.Changes(), (std::vector<RegChange>{{RegChangeKind::SetValue, RegRoot::CurrentUser,
                                                    policy, "NoSaveSettings",
                                                    RegValue::FromDword(0)}}));
}

TEST(FakeRegistryTest, RecordsEachChangeWithThePathAsSpelt) {
  FakeRegistry reg;
  const auto lm = RegRoot::LocalMachine, cu = RegRoot::CurrentUser;
  reg.Put(lm, "SOFTWARE\\Classes\\Folder\\shell", "", RegValue::FromString("open"));
  auto folder = reg.Open(lm, "\\software\\classes\\folder\\shell", RegOpen::CreateIfMissing);
  EXPECT_TRUE(folder->DeleteValue(""));
  EXPECT_FALSE(folder->DeleteValue(""));  // nothing left: no change
  reg.Create(cu, "\\Software\\NeverRun")->WriteString("App", "app.exe");
  EXPECT_TRUE(reg.DeleteKey(cu, "software\\neverrun"));
  EXPECT_FALSE(reg.DeleteKey(cu, "Software\\NeverRun"));

  using K = RegChangeKind;
  EXPECT_EQ(reg.Changes(),
            (std::vector<RegChange>{
                {K::DeleteValue, lm, "software\\classes\\folder\\shell", "", {}},
                {K::CreateKey, cu, "Software", "", {}},
                {K::CreateKey, cu, "Software\\NeverRun", "", {}},
                {K::SetValue, cu, "Software\\NeverRun", "App", RegValue::FromString("app.exe")},
                {K::DeleteKey, cu, "software\\neverrun", "", {}},
            }));
}

TEST(FakeRegistryTest, KeyNamesLongerThanTheSystemLimitAreRefused) {
  // Windows documents 255 characters; Wine 8 still takes 256, so this is not in the contract.
  FakeRegistry reg;
  const std::string longest(kMaxRegKeyNameLength, 'k');
  EXPECT_NE(reg.Open(RegRoot::CurrentUser, longest, RegOpen::CreateIfMissing), nullptr);
  EXPECT_EQ(reg.Open(RegRoot::CurrentUser, longest + "k", RegOpen::CreateIfMissing), nullptr);
}

}  // namespace
}  // namespace tovr
