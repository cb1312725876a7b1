#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "base/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "support/ErrorOf.h"
#include "support/Utf16File.h"

namespace tovr {
namespace {

const char kPath[] = "C:\\Tovr\\Config.ini";
const char kDef[] = "<def>";

std::string Gbk(std::string_view utf8) { return text::Utf8ToGbk(utf8); }

using tovr::testing::ErrorOf;
using tovr::testing::Utf16File;

class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() { fs_.AddDirectory("C:\\Tovr"); }
  void Given(std::string bytes) { fs_.SetFile(kPath, std::move(bytes)); }
  std::string Bytes() const { return fs_.File(kPath).value_or("<missing>"); }

  MemoryFileSystem fs_;
  TSettingsFile ini_{fs_, kPath};
};

// A list's load reads its section in one pass; it must see exactly what SectionKeys and GetText
// give: duplicates read as the first of their name, long values capped, odd lines skipped.
TEST_F(SettingsFileTest, SectionEntriesAgreeWithKeysAndGetText) {
  std::string longValue(3000, 'v');
  Given("[Apps]\r\nA=1\r\n;c=2\r\nnoequals\r\n =empty name\r\nb = 2 \r\na=dup\r\nL=" + longValue +
        "\r\n[apps]\r\nlater=x\r\n[Other]\r\nz=9\r\n");
  std::vector<std::pair<std::string, std::string>> expected;
  for (const std::string& key : ini_.SectionKeys("Apps")) {
    expected.emplace_back(key, ini_.GetText("Apps", key, kDef));
  }
  ASSERT_EQ(expected.size(), 4u);
  EXPECT_EQ(expected[2], (std::pair<std::string, std::string>{"a", "1"}));
  EXPECT_EQ(ini_.SectionEntries("APPS"), expected);
  EXPECT_TRUE(ini_.SectionEntries("Missing").empty());

  ini_.PutText("Apps", "new", "n");  // a key added later reads back too
  expected.emplace_back("new", "n");
  EXPECT_EQ(ini_.SectionEntries("Apps"), expected);
}

TEST_F(SettingsFileTest, GetNumberReadsDecimalAndHexWithin32Bits) {
  const std::int32_t d = -7;  // the default
  const std::pair<const char*, std::int32_t> cases[] = {
      {"0", 0}, {"42", 42}, {" 12 ", 12}, {"+5", 5}, {"-0", 0}, {"007", 7},
      {"2147483647", INT_MAX}, {"2147483648", d}, {"-2147483648", INT_MIN}, {"-2147483649", d},
      {"4294967295", d}, {"99999999999999999999", d}, {"12abc", d}, {"1 2", d}, {"", d},
      {"+", d}, {"-", d}, {"abc", d}, {"$10", d}, {"-0x10", d},
      // Hex from the third character; a 32-bit pattern, so the top half reads negative.
      {"0x10", 16}, {"0X1f", 31}, {"0x7FFFFFFF", INT_MAX}, {"0x80000000", INT_MIN},
      {"0xFFFFFFFF", -1}, {"0x0000000001", 1}, {"0x100000000", d}, {"0x1FFFFFFFF", d},
      {"0x", d}, {"0X", d}, {"0x-1", d}, {"0x+1", d}, {"0xg", d}, {"0x 1", d},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Given(std::string("[S]\r\nk=") + cases[i].first + "\r\n");
    EXPECT_EQ(ini_.GetNumber("S", "k", d), cases[i].second) << "case " << i;
  }
  // GetFlag: GetNumber with 1 or 0 as the default, true when not 0.
  const std::tuple<const char*, bool, bool> flags[] = {
      {"k=1", false, true}, {"k=0", true, false}, {"k=-1", false, true}, {"k=0x0", true, false},
      {"k=abc", true, true}, {"k=abc", false, false}, {"k=", true, true}, {"x=0", false, false},
  };
  for (std::size_t i = 0; i < std::size(flags); ++i) {
    auto [line, def, want] = flags[i];
    Given(std::string("[S]\r\n") + line + "\r\n");
    EXPECT_EQ(ini_.GetFlag("S", "k", def), want) << "flag case " << i;
  }
}

// Reading follows Windows' profile functions, except that quotes around a value are kept
// (GetPrivateProfileString strips them; our rule is "the text after the '=', trimmed").
TEST_F(SettingsFileTest, GetTextReadsOddFilesAsWindowsDoes) {
  struct Case {
    std::string file;
    const char* section;
    const char* key;
    const char* want;
  };
  const std::string dup = "[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=3\r\nm=4\r\n";
  const Case cases[] = {
      {"[Option]\r\nTransparence=150\r\n", "option", "TRANSPARENCE", "150"},
      {"[S]\r\n  key \t=  v a l \t\r\n", "S", "key", "v a l"},
      {"[S]\r\nk=v\r\n", " S ", " k ", "v"},          {"[S]\r\na=x=y\r\n", "S", "a", "x=y"},
      {"[S]\r\ne=   \r\n", "S", "e", ""},              {"[S]\r\nnoeq\r\n", "S", "noeq", kDef},
      {"[S]\r\n;c=1\r\n", "S", ";c", kDef},           {"[S]\r\nq=\"x\"\r\n", "S", "q", "\"x\""},
      {"[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},        {dup, "a", "K", "1"},
      {dup, "A", "m", kDef},                           {"[C]\ra=1\rb=2\r[D]\rc=3", "C", "b", "2"},
      {"[C]\ra=1\rb=2\r[D]\rc=3", "D", "c", "3"},     {"[C]\na=1\n[D]\nc=3", "D", "c", "3"},
      {"[C]\r\na=1\n\rb=2", "C", "b", "2"},            {"  [ S ] ; x\r\nk=1\r\n", "S", "k", "1"},
      {"[E]x]y\r\na=1\r\n", "E]x", "a", "1"},         {"[E]\r\n[F\r\nb=2\r\n", "E", "b", "2"},
      {"pre=0\r\n[S]\r\n", "", "pre", "0"},          {"[S]\r\nd=z\x1a\r\n", "S", "d", "z"},
      {"[S]\r\na=" + Gbk("\u3000x") + "\r\n", "S", "a", "\u3000x"},  // not a blank
      {"[S]\r\n\xD6\xD0=" + Gbk("文件") + "\r\n", "S", "中", "文件"},
      {"[S]\r\nk=1\r\n", "T", "k", kDef},             {"", "S", "k", kDef},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Given(cases[i].file);
    EXPECT_EQ(ini_.GetText(cases[i].section, cases[i].key, kDef), cases[i].want) << "case " << i;
  }
  fs_.RemoveFile(kPath);
  EXPECT_EQ(ini_.GetText("S", "k", kDef), kDef) << "missing file";
}

TEST_F(SettingsFileTest, GetTextCutsAfter2047Characters) {
  const std::tuple<std::string, std::size_t, std::size_t> cases[] = {
      {"a", 2046, 2046}, {"a", 2047, 2047}, {"a", 2048, 2047}, {"中", 2048, 2047}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    auto [ch, count, want] = cases[i];
    std::string value;
    for (std::size_t n = 0; n < count; ++n) value += ch;
    Given("[S]\r\nk=" + Gbk(value));
    std::string got = ini_.GetText("S", "k", "");
    EXPECT_EQ(text::Utf8ToUtf16(got).size(), want) << "case " << i;
    EXPECT_EQ(got, value.substr(0, got.size())) << "case " << i;
  }
}

TEST_F(SettingsFileTest, SectionKeysAndHasKeyListKeysInFileOrder) {
  struct Case {
    const char* file;
    const char* section;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"[Apps]\r\nb=1\r\na=2\r\nC=3\r\n", "APPS", {"b", "a", "C"}},
      {"[S]\r\nk=1\r\nk=2\r\n", "S", {"k", "k"}},
      {"[S]\r\n;c=1\r\nnoeq\r\n=nv\r\n\r\n x = 1\r\n", "S", {"x"}},
      {"[S]\r\na=1\r\n[T]\r\nb=1\r\n[s]\r\nc=1\r\n", "S", {"a"}},
      {"[S]\r\n", "S", {}},
      {"[S]\r\na=1\r\n", "T", {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Given(cases[i].file);
    EXPECT_EQ(ini_.SectionKeys(cases[i].section), cases[i].want) << "case " << i;
  }
  Given("[S]\r\nKey=1\r\nnoeq\r\n=nv\r\n;c=1\r\n");
  EXPECT_TRUE(ini_.HasKey("s", "KEY"));
  EXPECT_FALSE(ini_.HasKey("S", "noeq"));
  EXPECT_FALSE(ini_.HasKey("S", ""));
  EXPECT_FALSE(ini_.HasKey("S", ";c"));
  EXPECT_FALSE(ini_.HasKey("T", "Key"));
}

TEST_F(SettingsFileTest, PutsEditTheFileInPlaceAndKeepOtherLines) {
  struct Case {
    std::optional<std::string> before;  // nullopt: no file
    std::function<void(TSettingsFile&)> put;
    std::string after;
  };
  const std::string ab = "; head\r\n[A]\r\nKey = old ; c\r\n\r\n[B]\r\nx=1\r\n";
  const Case cases[] = {
      {std::nullopt, [](auto& f) { f.PutText("Option", "Greeting", "Thank"); },
       "[Option]\r\nGreeting=Thank\r\n"},
      {ab, [](auto& f) { f.PutText("a", "KEY", "new"); },
       "; head\r\n[A]\r\nKey = new\r\n\r\n[B]\r\nx=1\r\n"},
      {ab, [](auto& f) { f.PutText("A", "k2", "v"); },
       "; head\r\n[A]\r\nKey = old ; c\r\nk2=v\r\n\r\n[B]\r\nx=1\r\n"},
      {ab, [](auto& f) { f.PutText("B", "y", "2"); }, ab + "y=2\r\n"},
      {"[A]\r\nk=1", [](auto& f) { f.PutText("N", "z", "3"); }, "[A]\r\nk=1\r\n[N]\r\nz=3\r\n"},
      {"[A]", [](auto& f) { f.PutText("A", "z", "3"); }, "[A]\r\nz=3\r\n"},
      {"[A]\nk=1\n", [](auto& f) { f.PutText("A", "j", "2"); }, "[A]\nk=1\nj=2\n"},
      {"[A]\rk=1", [](auto& f) { f.PutText("B", "j", "2"); }, "[A]\rk=1\r[B]\rj=2\r"},
      {"[A]\r\nk=1\r\nk=2\r\n", [](auto& f) { f.PutText("A", "K", "3"); }, "[A]\r\nk=3\r\nk=2\r\n"},
      {"[A]\r\n[a]\r\n", [](auto& f) { f.PutText("a", "k", "1"); }, "[A]\r\nk=1\r\n[a]\r\n"},
      {"[Option]\r\nTransparence=150\r\n",
       [](auto& f) { f.PutNumber("Option", "transparence", 200); },
       "[Option]\r\nTransparence=200\r\n"},
      {"[A]\r\n", [](auto& f) { f.PutText("A", " k ", "a\r\nb"); }, "[A]\r\nk=a  b\r\n"},
      {"[A]\r\n", [](auto& f) { f.PutNumber("A", "c", -1); f.PutFlag("A", "t", true); },
       "[A]\r\nc=-1\r\nt=1\r\n"},
      {"[A]\r\nx=\x81\x20\r\n\xFF\r\nk=1\r\n", [](auto& f) { f.PutText("A", "k", "2"); },
       "[A]\r\nx=\x81\x20\r\n\xFF\r\nk=2\r\n"},
      {"[A]\r\na=1\r\n; c\r\n\r\n[B]\r\nb=1\r\n[a]\r\nc=1\r\n",
       [](auto& f) { f.ClearSection("a"); }, "[B]\r\nb=1\r\n"},
      {"[A]\r\na=1\r\n[B]\r\nb=1", [](auto& f) { f.ClearSection("B"); f.PutText("B", "c", "2"); },
       "[A]\r\na=1\r\n[B]\r\nc=2\r\n"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    if (cases[i].before) {
      Given(*cases[i].before);
    } else {
      fs_.RemoveFile(kPath);
    }
    cases[i].put(ini_);
    EXPECT_EQ(Bytes(), cases[i].after) << "case " << i;
  }
}

TEST_F(SettingsFileTest, FailedFirstWriteStopsTheOperation) {
  const std::pair<const char*, std::function<void(MemoryFileSystem&)>> cases[] = {
      {"read-only file", [](auto& fs) { fs.SetReadOnly(kPath); }},
      {"read-only folder", [](auto& fs) { fs.SetReadOnly("C:\\Tovr"); }},
      {"failing disk", [](auto& fs) { fs.SetFailWrites(true); }},
      {"unreadable file", [](auto& fs) { fs.SetUnreadable(kPath); }},  // not taken as empty
  };
  for (const auto& [name, breakIt] : cases) {
    MemoryFileSystem fs;
    fs.SetFile(kPath, "[Option]\r\nA=0\r\n");
    breakIt(fs);
    TSettingsFile ini(fs, kPath);
    bool laterStepRan = false;
    std::string error = ErrorOf([&] {
      auto op = ini.BeginOperation();
      ini.PutFlag("Option", "A", true);
      laterStepRan = true;
      op.Commit();
    });
    const bool unreadable = std::string(name) == "unreadable file";
    EXPECT_EQ(error, std::string(unreadable ? "Unable to read " : "Unable to write to ") + kPath)
        << name;
    EXPECT_FALSE(laterStepRan) << name;
    EXPECT_EQ(ErrorOf([&] { ini.PutText("Option", "B", "1"); }), error) << name;
    EXPECT_EQ(ErrorOf([&] { ini.ClearSection("Option"); }), error) << name;
    EXPECT_EQ(fs.File(kPath), "[Option]\r\nA=0\r\n") << name;
    EXPECT_EQ(fs.Writes(), 0) << name;
  }
}

TEST_F(SettingsFileTest, KeysPutBeforeALaterFailureStayWritten) {
  Given("[Option]\r\nA=0\r\n");
  EXPECT_THROW(
      {
        auto op = ini_.BeginOperation();
        ini_.PutFlag("Option", "A", true);
        ini_.PutText("Option", "B", "x");
        throw std::runtime_error("a later step of the save failed");
      },
      std::runtime_error);
  EXPECT_EQ(Bytes(), "[Option]\r\nA=1\r\nB=x\r\n");

  // The final write itself fails: Commit reports it.
  auto op = ini_.BeginOperation();
  ini_.PutText("Option", "C", "1");
  fs_.SetFailWrites(true);
  EXPECT_EQ(ErrorOf([&] { op.Commit(); }), "Unable to write to C:\\Tovr\\Config.ini");
  fs_.SetFailWrites(false);
  EXPECT_EQ(Bytes(), "[Option]\r\nA=1\r\nB=x\r\n");
}

TEST_F(SettingsFileTest, OperationReadsOnceAndWritesOnce) {
  Given("[Option]\r\nA=1\r\n[Apps]\r\nx=1\r\ny=2\r\n");
  fs_.ResetCounts();
  {
    auto op = ini_.BeginOperation();
    for (const std::string& key : ini_.SectionKeys("Apps")) ini_.GetText("Apps", key, "");
    EXPECT_TRUE(ini_.HasKey("Option", "A"));
    ini_.ClearSection("Apps");
    for (int i = 0; i < 20; ++i) ini_.PutText("Apps", "k" + std::to_string(i), "v");
    {
      auto inner = ini_.BeginOperation();  // joins the outer one
      ini_.PutNumber("Option", "N", 5);
      inner.Commit();
    }
    EXPECT_EQ(fs_.Writes(), 0) << "nothing is written before the outer Commit";
    EXPECT_EQ(ini_.GetNumber("Option", "N", 0), 5) << "puts are visible inside";
    op.Commit();
  }
  EXPECT_EQ(fs_.Reads(), 1);
  EXPECT_EQ(fs_.Writes(), 1);
  EXPECT_EQ(fs_.WritableChecks(), 1);
  EXPECT_EQ(ini_.SectionKeys("Apps").size(), 20u);

  // Outside an operation each call goes to the file; a put that changes nothing is checked
  // (a read-only file still fails it) but not written.
  fs_.ResetCounts();
  ini_.GetText("Option", "A", "");
  ini_.PutText("Option", "A", "2");
  ini_.PutText("Option", "A", "2");
  ini_.ClearSection("Missing");
  EXPECT_EQ(fs_.Reads(), 4);
  EXPECT_EQ(fs_.WritableChecks(), 3);
  EXPECT_EQ(fs_.Writes(), 1);
}

TEST_F(SettingsFileTest, KeepsOrSwitchesTheFileEncoding) {
  struct Case {
    std::string before;
    const char* key;
    const char* value;
    std::string after;
  };
  const std::string apps = "[Apps]\r\n记事本=C:\\Windows\\notepad.exe\r\n";
  const Case cases[] = {
      // GBK stays GBK; Chinese keys and values round-trip as GBK bytes.
      {Gbk(apps), "画图", "C:\\画图.exe", Gbk(apps + "画图=C:\\画图.exe\r\n")},
      // A character GBK lacks turns the file into UTF-16LE rather than a '?'.
      {Gbk(apps), "笑", "😀", Utf16File(apps + "笑=😀\r\n")},
      {Gbk(apps), "𠀀", "x", Utf16File(apps + "𠀀=x\r\n")},
      // UTF-16LE stays UTF-16LE.
      {Utf16File(apps), "a", "1", Utf16File(apps + "a=1\r\n")},
      // UTF-8 with a byte order mark is read as UTF-8 and written as GBK when it fits.
      {"\xEF\xBB\xBF" + apps, "a", "1", Gbk(apps + "a=1\r\n")},
      {"\xEF\xBB\xBF" + apps, "a", "😀", Utf16File(apps + "a=😀\r\n")},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    Given(cases[i].before);
    EXPECT_EQ(ini_.SectionKeys("Apps"), std::vector<std::string>{"记事本"}) << "case " << i;
    EXPECT_EQ(ini_.GetText("Apps", "记事本", ""), "C:\\Windows\\notepad.exe") << "case " << i;
    ini_.PutText("Apps", cases[i].key, cases[i].value);
    EXPECT_EQ(Bytes(), cases[i].after) << "case " << i;
    EXPECT_EQ(ini_.GetText("Apps", cases[i].key, ""), cases[i].value) << "case " << i;
  }
}

}  // namespace
}  // namespace tovr
