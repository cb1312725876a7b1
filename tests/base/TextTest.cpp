#include "base/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tovr::text {
namespace {

// "9c5c41" -> the three bytes 9C 5C 41.
std::string Hex(std::string_view hex) {
  std::string out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  }
  return out;
}

std::string ToHex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    out.push_back(digits[static_cast<unsigned char>(c) >> 4]);
    out.push_back(digits[static_cast<unsigned char>(c) & 15]);
  }
  return out;
}

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Utf8ToUtf16, ConvertsWellFormedAndReplacesMaximalSubparts) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"Tovrane 2.53", u"Tovrane 2.53"},
      {"桌面图标", u"桌面图标"},
      {"a文b", u"a文b"},
      {"\x7F\xC2\x80\xDF\xBF", u"\u007F\u0080\u07FF"},
      {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", u"\u0800\uD7FF\uE000\uFFFF"},
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
      {"😀", u"\xD83D\xDE00"},
      // Ill-formed: each maximal subpart is one U+FFFD.
      {"\x80", u"\uFFFD"},
      {"\xBF\x80", u"\uFFFD\uFFFD"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                  // overlong '/'
      {"\xC1\xBF", u"\uFFFD\uFFFD"},
      {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},        // overlong, 3 bytes
      {"\xF0\x8F\xBF\xBF", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // overlong, 4 bytes
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},        // encoded surrogate
      {"\xED\xBF\xBF", u"\uFFFD\uFFFD\uFFFD"},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xF5\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xFE\xFF", u"\uFFFD\uFFFD"},
      {"\xE4\xB8", u"\uFFFD"},                        // truncated at the end
      {"\xE4\xB8" "A", u"\uFFFDA"},
      {"\xF0\x9F\x98", u"\uFFFD"},
      {"\xF0\x9F\x98" "\xE4\xB8\xAD", u"\uFFFD中"},
      {"\xC2" "\xC2\xA9", u"\uFFFD\u00A9"},
      {"\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
       u"a\uFFFD\uFFFD\uFFFDb\uFFFDc\uFFFD\uFFFDd"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Utf8ToUtf16(cases[i].utf8), cases[i].utf16) << "case " << i;
    // No case stores U+FFFD itself: a replacement means an ill-formed sequence.
    EXPECT_EQ(IsWellFormedUtf8(cases[i].utf8), cases[i].utf16.find(u'\uFFFD') == std::u16string::npos) << "case " << i;
  }
  EXPECT_TRUE(IsWellFormedUtf8("a\xEF\xBF\xBD"));  // a stored U+FFFD is well formed
}

