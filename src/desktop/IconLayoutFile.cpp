#include "desktop/IconLayoutFile.h"

#include <charconv>
#include <map>
#include <set>

#include "base/Text.h"

namespace tovr::desktop {

namespace {

constexpr std::string_view kByteOrderMark = "\xFF\xFE";

// "-?digits" with at most six digits, the whole text, within the 16-bit range.
std::optional<int> Coordinate(std::string_view text) {
  const std::size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
  if (digits == 0 || digits > 6) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kMinIconCoordinate || value > kMaxIconCoordinate) return std::nullopt;
  return value;
}

// "WxH": two positive numbers of at most six digits without leading zeros.
bool SizeName(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return false;
  for (std::string_view part : {text.substr(0, x), text.substr(x + 1)}) {
    if (part.empty() || part.size() > 6 || part[0] == '0') return false;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
    }
  }
  return true;
}

}  // namespace

const LayoutSection* IconLayoutFile::Find(std::string_view size) const {
  for (const LayoutSection& s : sections) {
    if (s.size == size) return &s;
  }
  return nullptr;
}

void IconLayoutFile::Replace(LayoutSection section) {
  for (LayoutSection& s : sections) {
    if (s.size == section.size) {
      s = std::move(section);
      return;
    }
  }
  sections.push_back(std::move(section));
}

ParsedLayout ParseIconLayout(std::string_view bytes) {
  if (bytes.empty()) return {IconLayoutFile{}, 0};
  if (bytes.size() > kMaxLayoutFileBytes || bytes.size() % 2 != 0 || !bytes.starts_with(kByteOrderMark)) {
    return {std::nullopt, 0};
  }
  const std::string content = text::Utf16LeToUtf8(bytes.substr(kByteOrderMark.size()));
  IconLayoutFile file;
  std::set<std::string> keys;  // of the current section
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    std::string_view line(content.data() + start, end - start);
    start = end + 1;
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.empty()) continue;
    const ParsedLayout damaged{std::nullopt, lineNumber};
    if (line.find_first_of(std::string_view("\0\r", 2)) != std::string_view::npos) return damaged;
    if (line.starts_with('[') && line.ends_with(']')) {
      const std::string_view size = line.substr(1, line.size() - 2);
      if (!SizeName(size) || file.Find(size)) return damaged;
      file.sections.push_back({std::string(size), {}});
      keys.clear();
      continue;
    }
    const std::size_t equals = line.rfind('=');
    if (file.sections.empty() || equals == std::string_view::npos || equals == 0) return damaged;
    const std::string_view value = line.substr(equals + 1);
    const std::size_t comma = value.find(',');
    if (comma == std::string_view::npos) return damaged;
    const std::optional<int> x = Coordinate(value.substr(0, comma));
    const std::optional<int> y = Coordinate(value.substr(comma + 1));
    std::string key(line.substr(0, equals));
    if (!x || !y || !keys.insert(key).second) return damaged;
    file.sections.back().icons.push_back({std::move(key), *x, *y});
  }
  return {std::move(file), 0};
}

std::string SerialiseIconLayout(const IconLayoutFile& file) {
  std::string text;
  for (const LayoutSection& s : file.sections) {
    if (!text.empty()) text += "\r\n";
    text += "[" + s.size + "]\r\n";
    for (const SavedIcon& icon : s.icons) {
      text += icon.key + "=" + std::to_string(icon.x) + "," + std::to_string(icon.y) + "\r\n";
    }
  }
  const std::u16string wide = text::Utf8ToUtf16(text);
  std::string bytes(kByteOrderMark);
  bytes.reserve(bytes.size() + wide.size() * 2);
  text::AppendUtf16Le(bytes, wide);
  return bytes;
}

std::string DesktopSizeName(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::vector<std::string> IconKeys(const std::vector<std::string>& names) {
  std::set<std::string> taken;
  std::map<std::string, int> nextNumber;  // of each name: many icons of one name stay linear
  std::vector<std::string> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) {
    std::string key = name;
    int& n = nextNumber.try_emplace(name, 2).first->second;
    while (taken.contains(key)) key = name + " #" + std::to_string(n++);
    taken.insert(key);
    keys.push_back(std::move(key));
  }
  return keys;
}

}  // namespace tovr::desktop
