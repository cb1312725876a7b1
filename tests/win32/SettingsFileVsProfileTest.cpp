// Our settings file read side by side with Windows' own profile functions on the same files:
// key lookups, the key listing of each section (GetPrivateProfileStringW with no key name) and
// the section names. Where Windows answers otherwise on purpose of our rules, the case says so
// and asserts our rule.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "settings/SettingsFile.h"
#include "base/Text.h"
#include "base/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"

namespace tovr {
namespace {

const char kDef[] = "<def>";

enum class Form { Gbk, Utf16LeBom, Utf8Bom };
const char* FormName(Form f) {
  return f == Form::Gbk ? "GBK" : f == Form::Utf16LeBom ? "UTF-16LE" : "UTF-8 BOM";
}

std::string Encode(const std::string& utf8, Form form) {
  if (form == Form::Gbk) return text::Utf8ToGbk(utf8);
  if (form == Form::Utf8Bom) return "\xEF\xBB\xBF" + utf8;
  std::string out = "\xFF\xFE";
  for (char16_t u : text::Utf8ToUtf16(utf8)) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  return out;
}

// Splits a list of NUL-terminated names (as the profile functions return them) of `n` units.
std::vector<std::string> SplitList(const std::vector<wchar_t>& buf, DWORD n) {
  std::vector<std::string> names;
  std::wstring current;
  for (DWORD i = 0; i < n; ++i) {
    if (buf[i] == L'\0') {
      names.push_back(Narrow(current));
      current.clear();
    } else {
      current += buf[i];
    }
  }
  return names;
}

class SettingsFileVsProfileTest : public ::testing::Test {
 protected:
  static std::string TempIni() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return Narrow(temp) + "tovr-ini-" + std::to_string(GetCurrentProcessId()) + ".ini";
  }
  ~SettingsFileVsProfileTest() override { DeleteFileW(Widen(path_).c_str()); }

  void Write(const std::string& bytes) { fs_.WriteFileAtomic(path_, bytes); }

  std::string WinGet(const std::string& section, const std::string& key) {
    std::vector<wchar_t> buf(65536);
    DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"<def>",
                                       buf.data(), static_cast<DWORD>(buf.size()),
                                       Widen(path_).c_str());
    return Narrow(std::wstring(buf.data(), n));
  }
  std::vector<std::string> WinKeys(const std::string& section) {
    std::vector<wchar_t> buf(65536);
    DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), nullptr, L"", buf.data(),
                                       static_cast<DWORD>(buf.size()), Widen(path_).c_str());
    return SplitList(buf, n);
  }
  std::vector<std::string> WinSections() {
    std::vector<wchar_t> buf(65536);
    DWORD n = GetPrivateProfileSectionNamesW(buf.data(), static_cast<DWORD>(buf.size()),
                                             Widen(path_).c_str());
    return SplitList(buf, n);
  }

  Win32FileSystem fs_;
  std::string path_ = TempIni();
  TSettingsFile ini_{fs_, path_};
};

