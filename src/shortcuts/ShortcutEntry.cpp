#include "shortcuts/ShortcutEntry.h"

#include "base/Text.h"

namespace tovr::shortcuts {

TargetKind TargetKindOf(IFileSystem& files, const std::string& target) {
  if (files.FileExists(target)) return TargetKind::File;
  if (files.DirectoryExists(target)) return TargetKind::Folder;
  return target.find("://") != std::string::npos ? TargetKind::Url : TargetKind::Missing;
}

TargetKind ListedKindOf(IFileSystem& files, const std::string& target) {
  if (OnLocalFixedDrive(files, target)) return TargetKindOf(files, target);
  if (target.find("://") != std::string::npos) return TargetKind::Url;
  const std::size_t last = target.find_last_of("\\/");
  const std::size_t dot = target.rfind('.');
  return dot != std::string::npos && (last == std::string::npos || dot > last) ? TargetKind::File : TargetKind::Folder;
}

const char* TypeTextOf(TargetKind kind) {
  switch (kind) {
    case TargetKind::Url: return kTypeUrl;
    case TargetKind::File: return kTypeFile;
    case TargetKind::Folder: return kTypeFolder;
    case TargetKind::Missing: break;
  }
  return kTypeMissing;
}

// UTF-8 text: '\', ':' and '.' never occur inside a multi-byte character, so plain byte searches
// split paths correctly.
std::string DerivedName(TargetKind kind, std::string_view target) {
  switch (kind) {
    case TargetKind::File: {
      const std::size_t sep = target.find_last_of("\\:");
      std::string_view file = sep == std::string_view::npos ? target : target.substr(sep + 1);
      const std::size_t dot = file.find('.');
      if (dot == std::string_view::npos) return {};
      return std::string(file.substr(0, dot));
    }
    case TargetKind::Folder: {
      const std::size_t sep = target.rfind('\\');
      return std::string(sep == std::string_view::npos ? target : target.substr(sep + 1));
    }
    case TargetKind::Url:
    case TargetKind::Missing:
      break;
  }
  return {};
}

bool IsStorableName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || c == '=') return false;
  }
  // The settings file trims these blanks from both ends of a line and of a key.
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1A; };
  if (blank(name.front()) || blank(name.back())) return false;
  return name.front() != '[' && name.front() != ';';
}

std::string ShortcutSortKey(std::string_view text) {
  // ASCII text is its own GBK encoding.
  bool ascii = true;
  for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) {
    std::string key(text);
    for (char& c : key) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
  }
  std::string gbk = text::Utf8ToGbk(text);
  for (std::size_t i = 0; i < gbk.size();) {
    const std::size_t n = text::GbkCharLength(gbk, i);
    if (n == 1 && gbk[i] >= 'a' && gbk[i] <= 'z') gbk[i] = static_cast<char>(gbk[i] - 'a' + 'A');
    i += n;
  }
  return gbk;
}

int CompareShortcutText(std::string_view a, std::string_view b) {
  const std::string x = ShortcutSortKey(a), y = ShortcutSortKey(b);
  const int c = x.compare(y);  // char_traits<char>::compare orders bytes as unsigned char
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

}  // namespace tovr::shortcuts
