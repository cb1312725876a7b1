// The behaviour every IRegistry must have. Natively it runs against the in-memory fake; under
// Wine against the fake and the Win32 adapter, so the fake is held to the real registry.
// A backend is a type with `static std::unique_ptr<IRegistry> Make()`.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/ErrorOf.h"
#include "platform/Registry.h"
#include "platform/RegistryPath.h"

namespace tovr::contract {

using tovr::testing::ErrorOf;

template <class Backend>
class RegistryContract : public ::testing::Test {
 protected:
  static constexpr RegRoot kRoot = RegRoot::CurrentUser;
  static constexpr const char* kBase = "Software\\TovraneTest";

  void SetUp() override {
    reg_ = Backend::Make();
    reg_->DeleteKey(kRoot, kBase);
  }
  void TearDown() override { reg_->DeleteKey(kRoot, kBase); }

  static std::string Path(std::string_view sub) { return JoinKeyPath(kBase, sub); }
  std::unique_ptr<IRegistryKey> Key(std::string_view sub = {}) {
    return reg_->Create(kRoot, Path(sub));
  }

  std::unique_ptr<IRegistry> reg_;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, StringsRoundTripAsNulTerminatedUtf16) {
  const struct {
    const char* name;
    std::string text;
    RegType type;
  } cases[] = {
      {"", "explore", RegType::String},  // the default value
      {"Tovr", "C:\\Program Files\\Tovrane\\Tovrane.exe", RegType::String},
      {"名称", "中文字符串：桌面", RegType::String},
      {"Empty", "", RegType::String},
      {"Expand", "%SystemRoot%\\system32", RegType::ExpandString},
      {"Astral", "\xF0\xA0\x80\x80 \xF0\x9F\x98\x80", RegType::String},
      {"Long", std::string(5000, 'x'), RegType::String},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE("case " + std::to_string(i));
    this->Key()->WriteString(c.name, c.text, c.type);
    auto key = this->reg_->Open(this->kRoot, this->kBase, RegOpen::Existing);  // a new handle
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString(c.name), c.text);
    EXPECT_EQ(key->Read(c.name), RegValue::FromString(c.text, c.type));
    EXPECT_TRUE(key->HasValue(c.name));
  }
}

TYPED_TEST_P(RegistryContract, OtherTypesRoundTripByteForByte) {
  std::vector<std::uint8_t> big(70000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  const RegValue cases[] = {
      RegValue::FromDword(0),
      RegValue::FromDword(1),
      RegValue::FromDword(0xFFFFFFFF),
      RegValue::FromDword(0x12345678),
      RegValue::FromBinary({}),
      RegValue::FromBinary(std::vector<std::uint8_t>{1, 0, 0, 0}),
      RegValue::FromBinary(std::vector<std::uint8_t>(128, 0x22)),
      RegValue::FromBinary(big),
      {RegType::MultiString, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}},
      {RegType::Qword, {1, 2, 3, 4, 5, 6, 7, 8}},
  };
  auto key = this->Key();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    key->Write("v", cases[i]);
    EXPECT_EQ(this->Key()->Read("v"), cases[i]);
  }
  key->WriteDword("d", 0x80000001u);
  EXPECT_EQ(key->ReadDword("d"), 0x80000001u);
  key->WriteBinary("b", std::vector<std::uint8_t>{2, 0, 0, 0});
  EXPECT_EQ(key->ReadBinary("b"), (std::vector<std::uint8_t>{2, 0, 0, 0}));
  key->WriteString("d", "now a string");  // a write replaces type and data
  EXPECT_EQ(key->ReadString("d"), "now a string");
}

TYPED_TEST_P(RegistryContract, WrongTypeOrSizeIsANamedError) {
  enum Reader { kString, kDword, kBinary };
  const struct {
    RegValue stored;
    Reader reader;
    const char* error;
  } cases[] = {
      {RegValue::FromString("1"), kDword, "Invalid data type for 'v'"},
      {RegValue::FromString("1"), kBinary, "Invalid data type for 'v'"},
      {RegValue::FromDword(1), kString, "Invalid data type for 'v'"},
      {RegValue::FromBinary(std::vector<std::uint8_t>{1, 0, 0, 0}), kDword,
       "Invalid data type for 'v'"},
      {{RegType::MultiString, {'a', 0, 0, 0, 0, 0}}, kString, "Invalid data type for 'v'"},
      {{RegType::Dword, {1, 0}}, kDword, "Failed to get data for 'v'"},
      {{RegType::Dword, {1, 0, 0, 0, 0, 0, 0, 0}}, kDword, "Failed to get data for 'v'"},
  };
  auto key = this->Key();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    key->Write("v", cases[i].stored);
    EXPECT_EQ(ErrorOf([&] {
                switch (cases[i].reader) {
                  case kString: key->ReadString("v"); break;
                  case kDword: key->ReadDword("v"); break;
                  case kBinary: key->ReadBinary("v"); break;
                }
              }),
              cases[i].error);
  }
}

