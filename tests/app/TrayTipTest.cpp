#include "app/TrayTip.h"

#include <gtest/gtest.h>

namespace tovr::app {
namespace {

TEST(TrayTipTest, HintBecomesATipOfAtMost127UnitsWithoutHalfCharacters) {
  const std::string grin = "\xF0\x9F\x98\x80";  // U+1F600, a surrogate pair in UTF-16
  const std::u16string wideGrin = u"\U0001F600";
  std::string chinese;
  for (int i = 0; i < 130; ++i) chinese += "空";
  const struct {
    std::string hint;
    bool show;
    std::u16string tip;
  } cases[] = {
      {"", true, u""},
      {"Tovrane", false, u""},
      {"Tovrane", true, u"Tovrane"},
      {"可用内存: 512 MB", true, u"可用内存: 512 MB"},
      {std::string(127, 'a'), true, std::u16string(127, u'a')},
      {std::string(128, 'a'), true, std::u16string(127, u'a')},
      {std::string(300, 'a'), true, std::u16string(127, u'a')},
      // Counted in UTF-16 units, not bytes: 127 CJK characters fit (381 bytes of UTF-8).
      {chinese, true, std::u16string(127, u'空')},
      {std::string(125, 'a') + grin, true, std::u16string(125, u'a') + wideGrin},
      {std::string(126, 'a') + grin, true, std::u16string(126, u'a')},
      {std::string(127, 'a') + grin, true, std::u16string(127, u'a')},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::u16string tip = TrayTipText(cases[i].hint, cases[i].show);
    EXPECT_TRUE(tip == cases[i].tip) << "case " << i << ": got " << tip.size() << " units";
    EXPECT_LT(tip.size(), kTrayTipCapacity) << "case " << i;
  }
}

}  // namespace
}  // namespace tovr::app