TEST(Utf16ToUtf8, ConvertsPairsAndReplacesLoneSurrogates) {
  struct Case {
    std::u16string utf16;
    std::string utf8;
  };
  const Case cases[] = {
      {u"", ""},
      {u"Config.ini", "Config.ini"},
      {u"文件夹\u00E9\u0080\u07FF\u0800\uFFFF", "文件夹é\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
      {u"\U0001F600\U00010000\U0010FFFF", "😀\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
      {std::u16string(1, 0xD83D), "\xEF\xBF\xBD"},
      {std::u16string(1, 0xDE00), "\xEF\xBF\xBD"},
      {std::u16string{0xD83D, u'x'}, "\xEF\xBF\xBDx"},
      {std::u16string{0xDE00, 0xD83D}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::u16string{0xD83D, 0xD83D, 0xDE00}, "\xEF\xBF\xBD😀"},
      {std::u16string{0xDC00, 0xDC00}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::u16string{0xE000, 0xDC00}, "\xEE\x80\x80\xEF\xBF\xBD"},
      {std::u16string{u'a', 0, u'b'}, std::string("a\0b", 3)},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Utf16ToUtf8(cases[i].utf16), cases[i].utf8) << "case " << i;
  }
}

TEST(Utf16ToUtf8, RoundTripsEveryScalarValue) {
  std::u16string all;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x10000) {
      all.push_back(static_cast<char16_t>(c));
    } else {
      all.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      all.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
  }
  const std::string utf8 = Utf16ToUtf8(all);
  // 128 one-byte, 1920 two-byte, 61440 three-byte and 1048576 four-byte sequences.
  EXPECT_EQ(utf8.size(), 128u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
  EXPECT_TRUE(Utf8ToUtf16(utf8) == all);
}

TEST(Utf8ToGbk, EncodesAsCodePage936) {
  struct Case {
    std::string utf8;
    std::string gbk;
    bool lossless;
  };
  const Case cases[] = {
      {"", "", true},
      {"Wallpaper.bmp", "Wallpaper.bmp", true},
      {"不存在", Hex("b2bbb4e6d4da"), true},
      {"C:\\壁纸\\a.jpg", "C:\\" + Hex("b1dad6bd") + "\\a.jpg", true},
      {"淺禱籠", Hex("9c5cb65cbb5c"), true},  // trail byte 0x5C
      {"圓奪", Hex("88418a5a"), true},        // trail bytes 'A', 'Z'
      {"€", Hex("80"), true},
      {"·—―", Hex("a1a4a1aaa844"), true},  // where GB2312 tables differ
      {"éàü", Hex("a8a6a8a4a8b9"), true},
      {"\uE000\uE4C6\uE766\uE864", Hex("aaa1a140a2abfea0"), true},  // private use
      {"\uF8F5", Hex("ff"), true},  // encodes to a byte that does not decode
      {"ö", "?", false},
      {"a\u00A0b", "a?b", false},
      {"😀", "?", false},
      {"𠀀中", "?" + Hex("d6d0"), false},
      {"\xFF", "?", false},
      {"a\xE4\xB8", "a?", false},
      {"\xED\xA0\x80", "???", false},
      {"\xEF\xBF\xBD", "?", false},  // U+FFFD itself has no GBK code
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    bool lossless = !cases[i].lossless;
    EXPECT_EQ(ToHex(Utf8ToGbk(cases[i].utf8, &lossless)), ToHex(cases[i].gbk)) << "case " << i;
    EXPECT_EQ(lossless, cases[i].lossless) << "case " << i;
    EXPECT_EQ(CanEncodeGbk(cases[i].utf8), cases[i].lossless) << "case " << i;
    EXPECT_EQ(Utf8ToGbk(cases[i].utf8), cases[i].gbk) << "case " << i;
  }
}

TEST(GbkToUtf8, DecodesAsCodePage936) {
  struct Case {
    std::string gbk;
    std::string utf8;
  };
  const Case cases[] = {
      {"", ""},
      {"[Main]\r\n", "[Main]\r\n"},
      {Hex("cdf8d6b7"), "网址"},
      {Hex("9c5c") + "\\" + Hex("bb5c"), "淺\\籠"},
      {Hex("b0a1"), "啊"},
      {Hex("80"), "€"},
      {Hex("a1a4a1aaa844"), "·—―"},
      {Hex("aaa1a140a2abfe50fea0"), "\uE000\uE4C6\uE766\uE815\uE864"},
      {Hex("ff"), "\uFFFD"},
      {Hex("d6"), "\uFFFD"},          // lead byte at the end
      {Hex("d6") + "a", "謅"},         // 'a' is a trail byte: D6 61 is one character
      {Hex("8120"), "\uFFFD "},       // not a trail byte: decoded on its own
      {Hex("817f"), "\uFFFD\x7F"},
      {Hex("81ff"), "\uFFFD\uFFFD"},
      {Hex("8181") + "A", "亖A"},      // 0x81 is also a trail byte
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(GbkToUtf8(cases[i].gbk), cases[i].utf8) << "case " << i;
  }
}

TEST(GbkToUtf8, EveryDoubleByteCodeIsDefinedAndRoundTrips) {
  int undefined = 0, mismatched = 0;
  std::vector<std::u16string> seen;
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string utf8 = GbkToUtf8(code);
      const std::u16string utf16 = Utf8ToUtf16(utf8);
      if (utf16.size() != 1 || utf16[0] == 0xFFFD) {
        ADD_FAILURE() << "undefined " << ToHex(code);
        if (++undefined > 10) return;
        continue;
      }
      bool lossless = false;
      if (Utf8ToGbk(utf8, &lossless) != code || !lossless) {
        ADD_FAILURE() << "no round trip " << ToHex(code);
        if (++mismatched > 10) return;
      }
      seen.push_back(utf16);
    }
  }
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(seen.size(), 126u * 190u);
}

