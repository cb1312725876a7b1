// The GBK (code page 936) codec and the byte-level helpers that must respect its double-byte
// characters. The decode table is generated at build time (cmake/gen_gbk_table.py); the encode
// map is built from it on first use.
#include <array>
#include <cstdint>
#include <vector>

#include "base/Text.h"

namespace tovr::text {

namespace {

#include "GbkTable.inc"

constexpr bool IsLead(unsigned char b) { return b >= kGbkLeadFirst && b <= kGbkLeadLast; }
constexpr bool IsTrail(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

constexpr unsigned TableIndex(unsigned char lead, unsigned char trail) {
  return (lead - kGbkLeadFirst) * kGbkTrailCount + (trail - 0x40) - (trail > 0x7F ? 1 : 0);
}

constexpr unsigned char FoldByte(unsigned char b) {
  return (b >= 'A' && b <= 'Z') ? static_cast<unsigned char>(b - 'A' + 'a') : b;
}

// Unicode (BMP) -> GBK code, two levels of 256 entries: pageOf[c >> 8] selects a block of
// `blocks`, block 0 being all zeros. An entry is 0 when the character has no encoding, a
// value below 0x100 for a single byte, else lead << 8 | trail.
class EncodeMap {
 public:
  EncodeMap() : blocks_(256, 0) {
    pageOf_.fill(0);
    for (unsigned lead = kGbkLeadFirst; lead <= kGbkLeadLast; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F) continue;
        const char16_t c = kGbkDoubleByte[TableIndex(static_cast<unsigned char>(lead),
                                                     static_cast<unsigned char>(trail))];
        if (c != kGbkUndefined) Set(c, static_cast<std::uint16_t>(lead << 8 | trail));
      }
    }
    Set(kGbkEuroChar, kGbkEuroByte);
    Set(kGbkEncodeOnlyChar, kGbkEncodeOnlyByte);
  }

  // The GBK code of c, or -1 when GBK has none. ASCII is the caller's fast path, but works.
  int Find(char32_t c) const {
    if (c < 0x80) return static_cast<int>(c);
    if (c > 0xFFFF) return -1;
    const std::uint16_t code = blocks_[pageOf_[c >> 8] * 256u + (c & 0xFF)];
    return code == 0 ? -1 : code;
  }

 private:
  void Set(char16_t c, std::uint16_t code) {
    std::uint16_t& page = pageOf_[c >> 8];
    if (page == 0) {
      page = static_cast<std::uint16_t>(blocks_.size() / 256);
      blocks_.resize(blocks_.size() + 256, 0);
    }
    std::uint16_t& slot = blocks_[page * 256u + (c & 0xFF)];
    if (slot == 0) slot = code;  // the first (lowest) code wins should a character repeat
  }

  std::array<std::uint16_t, 256> pageOf_;
  std::vector<std::uint16_t> blocks_;
};

const EncodeMap& Encoder() {
  static const EncodeMap map;  // built once, thread-safe
  return map;
}

// Produces the GBK bytes of a UTF-8 text one at a time, ASCII letters folded, without
// building the encoded string.
class FoldedGbkBytes {
 public:
  FoldedGbkBytes(std::string_view utf8, const EncodeMap& map) : s_(utf8), map_(map) {}

  // The next byte (0..255), or -1 at the end.
  int Next() {
    if (pending_ >= 0) {
      const int b = pending_;
      pending_ = -1;
      return b;
    }
    if (i_ >= s_.size()) return -1;
    const auto b = static_cast<unsigned char>(s_[i_]);
    if (b < 0x80) {
      ++i_;
      return FoldByte(b);
    }
    const int code = map_.Find(DecodeUtf8(s_, i_));
    if (code < 0) return '?';
    if (code < 0x100) return code;
    pending_ = code & 0xFF;
    return code >> 8;
  }

 private:
  std::string_view s_;
  const EncodeMap& map_;
  std::size_t i_ = 0;
  int pending_ = -1;
};

}  // namespace

std::string Utf8ToGbk(std::string_view utf8, bool* lossless) {
  const EncodeMap& map = Encoder();
  std::string out;
  out.reserve(utf8.size());  // GBK is never longer than UTF-8
  bool all = true;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    const int code = map.Find(DecodeUtf8(utf8, i));
    if (code < 0) {
      out.push_back('?');
      all = false;
    } else if (code < 0x100) {
      out.push_back(static_cast<char>(code));
    } else {
      out.push_back(static_cast<char>(code >> 8));
      out.push_back(static_cast<char>(code & 0xFF));
    }
  }
  if (lossless) *lossless = all;
  return out;
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);  // a double-byte character is 3 UTF-8 bytes
  for (std::size_t i = 0; i < gbk.size();) {
    const auto b = static_cast<unsigned char>(gbk[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
    } else if (b == kGbkEuroByte) {
      AppendUtf8(out, kGbkEuroChar);
      ++i;
    } else if (IsLead(b) && i + 1 < gbk.size() && IsTrail(static_cast<unsigned char>(gbk[i + 1]))) {
      AppendUtf8(out, kGbkDoubleByte[TableIndex(b, static_cast<unsigned char>(gbk[i + 1]))]);
      i += 2;
    } else {
      AppendUtf8(out, kReplacementChar);
      ++i;
    }
  }
  return out;
}

bool CanEncodeGbk(std::string_view utf8) {
  const EncodeMap& map = Encoder();
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      ++i;
    } else if (map.Find(DecodeUtf8(utf8, i)) < 0) {
      return false;
    }
  }
  return true;
}

std::size_t GbkCharLength(std::string_view gbk, std::size_t i) {
  if (i >= gbk.size()) return 0;
  return IsLead(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size() &&
                 IsTrail(static_cast<unsigned char>(gbk[i + 1]))
             ? 2
             : 1;
}

std::string GbkFoldAscii(std::string_view gbk) {
  std::string out(gbk);
  for (std::size_t i = 0; i < out.size();) {
    const std::size_t n = GbkCharLength(out, i);
    if (n == 1) out[i] = static_cast<char>(FoldByte(static_cast<unsigned char>(out[i])));
    i += n;
  }
  return out;
}

std::size_t GbkFindLast(std::string_view gbk, char c) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < gbk.size();) {
    const std::size_t n = GbkCharLength(gbk, i);
    if (n == 1 && gbk[i] == c) found = i;
    i += n;
  }
  return found;
}

int CompareGbkIgnoreAsciiCase(std::string_view a, std::string_view b) {
  const EncodeMap& map = Encoder();
  // Common prefix of ASCII-only bytes compares the same folded in either encoding.
  std::size_t i = 0;
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  while (i < common) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80 || y >= 0x80) break;
    const unsigned char fx = FoldByte(x), fy = FoldByte(y);
    if (fx != fy) return fx < fy ? -1 : 1;
    ++i;
  }
  FoldedGbkBytes x(a.substr(i), map), y(b.substr(i), map);
  for (;;) {
    const int bx = x.Next(), by = y.Next();
    if (bx != by) return bx < by ? -1 : 1;
    if (bx < 0) return 0;
  }
}

}  // namespace tovr::text
