#include "shortcuts/DroppedLink.h"

#include <gtest/gtest.h>

namespace tovr::shortcuts {
namespace {

constexpr char kShortcut[] = "[InternetShortcut]\r\nURL=http://a.example/x\r\nIconIndex=0\r\n";

TEST(DroppedLinkTest, FirstFormatThatYieldsAnAddressWinsAndTitleFallsBackToIt) {
  struct Case {
    DroppedLinkData data;
    std::optional<DroppedLink> expected;
  };
  const Case cases[] = {
      // 0: the URL format before the text format
      {{.urlText = "http://u.example/", .plainText = "http://t.example/"},
       DroppedLink{"http://u.example/", "http://u.example/"}},
      // 1: text only, blanks and what follows a NUL are not part of it
      {{.plainText = std::string(" http://t.example/\r\n\0junk", 26)},
       DroppedLink{"http://t.example/", "http://t.example/"}},
      // 2: an empty URL text yields nothing; the text format is next
      {{.urlText = "", .plainText = "ftp://f.example/"}, DroppedLink{"ftp://f.example/", "ftp://f.example/"}},
      // 3: a dragged Internet shortcut: its address line only, titled by the descriptor's name
      {{.fileContents = kShortcut, .groupFileName = "新闻 Page.url"}, DroppedLink{"http://a.example/x", "新闻 Page"}},
      // 4: the descriptor's title goes with an address from the URL format too
      {{.urlText = "http://u.example/", .groupFileName = "Title.URL"}, DroppedLink{"http://u.example/", "Title"}},
      // 5: a ".url" file dropped from the shell, titled by its own name
      {{.droppedFile = "C:\\Links\\Home.url", .droppedFileText = kShortcut}, DroppedLink{"http://a.example/x", "Home"}},
      // 6: a dropped file that is not an Internet shortcut
      {{.droppedFile = "C:\\Links\\Home.txt", .droppedFileText = kShortcut}, std::nullopt},
      // 7: a ".url" file whose text is not one
      {{.droppedFile = "C:\\Links\\Bad.url", .droppedFileText = "hello\r\nURL=http://x/\r\n"}, std::nullopt},
      // 8: nothing offered
      {{}, std::nullopt},
      // 9: file contents that are not an Internet shortcut fall through to the dropped file
      {{.fileContents = "plain words", .droppedFile = "D:\\a.url", .droppedFileText = kShortcut},
       DroppedLink{"http://a.example/x", "a"}},
  };
  int n = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(ReadDroppedLink(c.data), c.expected) << "case " << n;
    ++n;
  }
}

TEST(DroppedLinkTest, InternetShortcutTextIsReadFromItsSecondLineAndCut) {
  const std::string longUrl = "http://l.example/" + std::string(300, 'q');
  struct Case {
    std::string text;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {kShortcut, "http://a.example/x"},                                    // 0
      {"[InternetShortcut]\nURL=http://lf.example/\nX=1", "http://lf.example/"},  // 1: LF only
      {"\xEF\xBB\xBF[InternetShortcut]\r\nURL=http://b.example/?a=b", "http://b.example/?a=b"},  // 2
      {"[InternetShortcut]\r\nURL=" + longUrl, longUrl.substr(0, kMaxDroppedLinkLength)},  // 3: cut
      {"[InternetShortcut]\r\nno equals sign\r\n", std::nullopt},          // 4
      {"[InternetShortcut]", std::nullopt},                                 // 5: one line only
      {"[Other]\r\nURL=http://x/", std::nullopt},                           // 6
      {"[InternetShortcut]\r\nURL=网址://中文" + std::string(260, 'z'),
       "网址://中文" + std::string(kMaxDroppedLinkLength - 7, 'z')},       // 7: cut by characters
      {"[InternetShortcut]\r\nURL=" + std::string(249, 'a') + " b", std::string(249, 'a')},  // 8: no blank left by the cut
      {std::string("[InternetShortcut]\r\nURL=http://n.example/\0tail", 46), "http://n.example/"},  // 9: ends at NUL
  };
  int n = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(InternetShortcutUrl(c.text), c.expected) << "case " << n;
    ++n;
  }
}

}  // namespace
}  // namespace tovr::shortcuts