TEST(GbkCharLength, PairsLeadAndTrailOnly) {
  struct Case {
    std::string gbk;
    std::size_t i;
    std::size_t length;
  };
  const Case cases[] = {
      {"ab", 0, 1},
      {Hex("d6d0"), 0, 2},
      {Hex("9c5c"), 0, 2},
      {Hex("9c5c"), 1, 1},  // by itself 0x5C is a single byte; callers walk from the start
      {Hex("d6"), 0, 1},
      {Hex("d620"), 0, 1},
      {Hex("d67f"), 0, 1},
      {Hex("d640"), 0, 2},
      {Hex("d6fe"), 0, 2},
      {Hex("d6ff"), 0, 1},
      {Hex("80d6d0"), 0, 1},
      {Hex("ffd6d0"), 0, 1},
      {Hex("8181"), 0, 2},
      {"ab", 2, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(GbkCharLength(cases[i].gbk, cases[i].i), cases[i].length) << "case " << i;
  }
}

TEST(GbkFoldAscii, FoldsSingleByteLettersOnly) {
  struct Case {
    std::string gbk;
    std::string folded;
  };
  const Case cases[] = {
      {"", ""},
      {"ABC xyz [@]_", "abc xyz [@]_"},
      {Hex("8841") + "A", Hex("8841") + "a"},      // 圓A: the trail 'A' stays
      {"A" + Hex("8841"), "a" + Hex("8841")},
      {Hex("8a5a") + "Z", Hex("8a5a") + "z"},      // 奪Z
      {Hex("81814141"), Hex("81816161")},          // lead+trail 81 81, then "AA"
      {Hex("814141"), Hex("814161")},              // 81 41 is one character
      {Hex("d6") + "A", Hex("d6") + "A"},          // 'A' pairs with the lead byte
      {Hex("d620") + "A", Hex("d620") + "a"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(ToHex(GbkFoldAscii(cases[i].gbk)), ToHex(cases[i].folded)) << "case " << i;
  }
}

TEST(GbkFindLast, SkipsTrailBytes) {
  struct Case {
    std::string gbk;
    char c;
    std::size_t at;
  };
  constexpr auto npos = std::string::npos;
  const Case cases[] = {
      {"", '\\', npos},
      {"a\\b\\c", '\\', 3},
      {"abc", '\\', npos},
      {Hex("9c5c"), '\\', npos},                       // 淺
      {Hex("9c5c"), '\x9C', npos},
      {"dir\\" + Hex("9c5c"), '\\', 3},
      {"\\" + Hex("bb5cb65c"), '\\', 0},
      {Hex("8181") + "\\", '\\', 2},
      {Hex("815c5c"), '\\', 2},
      {Hex("d6") + "\\", '\\', npos},                  // 0x5C is that lead byte's trail
      {"a.b" + Hex("cec4bcfe") + ".ini", '.', 7},
      {Hex("8841"), 'A', npos},
      {Hex("80") + "x" + Hex("80"), '\x80', 2},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(GbkFindLast(cases[i].gbk, cases[i].c), cases[i].at) << "case " << i;
  }
}

TEST(CompareGbkIgnoreAsciiCase, OrdersByFoldedGbkBytes) {
  struct Case {
    std::string a, b;
    int sign;
  };
  const Case cases[] = {
      {"", "", 0},
      {"", "a", -1},
      {"abc", "ABC", 0},
      {"a", "B", -1},
      {"_", "A", -1},       // '_' sorts before the folded 'a'
      {"Z", "中", -1},
      {"文", "网", 1},      // CEC4 > CDF8, though U+6587 < U+7F51
      {"文件", "文件夹", -1},
      {"文件A", "文件a", 0},
      {"圓", "坄", -1},     // 88 41 < 88 60: the trail 'A' is not folded to 'a'
      {"€", "中", -1},
      {"😀", "@", -1},     // no GBK code: compares as '?'
      {"😀", "?", 0},
      {"a😀b", "A𠀀B", 0},
      {"\xFF", "?", 0},
      {"a\xE4\xB8", "a?", 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(Sign(CompareGbkIgnoreAsciiCase(cases[i].a, cases[i].b)), cases[i].sign)
        << "case " << i;
    EXPECT_EQ(Sign(CompareGbkIgnoreAsciiCase(cases[i].b, cases[i].a)), -cases[i].sign)
        << "case " << i << " reversed";
  }
}

TEST(CompareGbkIgnoreAsciiCase, SortsShortcutNames) {
  std::vector<std::string> names = {"文件夹", "网址", "不存在", "文件"};
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareGbkIgnoreAsciiCase(a, b) < 0;
  });
  EXPECT_EQ(names, (std::vector<std::string>{"不存在", "网址", "文件", "文件夹"}));
}

TEST(CompareGbkIgnoreAsciiCase, AgreesWithComparingFoldedEncodings) {
  const std::string names[] = {"",     "a",        "A",      "ab",    "Ab_",   "文件",
                               "文件夹", "文件A",    "文件b",  "网址",  "淺",    "淺\\x",
                               "圓",    "坄",       "€1",     "😀",    "?",     "a😀",
                               "记事本", "Notepad",  "notepad", "NOTE",  "\xFF", "\xC3\xA9"};
  int n = 0;
  for (const auto& a : names) {
    for (const auto& b : names) {
      const std::string fa = GbkFoldAscii(Utf8ToGbk(a)), fb = GbkFoldAscii(Utf8ToGbk(b));
      // char_traits<char>::compare compares as unsigned char.
      const int expected = Sign(fa.compare(fb));
      EXPECT_EQ(Sign(CompareGbkIgnoreAsciiCase(a, b)), expected) << "pair " << n;
      ++n;
    }
  }
}

TEST(EqualsIgnoreAsciiCase, FoldsAsciiLettersOnly) {
  struct Case {
    std::string a, b;
    bool equal;
  };
  const Case cases[] = {
      {"", "", true},
      {"Tovrane.exe", "TOVRANE.EXE", true},
      {"abc", "abd", false},
      {"ab", "abc", false},
      {"[", "{", false},  // differ by 0x20 but are not letters
      {"@", "`", false},
      {"文件", "文件", true},
      {"É", "é", false},
      {"Zz", "zZ", true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(EqualsIgnoreAsciiCase(cases[i].a, cases[i].b), cases[i].equal) << "case " << i;
  }
  EXPECT_EQ(AsciiLower("AZaz[@]`{文件É"), "azaz[@]`{文件É");
}

}  // namespace
}  // namespace tovr::text