TYPED_TEST_P(RegistryContract, NamesIgnoreLetterCase) {
  // Pairs the system folds together, and pairs it keeps apart (accent, dotless i, final sigma).
  const struct {
    const char* written;
    const char* asked;
    bool same;
  } cases[] = {
      {"Tovr", "TOVR", true},       {"ärger", "ÄRGER", true},  {"ÿ", "Ÿ", true},
      {"ā", "Ā", true},             {"ĺ", "Ĺ", true},          {"ŋ", "Ŋ", true},
      {"ž", "Ž", true},             {"σ", "Σ", true},          {"дом", "ДОМ", true},
      {"ё", "Ё", true},             {"ａ", "Ａ", true},          {"桌面", "桌面", true},
      {"á", "a", false},            {"ı", "I", false},         {"ς", "Σ", false},
  };
  auto key = this->Key();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    const auto& c = cases[i];
    key->WriteDword(c.written, 7);
    EXPECT_EQ(key->HasValue(c.asked), c.same);
    this->Key(c.written);
    EXPECT_EQ(this->reg_->KeyExists(this->kRoot, this->Path(c.asked)), c.same);
    EXPECT_TRUE(key->DeleteValue(c.written));
    EXPECT_TRUE(this->reg_->DeleteKey(this->kRoot, this->Path(c.written)));
  }
  // Writing under another spelling replaces the value; the first spelling stays.
  key->WriteString("Tovr", "a");
  key->WriteString("TOVR", "b");
  EXPECT_EQ(key->Values(), (std::vector<RegNamedValue>{{"Tovr", RegValue::FromString("b")}}));
}

TYPED_TEST_P(RegistryContract, PathsAreAlwaysUnderTheRoot) {
  this->Key("Abs")->WriteString("v", "x");
  const char* spellings[] = {"\\Software\\TovraneTest\\Abs", "Software\\TovraneTest\\Abs",
                             "software\\tovranetest\\ABS\\", "\\Software\\\\TovraneTest\\Abs"};
  for (std::size_t i = 0; i < std::size(spellings); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_TRUE(this->reg_->KeyExists(this->kRoot, spellings[i]));
    auto key = this->reg_->Open(this->kRoot, spellings[i], RegOpen::Existing);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString("v"), "x");
  }
  this->reg_->Create(this->kRoot, "\\Software\\TovraneTest\\Abs\\Sub")->WriteDword("n", 1);
  EXPECT_EQ(this->Key("Abs")->SubKeyNames(), std::vector<std::string>{"Sub"});
  EXPECT_TRUE(this->reg_->DeleteKey(this->kRoot, "\\Software\\TovraneTest\\Abs"));
  EXPECT_FALSE(this->reg_->KeyExists(this->kRoot, this->Path("Abs")));
}

TYPED_TEST_P(RegistryContract, MissingKeysAndValuesAreAnswersNotErrors) {
  EXPECT_EQ(this->reg_->Open(this->kRoot, this->Path("A\\B"), RegOpen::Existing), nullptr);
  EXPECT_FALSE(this->reg_->KeyExists(this->kRoot, this->Path("A")));  // not created by the look
  EXPECT_FALSE(this->reg_->DeleteKey(this->kRoot, this->Path("A")));

  auto key = this->reg_->Open(this->kRoot, this->Path("A\\B"), RegOpen::CreateIfMissing);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(this->reg_->KeyExists(this->kRoot, this->Path("A")));
  EXPECT_EQ(key->Read("none"), std::nullopt);
  EXPECT_EQ(key->ReadString("none"), std::nullopt);
  EXPECT_EQ(key->ReadDword("none"), std::nullopt);
  EXPECT_EQ(key->ReadBinary("none"), std::nullopt);
  EXPECT_EQ(key->ReadString(""), std::nullopt);  // no default value yet
  EXPECT_FALSE(key->HasValue("none"));
  EXPECT_FALSE(key->DeleteValue("none"));
  EXPECT_TRUE(key->Values().empty());
  EXPECT_TRUE(key->SubKeyNames().empty());
  EXPECT_FALSE(this->reg_->DeleteKey(this->kRoot, ""));  // the root itself is never deleted
}