TEST_F(SettingsFileVsProfileTest, ReadsOddFilesAsWindowsDoes) {
  struct Lookup {
    const char* section;
    const char* key;
  };
  struct Differs {  // Windows answers otherwise; our rule gives `ours`
    const char* section;
    const char* key;
    std::string ours;
    const char* why;
  };
  struct Case {
    const char* name;
    std::string text;  // UTF-8; written in each form
    std::vector<Lookup> lookups;  // besides every listed key of every listed section
    std::vector<Differs> differs;
  };
  const Case cases[] = {
      {"duplicate sections and keys",
       "[A]\r\nk=1\r\nk=2\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nm=4\r\n", {{"A", "m"}, {"a", "K"}}, {}},
      {"blanks, comments, lines without '='",
       "[ S ]\r\n  key  =  v a l  \r\nnoeq\r\n  ;d=2\r\nempty=\r\n#h=5\r\n"
       "\tt\t=\tx\t\r\nz=y\x1a\r\n",
       {{"S", "noeq"}, {"S", "missing"}, {"T", "key"}, {" S ", " key "}}, {}},
      {"comment looked up by name", "[S]\r\n;c=1\r\n", {},
       {{"S", ";c", kDef, "Windows keeps ';' lines as keys that are only left out of listings"}}},
      {"empty key name", "[S]\r\na=1\r\n=nv\r\nb=2\r\n", {{"S", ""}}, {}},
      {"CR line ends, no final break", "[C]\ra=1\rb=2\r[D]\rc=3", {{"D", "c"}}, {}},
      {"LF line ends", "[C]\na=1\n\n[D]\nc=3\n", {}, {}},
      {"mixed line ends", "[C]\r\na=1\n\rb=2\r\n", {}, {}},
      {"odd section headers",
       "pre=0\r\n[E]x]y\r\na=1\r\n[F\r\nb=2\r\n  [G] ; c\r\nc=3\r\n[]\r\nd=4\r\n",
       {{"", "pre"}, {"E", "a"}, {"", "d"}}, {}},
      {"quotes", "[Q]\r\na=\"x\"\r\nb= 'y' \r\nc=\"z\r\n", {},
       {{"Q", "a", "\"x\"", "GetPrivateProfileString strips matching quotes"},
        {"Q", "b", "'y'", "GetPrivateProfileString strips matching quotes"}}},
      {"long value", "[L]\r\nk=" + std::string(3000, 'a') + "\r\n", {},
       {{"L", "k", std::string(2047, 'a'), "GetText returns at most 2047 characters"}}},
      {"letter case", "[Option]\r\nTransparence=150\r\n", {{"OPTION", "transparence"}}, {}},
      {"Chinese names and values",
       "[设置]\r\n名称=中文 值\r\n记事本=C:\\Windows\\notepad.exe\r\n"
       "\u3000k\u3000=\u3000v\u3000\r\n",
       {{"设置", "名称"}}, {}},
  };

  const bool acpIsGbk = GetACP() == 936;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    for (Form form : {Form::Gbk, Form::Utf16LeBom, Form::Utf8Bom}) {
      bool ascii = std::all_of(c.text.begin(), c.text.end(),
                               [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
      if (form == Form::Gbk && !ascii && !acpIsGbk) continue;  // Windows reads it in its ACP
      Write(Encode(c.text, form));
      const std::string where = "case " + std::to_string(i) + " (" + c.name + ", " +
                                FormName(form) + ")";

      std::vector<std::string> winSections = WinSections();
      EXPECT_EQ(ini_.SectionNames(), winSections) << where;

      std::set<std::pair<std::string, std::string>> lookups;
      for (const Lookup& l : c.lookups) lookups.emplace(l.section, l.key);
      for (const std::string& section : winSections) {
        std::vector<std::string> winKeys = WinKeys(section);
        // Windows lists a key with an empty name as "", which ends a list of names; we leave
        // such keys out of the listing.
        winKeys.erase(std::remove(winKeys.begin(), winKeys.end(), ""), winKeys.end());
        EXPECT_EQ(ini_.SectionKeys(section), winKeys) << where << " [" << section << "]";
        for (const std::string& key : winKeys) {
          EXPECT_TRUE(ini_.HasKey(section, key)) << where << " [" << section << "] " << key;
          lookups.emplace(section, key);
        }
      }
      for (const auto& [section, key] : lookups) {
        auto diff = std::find_if(c.differs.begin(), c.differs.end(), [&](const Differs& d) {
          return d.section == section && d.key == key;
        });
        if (diff != c.differs.end()) continue;
        EXPECT_EQ(ini_.GetText(section, key, kDef), WinGet(section, key))
            << where << " [" << section << "] " << key;
      }
      for (const Differs& d : c.differs) {
        EXPECT_NE(WinGet(d.section, d.key), d.ours) << where << ": Windows now agrees (" << d.why
                                                    << ")";
        EXPECT_EQ(ini_.GetText(d.section, d.key, kDef), d.ours) << where << ": " << d.why;
      }
    }
  }
}

TEST_F(SettingsFileVsProfileTest, WindowsReadsWhatWeWrite) {
  struct Case {
    const char* key;
    const char* value;
    bool utf16After;  // the file is UTF-16LE after this put
  };
  const Case cases[] = {
      {"Greeting", "Thank", false},
      {"ProxyIP", "代理 服务器", false},
      {"Emoji", "😀 and 𠀀", true},  // characters GBK lacks
      {"After", "中文", true},        // and it stays so
  };
  const bool acpIsGbk = GetACP() == 936;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    ini_.PutText("Option", cases[i].key, cases[i].value);
    bool utf16 = fs_.ReadFile(path_).value_or("").rfind("\xFF\xFE", 0) == 0;
    EXPECT_EQ(utf16, cases[i].utf16After) << "case " << i;
    if (!utf16 && !acpIsGbk) continue;  // Windows would read the GBK file in another code page
    for (std::size_t j = 0; j <= i; ++j) {
      EXPECT_EQ(WinGet("Option", cases[j].key), cases[j].value) << "case " << i << ", key " << j;
    }
  }
}

}  // namespace
}  // namespace tovr
