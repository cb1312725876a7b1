// The registry toggles against the real registry under Wine: each toggle set, read back through
// the toggles and through the W functions, then the previous values put back.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "base/win32/Wide.h"
#include "platform/win32/Win32Registry.h"
#include "tweaks/SystemToggles.h"

namespace tovr::tweaks {
namespace {

struct Place {
  RegRoot root;
  HKEY hkey;
  const char* path;
  const char* name;
};

const Place kFolderVerb{RegRoot::LocalMachine, HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Classes\\Folder\\shell", ""};
const Place kNoSave{RegRoot::CurrentUser, HKEY_CURRENT_USER,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                    "NoSaveSettings"};
const Place kAutorun{RegRoot::LocalMachine, HKEY_LOCAL_MACHINE,
                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tovr"};

// What a place held before the test, to be put back afterwards.
struct Saved {
  Place place;
  bool keyExisted = false;
  std::optional<RegValue> value;
};

// The value's type and bytes as RegQueryValueExW reports them.
std::optional<RegValue> QueryRaw(const Place& p) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(p.hkey, Widen(p.path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0, size = 0;
  const std::wstring name = Widen(p.name);
  std::optional<RegValue> out;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    RegValue v{static_cast<RegType>(type), std::vector<std::uint8_t>(size)};
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, v.data.data(), &size) == ERROR_SUCCESS) {
      v.data.resize(size);
      out = std::move(v);
    }
  }
  RegCloseKey(key);
  return out;
}

std::string ExePath() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return Narrow(std::wstring_view(buffer, n));
}

class SystemTogglesWineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Place& p : {kFolderVerb, kNoSave, kAutorun}) {
      saved_.push_back({p, reg_.KeyExists(p.root, p.path), QueryRaw(p)});
    }
  }

  void TearDown() override {
    for (const Saved& s : saved_) {
      if (!s.keyExisted) {
        reg_.DeleteKey(s.place.root, s.place.path);
        continue;
      }
      auto key = reg_.Open(s.place.root, s.place.path, RegOpen::Existing);
      ASSERT_NE(key, nullptr) << s.place.path;
      if (s.value) {
        key->Write(s.place.name, *s.value);
      } else {
        key->DeleteValue(s.place.name);
      }
      EXPECT_EQ(QueryRaw(s.place), s.value) << s.place.path << " restored";
    }
  }

  Win32Registry reg_;
  SystemToggles toggles_{reg_};
  std::vector<Saved> saved_;
};

TEST_F(SystemTogglesWineTest, FolderExploreRoundTrip) {
  toggles_.SetFolderExplore(true);
  EXPECT_TRUE(toggles_.IsFolderExplore());
  EXPECT_EQ(QueryRaw(kFolderVerb), RegValue::FromString("explore"));
  toggles_.SetFolderExplore(false);
  EXPECT_FALSE(toggles_.IsFolderExplore());
  EXPECT_EQ(QueryRaw(kFolderVerb), std::nullopt);
}

TEST_F(SystemTogglesWineTest, NoSaveSettingsRoundTripAsFourBinaryBytes) {
  const bool before = toggles_.ExplorerNoSave(2);
  EXPECT_EQ(toggles_.ExplorerNoSave(1), before);
  EXPECT_EQ(QueryRaw(kNoSave), (RegValue{RegType::Binary, {1, 0, 0, 0}}));
  EXPECT_TRUE(toggles_.ExplorerNoSave(2));
  EXPECT_TRUE(toggles_.ExplorerNoSave(0));
  EXPECT_EQ(QueryRaw(kNoSave), (RegValue{RegType::Binary, {0, 0, 0, 0}}));
  EXPECT_FALSE(toggles_.ExplorerNoSave(2));

  // Another program's integer form reads the same.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(kNoSave.path).c_str(), 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const DWORD one = 1;
  RegSetValueExW(key, L"NoSaveSettings", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                 sizeof one);
  RegCloseKey(key);
  EXPECT_TRUE(toggles_.ExplorerNoSave(2));
}

TEST_F(SystemTogglesWineTest, AutorunRoundTripWithTheRunningExecutable) {
  const std::string exe = ExePath();
  ASSERT_FALSE(exe.empty());
  toggles_.SetAutorun(exe, true);
  EXPECT_TRUE(toggles_.IsAutorun(exe));
  EXPECT_EQ(QueryRaw(kAutorun), RegValue::FromString(exe));

  std::string otherCase = exe;
  for (char& c : otherCase) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  ASSERT_NE(otherCase, exe);
  EXPECT_FALSE(toggles_.IsAutorun(otherCase));
  toggles_.SetAutorun(otherCase, false);  // not our exact path: stays
  EXPECT_EQ(QueryRaw(kAutorun), RegValue::FromString(exe));

  toggles_.SetAutorun(exe, false);
  EXPECT_FALSE(toggles_.IsAutorun(exe));
  EXPECT_EQ(QueryRaw(kAutorun), std::nullopt);
}

}  // namespace
}  // namespace tovr::tweaks
