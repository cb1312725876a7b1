// Registry name folding in UTF-8 agrees with the UTF-16 folding for every character.
#include <gtest/gtest.h>

#include <string>

#include "base/Text.h"
#include "platform/RegistryPath.h"

namespace tovr {
namespace {

TEST(RegistryPathTest, Utf8FoldingAgreesWithTheSystemsTableForEveryCharacter) {
  for (char32_t c = 1; c <= 0x10FFFF; c += (c < 0x10000 ? 1 : 0x3FF)) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string name = "x";
    text::AppendUtf8(name, c);
    name += "y";
    ASSERT_EQ(FoldRegistryNameUtf8(name), text::Utf16ToUtf8(FoldRegistryName(name))) << std::hex << static_cast<unsigned>(c);
  }
  EXPECT_EQ(FoldRegistryNameUtf8("Start ÿé ａｂ 启动"), "START ŸÉ ＡＢ 启动");
}

}  // namespace
}  // namespace tovr