TYPED_TEST_P(RegistryContract, EnumeratesValuesAndSubkeys) {
  auto key = this->Key();
  // Created in name order: Windows enumerates values in the order of creation, Wine sorts them.
  const std::string longName(300, 'L'), longestName(kMaxRegValueNameLength, 'M');
  key->WriteString("", "default");
  key->WriteDword("Alpha", 1);
  key->WriteString("beta", "两");
  key->WriteBinary("Gamma", std::vector<std::uint8_t>{3});
  key->WriteDword(longName, 4);
  key->WriteDword(longestName, 5);
  EXPECT_EQ(key->Values(), (std::vector<RegNamedValue>{
                               {"", RegValue::FromString("default")},
                               {"Alpha", RegValue::FromDword(1)},
                               {"beta", RegValue::FromString("两")},
                               {"Gamma", RegValue::FromBinary(std::vector<std::uint8_t>{3})},
                               {longName, RegValue::FromDword(4)},
                               {longestName, RegValue::FromDword(5)},
                           }));
  EXPECT_TRUE(key->DeleteValue("BETA"));
  EXPECT_TRUE(key->DeleteValue(""));
  EXPECT_TRUE(key->DeleteValue(longestName));
  EXPECT_EQ(key->Values(), (std::vector<RegNamedValue>{
                               {"Alpha", RegValue::FromDword(1)},
                               {"Gamma", RegValue::FromBinary(std::vector<std::uint8_t>{3})},
                               {longName, RegValue::FromDword(4)},
                           }));

  // Subkeys come in name order without regard to case, whatever the order of creation.
  for (const char* name : {"zeta", "Alpha", "中文", "mid"}) this->Key(name);
  EXPECT_EQ(key->SubKeyNames(), (std::vector<std::string>{"Alpha", "mid", "zeta", "中文"}));
}

TYPED_TEST_P(RegistryContract, DeleteKeyTakesTheWholeTree) {
  this->Key("Run\\Deep\\Deeper")->WriteString("a", "1");
  this->Key("Run\\Other")->WriteDword("b", 2);
  this->Key("Run")->WriteString("c", "3");
  this->Key("NeverRun")->WriteString("d", "4");
  EXPECT_TRUE(this->reg_->DeleteKey(this->kRoot, this->Path("RUN")));
  EXPECT_FALSE(this->reg_->KeyExists(this->kRoot, this->Path("Run")));
  EXPECT_FALSE(this->reg_->KeyExists(this->kRoot, this->Path("Run\\Deep\\Deeper")));
  EXPECT_EQ(this->Key("NeverRun")->ReadString("d"), "4");
  EXPECT_EQ(this->Key()->SubKeyNames(), std::vector<std::string>{"NeverRun"});
}

TYPED_TEST_P(RegistryContract, AHandleToADeletedKeyFails) {
  auto stale = this->Key("Gone");
  stale->WriteString("x", "1");
  auto child = this->Key("Gone\\Child");
  ASSERT_TRUE(this->reg_->DeleteKey(this->kRoot, this->Path("Gone")));

  EXPECT_EQ(ErrorOf([&] { stale->WriteString("x", "2"); }), "Failed to set data for 'x'");
  EXPECT_EQ(ErrorOf([&] { child->WriteDword("y", 2); }), "Failed to set data for 'y'");
  EXPECT_EQ(ErrorOf([&] { stale->Read("x"); }), "Failed to get data for 'x'");
  EXPECT_FALSE(stale->HasValue("x"));
  EXPECT_FALSE(stale->DeleteValue("x"));
  EXPECT_TRUE(stale->Values().empty());
  EXPECT_EQ(this->reg_->Open(this->kRoot, this->Path("Gone"), RegOpen::Existing), nullptr);
}

TYPED_TEST_P(RegistryContract, ATooLongValueNameFailsToSet) {
  auto key = this->Key();
  const std::string tooLong(kMaxRegValueNameLength + 1, 'n');
  EXPECT_EQ(ErrorOf([&] { key->WriteDword(tooLong, 1); }), "Failed to set data for '" + tooLong + "'");
  EXPECT_FALSE(key->HasValue(tooLong));
  EXPECT_TRUE(key->Values().empty());
}

// A key opened for reading reads; it neither writes nor deletes, and opens no missing key.
TYPED_TEST_P(RegistryContract, AReadOnlyKeyReadsButRefusesChanges) {
  this->Key()->WriteString("Kept", "value");
  auto key = this->reg_->Open(this->kRoot, this->Path(""), RegOpen::ReadOnly);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadString("Kept"), "value");
  EXPECT_EQ(ErrorOf([&] { key->WriteString("New", "x"); }), FormatMessage1(kRegSetDataFailed, "New"));
  EXPECT_FALSE(key->DeleteValue("Kept"));
  EXPECT_EQ(this->Key()->ReadString("Kept"), "value");
  EXPECT_EQ(this->reg_->Open(this->kRoot, this->Path("Missing"), RegOpen::ReadOnly), nullptr);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, StringsRoundTripAsNulTerminatedUtf16,
                            OtherTypesRoundTripByteForByte, WrongTypeOrSizeIsANamedError,
                            NamesIgnoreLetterCase, PathsAreAlwaysUnderTheRoot,
                            MissingKeysAndValuesAreAnswersNotErrors, EnumeratesValuesAndSubkeys,
                            DeleteKeyTakesTheWholeTree, AHandleToADeletedKeyFails,
                            ATooLongValueNameFailsToSet, AReadOnlyKeyReadsButRefusesChanges);

}  // namespace tovr::contract
