// The version file's values, the download's file name and the release date in the short date
// format.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/Text.h"
#include "update/ReleaseDate.h"
#include "update/VersionFile.h"

namespace tovr::update {
namespace {

TEST(VersionFileTest, ValuesEndAtTheirTagsInOrderAndOnlyAWellFormedHashAndSizeCount) {
  const std::string sha = "9F86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
  const std::string tail = sha + "[SHA256]300000[Size]";
  struct Case {
    std::string body;
    std::optional<std::vector<std::string>> want;  // version, date, URL, hash, size
  };
  const std::vector<Case> cases = {
      {"2.60[Version]2004-06-01[DateTime]https://h/nb.exe[URL]" + tail,
       {{"2.60", "2004-06-01", "https://h/nb.exe", "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08",
         "300000"}}},
      {" 2.60 测试版\r\n[Version] 2004-06-01\r\n[DateTime]u[URL]" + tail + "tail",
       {{" 2.60 测试版\r\n", " 2004-06-01\r\n", "u", text::AsciiLower(sha), "300000"}}},
      // Each tag counts only after the previous one; the first one found ends the value.
      {"a[URL]b[Version]c[DateTime]d[Version]e[URL]" + tail + "[URL]",
       {{"a[URL]b", "c", "d[Version]e", text::AsciiLower(sha), "300000"}}},
      {"[Version][DateTime][URL]" + sha + "[SHA256]536870912[Size]", {{"", "", "", text::AsciiLower(sha), "536870912"}}},
      {"2.60[Version]2004-06-01[URL]x[DateTime]" + tail, std::nullopt},  // no [URL] after [DateTime]
      {"2.60[Version]2004-06-01[DateTime]http://h/nb.exe", std::nullopt},
      {"2.60[version]2004-06-01[DateTime]u[URL]" + tail, std::nullopt},  // tags are case-sensitive
      {"2.60[Version]2004-06-01[DateTime]u[URL]", std::nullopt},         // no hash and size
      {"2.60[Version]2004-06-01[DateTime]u[URL]" + sha + "[SHA256]", std::nullopt},
      {"v[Version]d[DateTime]u[URL]" + sha.substr(1) + "[SHA256]1[Size]", std::nullopt},
      {"v[Version]d[DateTime]u[URL]" + sha.substr(1) + "g[SHA256]1[Size]", std::nullopt},
      {"v[Version]d[DateTime]u[URL] " + sha + "[SHA256]1[Size]", std::nullopt},  // nothing is trimmed
      {"v[Version]d[DateTime]u[URL]" + sha + "[SHA256] 1[Size]", std::nullopt},
      {"v[Version]d[DateTime]u[URL]" + sha + "[SHA256]0[Size]", std::nullopt},
      {"v[Version]d[DateTime]u[URL]" + sha + "[SHA256]536870913[Size]", std::nullopt},  // over 512 MiB
      {"v[Version]d[DateTime]u[URL]" + sha + "[SHA256]99999999999[Size]", std::nullopt},
      {"v[Version]d[DateTime]u[URL]" + sha + "[SHA256]-1[Size]", std::nullopt},
      {"", std::nullopt},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto got = ExtractVersionFile(cases[i].body);
    ASSERT_EQ(got.has_value(), cases[i].want.has_value()) << "case " << i;
    if (!got) continue;
    EXPECT_EQ((std::vector<std::string>{got->version, got->dateTime, got->url, got->sha256, std::to_string(got->size)}),
              *cases[i].want)
        << "case " << i;
  }
}

TEST(VersionFileTest, DownloadNameIsOneFileInsideTheChosenFolderAndNoDevice) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"http://h/soft/nb260.exe", "nb260.exe"},
      {"nb260.exe", "nb260.exe"},
      {"http://h/get?file=a.exe#top", "get"},
      {"http://h/x/..\\..\\Windows\\evil.exe", "evil.exe"},
      {"http://h/soft/", "NbDown.tmp"},
      {"http://h/..", "NbDown.tmp"},
      {"http://h/a:b|c*.exe. ", "a_b_c_.exe"},
      {"http://h/更新 2.60.zip", "更新 2.60.zip"},
      {"http://h/CON", "NbDown.tmp"},
      {"http://h/nul.zip", "NbDown.tmp"},
      {"http://h/Aux .tar.gz", "NbDown.tmp"},
      {"http://h/com1.exe", "NbDown.tmp"},
      {"http://h/LPT9", "NbDown.tmp"},
      {"http://h/com\xC2\xB9.txt", "NbDown.tmp"},
      {"http://h/prn. . ", "NbDown.tmp"},
      {"http://h/com0.exe", "com0.exe"},
      {"http://h/com10.exe", "com10.exe"},
      {"http://h/console.exe", "console.exe"},
      {"http://h/nb.con", "nb.con"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(DownloadFileName(cases[i].first, "NbDown.tmp"), cases[i].second) << "case " << i;
  }
}

TEST(ReleaseDateTest, ReadsTheShortDateFormatsFieldOrderAndRejectsWhatIsNoDate) {
  struct Case {
    const char* text;
    const char* format;
    std::optional<LocalDateTime> want;
  };
  const std::vector<Case> cases = {
      {"2004-06-01", "yyyy/M/d", LocalDateTime{2004, 6, 1}},
      {"2004/6/1 13:05", "yyyy/M/d", LocalDateTime{2004, 6, 1, 13, 5}},
      {"2004.06.01 7:08:09", "yyyy-MM-dd", LocalDateTime{2004, 6, 1, 7, 8, 9}},
      {"6/1/2004", "M/d/yyyy", LocalDateTime{2004, 6, 1}},
      {"2004-06-01", "M/d/yyyy", LocalDateTime{2004, 6, 1}},  // a leading four-digit year in any region
      {"2004/6/1 13:05", "dd.MM.yyyy", LocalDateTime{2004, 6, 1, 13, 5}},
      {"01/06/04", "dd/MM/yy", LocalDateTime{2004, 6, 1}},
      {"01.06.2004", "dd.MM.yyyy", LocalDateTime{2004, 6, 1}},
      {"04-06-01", "yy/M/d", LocalDateTime{2004, 6, 1}},
      {"99-06-01", "yy/M/d", LocalDateTime{1999, 6, 1}},
      {" \r\n2004-06-01\r\n", "yyyy/M/d", LocalDateTime{2004, 6, 1}},
      {"2004-02-29", "yyyy/M/d", LocalDateTime{2004, 2, 29}},
      {"2003-02-29", "yyyy/M/d", std::nullopt},
      {"1900-02-29", "yyyy/M/d", std::nullopt},
      {"2004-13-01", "yyyy/M/d", std::nullopt},
      {"2004-06-01 24:00", "yyyy/M/d", std::nullopt},
      {"2004-06-01 12", "yyyy/M/d", std::nullopt},
      {"2004-06-01x", "yyyy/M/d", std::nullopt},
      {"2004-06", "yyyy/M/d", std::nullopt},
      {"20040601", "yyyy/M/d", std::nullopt},
      {"", "yyyy/M/d", std::nullopt},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(ParseShortDateTime(cases[i].text, cases[i].format), cases[i].want) << "case " << i;
  }
  EXPECT_EQ(ChineseDate(LocalDateTime{2004, 5, 1, 23, 59}), "2004年05月01日");
}

}  // namespace
}  // namespace tovr::update
