// Our GBK codec against the system's code page 936, code by code, and the UTF-16 edge helpers
// against the system's UTF-8 conversion.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/Text.h"
#include "base/win32/Wide.h"

namespace tovr::text {
namespace {

constexpr UINT kGbk = 936;

std::string CodeName(std::string_view bytes) {
  std::string out;
  char buf[4];
  for (char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c));
    out += buf;
  }
  return out;
}

std::string CharName(const std::wstring& w) {
  std::string out;
  char buf[12];
  for (wchar_t c : w) {
    std::snprintf(buf, sizeof buf, "U+%04X ", static_cast<unsigned>(c));
    out += buf;
  }
  return out.empty() ? "(none)" : out;
}

// The system's decoding; false when it rejects the bytes.
bool SystemDecode(const std::string& bytes, std::wstring& out) {
  wchar_t buf[8];
  const int n = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), buf, 8);
  if (n <= 0) return false;
  out.assign(buf, static_cast<std::size_t>(n));
  return true;
}

// The system's encoding without best-fit substitutions; false when it used the default
// character.
bool SystemEncode(const std::wstring& w, std::string& out) {
  char buf[16];
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, w.data(),
                                    static_cast<int>(w.size()), buf, sizeof buf, nullptr,
                                    &usedDefault);
  if (n <= 0) return false;
  out.assign(buf, static_cast<std::size_t>(n));
  return !usedDefault;
}

// Checks one code: decoding must agree with the system (an error there is U+FFFD here), and a
// decoded character must encode back the same way the system encodes it.
void CheckCode(const std::string& code, int& mismatches) {
  std::wstring system;
  const bool defined = SystemDecode(code, system);
  const std::wstring ours = Widen(GbkToUtf8(code));
  const bool oursDefined = ours.find(L'\uFFFD') == std::wstring::npos;
  if (defined != oursDefined || (defined && ours != system)) {
    ++mismatches;
    ADD_FAILURE() << "decoding " << CodeName(code) << ": system "
                  << (defined ? CharName(system) : "error") << ", ours " << CharName(ours);
    return;
  }
  if (!defined) return;
  std::string systemBytes;
  const bool encoded = SystemEncode(system, systemBytes);
  bool lossless = false;
  const std::string ourBytes = Utf8ToGbk(Narrow(system), &lossless);
  if (!encoded || !lossless || ourBytes != systemBytes || ourBytes != code) {
    ++mismatches;
    ADD_FAILURE() << "encoding " << CharName(system) << " (from " << CodeName(code)
                  << "): system " << (encoded ? CodeName(systemBytes) : "default char")
                  << ", ours " << CodeName(ourBytes) << (lossless ? "" : " (lossy)");
  }
}

TEST(GbkCodePage, EverySingleByteMatchesTheSystem) {
  int mismatches = 0;
  for (int b = 0; b < 256; ++b) CheckCode(std::string(1, static_cast<char>(b)), mismatches);
  EXPECT_EQ(mismatches, 0);
}

TEST(GbkCodePage, EveryDoubleByteCodeMatchesTheSystem) {
  int mismatches = 0, checked = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      CheckCode(std::string{static_cast<char>(lead), static_cast<char>(trail)}, mismatches);
      ++checked;
      if (mismatches > 50) FAIL() << "stopping after 50 mismatches";
    }
  }
  EXPECT_EQ(checked, 126 * 191);
  EXPECT_EQ(mismatches, 0);
}

// Every BMP character the system cannot encode must be one we cannot encode either (and the
// ones it can, we encode to the same bytes): this covers characters no code decodes to.
TEST(GbkCodePage, EveryBmpCharacterEncodesAsTheSystemDoes) {
  int mismatches = 0, encodable = 0;
  for (unsigned c = 1; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::wstring w(1, static_cast<wchar_t>(c));
    std::string systemBytes;
    const bool systemOk = SystemEncode(w, systemBytes);
    bool lossless = false;
    const std::string ours = Utf8ToGbk(Narrow(w), &lossless);
    const bool match = systemOk ? (lossless && ours == systemBytes) : (!lossless && ours == "?");
    if (systemOk) ++encodable;
    if (!match || CanEncodeGbk(Narrow(w)) != systemOk) {
      ADD_FAILURE() << "encoding " << CharName(w) << ": system "
                    << (systemOk ? CodeName(systemBytes) : "default char") << ", ours "
                    << CodeName(ours) << (lossless ? "" : " (lossy)");
      if (++mismatches > 50) FAIL() << "stopping after 50 mismatches";
    }
  }
  // 128 ASCII (with U+0000 skipped: 127), the euro, U+F8F5 and every double-byte code.
  EXPECT_EQ(encodable, 127 + 1 + 1 + 126 * 190);
  EXPECT_EQ(mismatches, 0);
}

TEST(Wide, MatchesTheSystemUtf8Conversion) {
  const std::string cases[] = {"", "Tovrane", "桌面图标 – 文件夹", "C:\\壁纸\\淺.jpg", "😀𠀀€",
                               "\x7F\xC2\x80\xF4\x8F\xBF\xBF"};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string& s = cases[i];
    wchar_t buf[64];
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(),
                                      static_cast<int>(s.size()), buf, 64);
    ASSERT_TRUE(n > 0 || s.empty()) << "case " << i;
    const std::wstring system(buf, static_cast<std::size_t>(n > 0 ? n : 0));
    EXPECT_EQ(Widen(s), system) << "case " << i;
    EXPECT_EQ(Narrow(system), s) << "case " << i;
  }
}

}  // namespace
}  // namespace tovr::text
