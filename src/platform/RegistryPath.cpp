#include "platform/RegistryPath.h"

#include "base/Text.h"

namespace tovr {

namespace {

char16_t UpcaseRegistryChar(char16_t c) {
  if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs: upper case first, except in the two runs that start one later.
  // U+0130..U+0131 (dotted and dotless i) and U+0138 (kra) have no pair here.
  if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
    return (c & 1) ? static_cast<char16_t>(c - 1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
    return (c & 1) ? c : static_cast<char16_t>(c - 1);
  if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0x20);
  return c;
}

}  // namespace

std::vector<std::string> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string NormalizeKeyPath(std::string_view path) {
  std::string out;
  for (const std::string& part : SplitKeyPath(path)) {
    if (!out.empty()) out += '\\';
    out += part;
  }
  return out;
}

std::string JoinKeyPath(std::string_view parent, std::string_view child) {
  std::string joined(parent);
  joined += '\\';
  joined += child;
  return NormalizeKeyPath(joined);
}

std::u16string FoldRegistryName(std::string_view name) {
  std::u16string folded = text::Utf8ToUtf16(name);
  for (char16_t& c : folded) c = UpcaseRegistryChar(c);
  return folded;
}

std::string FoldRegistryNameUtf8(std::string_view name) {
  std::string out(name);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto b = static_cast<unsigned char>(out[i]);
    if (b < 0x80) {
      if (b >= 'a' && b <= 'z') out[i] = static_cast<char>(b - 0x20);
    } else if (b >= 0xC0 && b < 0xE0 && i + 1 < out.size() && (static_cast<unsigned char>(out[i + 1]) & 0xC0) == 0x80) {
      // Two bytes: U+0080..U+07FF, where every folding letter but the fullwidth ones lives.
      const auto c = static_cast<char16_t>(((b & 0x1F) << 6) | (out[i + 1] & 0x3F));
      const char16_t u = UpcaseRegistryChar(c);
      out[i] = static_cast<char>(0xC0 | (u >> 6));
      out[i + 1] = static_cast<char>(0x80 | (u & 0x3F));
      ++i;
    } else if (b == 0xEF && i + 2 < out.size() && out[i + 1] == '\xBD' && static_cast<unsigned char>(out[i + 2]) >= 0x81 &&
               static_cast<unsigned char>(out[i + 2]) <= 0x9A) {
      // Fullwidth a..z (U+FF41..U+FF5A, EF BD 81..9A) to A..Z (U+FF21..U+FF3A, EF BC A1..BA).
      out[i + 1] = '\xBC';
      out[i + 2] = static_cast<char>(out[i + 2] + 0x20);
      i += 2;
    }
  }
  return out;
}

bool RegistryNamesEqual(std::string_view a, std::string_view b) {
  return FoldRegistryName(a) == FoldRegistryName(b);
}

int CompareRegistryNames(std::string_view a, std::string_view b) {
  const int c = FoldRegistryName(a).compare(FoldRegistryName(b));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace tovr
