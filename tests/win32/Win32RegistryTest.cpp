// The Win32 adapter and the fake against the registry contract under Wine, and what only the
// real registry can show: the bytes other programs see, data that this program did not write,
// and a creation the system refuses.
//
// Not provoked here: a key that cannot be opened with full access. The Wine prefix's user is
// an administrator, so HKEY_LOCAL_MACHINE opens and takes writes; the fake's Deny stands in.
#include "platform/win32/Win32Registry.h"
#include "win32/regview/RegistryView.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/FakeRegistry.h"
#include "platform/RegistryContract.h"

namespace tovr::contract {

struct FakeBackend {
  static std::unique_ptr<IRegistry> Make() { return std::make_unique<FakeRegistry>(); }
};
struct Win32Backend {
  static std::unique_ptr<IRegistry> Make() { return std::make_unique<Win32Registry>(); }
};
using Backends = ::testing::Types<FakeBackend, Win32Backend>;
INSTANTIATE_TYPED_TEST_SUITE_P(Both, RegistryContract, Backends);

}  // namespace tovr::contract

namespace tovr {
namespace {

using contract::ErrorOf;

constexpr const char* kBase = "Software\\TovraneTest";
constexpr const wchar_t* kWideBase = L"Software\\TovraneTest";

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reg_.DeleteKey(RegRoot::CurrentUser, kBase);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kWideBase, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &raw_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(raw_);
    reg_.DeleteKey(RegRoot::CurrentUser, kBase);
  }

  Win32Registry reg_;
  HKEY raw_ = nullptr;
};

TEST_F(Win32RegistryTest, WritesWhatTheWideFunctionsRead) {
  auto key = reg_.Create(RegRoot::CurrentUser, kBase);
  key->WriteString("路径", "C:\\程序\\Tovrane.exe");
  key->WriteDword("NoSaveSettings", 1);

  wchar_t text[64] = {};
  DWORD type = 0, size = sizeof text;
  ASSERT_EQ(RegQueryValueExW(raw_, L"路径", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(text), L"C:\\程序\\Tovrane.exe");
  EXPECT_EQ(size, (wcslen(L"C:\\程序\\Tovrane.exe") + 1) * sizeof(wchar_t));  // with its NUL

  DWORD n = 0;
  size = sizeof n;
  ASSERT_EQ(RegQueryValueExW(raw_, L"NoSaveSettings", nullptr, &type,
                             reinterpret_cast<BYTE*>(&n), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(n, 1u);
}

// The machine's keys are the 64-bit ones (the 32-bit build runs the same check as
// RegistryViewTest.exe).
TEST(Win32RegistryViewTest, MachineKeysAreTheSixtyFourBitOnes) {
  EXPECT_EQ(testing::RegistryViewFaults(), std::vector<std::string>{});
}

TEST_F(Win32RegistryTest, ReadsStringsAsOtherProgramsLeaveThem) {
  const struct {
    const char* bytes;  // UTF-16LE as stored
    DWORD size;
    DWORD type;
    const char* text;
  } cases[] = {
      {"a\0b\0", 4, REG_SZ, "ab"},                  // no terminator
      {"a\0b\0\0\0c\0d\0\0\0", 12, REG_SZ, "ab"},  // stops at the first NUL
      {"a\0b\0c", 5, REG_SZ, "ab"},                 // odd last byte
      {"", 0, REG_SZ, ""},
      {"%\0X\0%\0\0\0", 8, REG_EXPAND_SZ, "%X%"},  // not expanded
  };
  auto key = reg_.Open(RegRoot::CurrentUser, kBase, RegOpen::Existing);
  ASSERT_NE(key, nullptr);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    ASSERT_EQ(RegSetValueExW(raw_, L"v", 0, c.type, reinterpret_cast<const BYTE*>(c.bytes), c.size),
              ERROR_SUCCESS)
        << "case " << i;
    EXPECT_EQ(key->ReadString("v"), c.text) << "case " << i;
  }
}

TEST_F(Win32RegistryTest, ACreationTheSystemRefusesIsTheCreateError) {
  // Windows keeps no lasting key below a volatile one.
  HKEY vol = nullptr;
  ASSERT_EQ(RegCreateKeyExW(raw_, L"Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &vol, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(vol);
  const std::string path = "\\Software\\TovraneTest\\Volatile\\Child";
  EXPECT_EQ(ErrorOf([&] { reg_.Create(RegRoot::CurrentUser, path); }),
            "Failed to create key '" + path + "'");
  EXPECT_EQ(reg_.Open(RegRoot::CurrentUser, path, RegOpen::CreateIfMissing), nullptr);
  EXPECT_NE(reg_.Open(RegRoot::CurrentUser, "Software\\TovraneTest\\Volatile", RegOpen::Existing),
            nullptr);
}

}  // namespace
}  // namespace tovr
