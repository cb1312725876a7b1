#include "startup/CommandLine.h"

#include <algorithm>

#include "base/Text.h"

namespace tovr::startup {

namespace {

std::u32string Decode(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) out.push_back(text::DecodeUtf8(utf8, i));
  return out;
}

std::string Encode(std::u32string_view chars) {
  std::string out;
  out.reserve(chars.size());
  for (char32_t c : chars) text::AppendUtf8(out, c);
  return out;
}

// 1-based position of the first `what` in `s`, 0 when absent.
std::size_t Pos(std::u32string_view s, std::u32string_view what) {
  const std::size_t at = s.find(what);
  return at == std::u32string_view::npos ? 0 : at + 1;
}

}  // namespace

std::string ExtractExePath(std::string_view command) {
  const std::u32string chars = Decode(command);
  std::size_t begin = 0, end = chars.size();
  while (begin < end && chars[begin] <= U' ') ++begin;
  while (end > begin && chars[end - 1] <= U' ') --end;
  const std::u32string_view trimmed(chars.data() + begin, end - begin);

  if (!trimmed.empty() && trimmed.front() == U'"') {
    // Taken from the trimmed command, so that blanks before the quote do not shift the text.
    const std::u32string_view quoted = trimmed.substr(1);
    const std::size_t close = quoted.find(U'"');
    return close == std::u32string_view::npos ? std::string() : Encode(quoted.substr(0, close));
  }

  std::u32string t(trimmed);
  for (char32_t& c : t) {
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
  }
  const std::size_t dot = Pos(t, U".");
  const std::size_t length = t.size() - dot > 3 ? Pos(t, U".exe ") + 3 : dot + 3;
  return Encode(std::u32string_view(t).substr(0, std::min(length, t.size())));
}

int CommandIconIndex(const std::string& command, IFileSystem& files, IShellIcons& icons,
                     IStartupSystem& system) {
  const std::string path = ExtractExePath(command);
  // A program on a share or a mapped drive gets its type's icon: the server is not asked.
  if (!path.empty() && !OnLocalFixedDrive(files, path)) return icons.TypeIconIndex(path, false);
  if (files.FileExists(command)) return icons.ShellIconIndex(command);
  if (!path.empty() && files.FileExists(path)) return icons.ShellIconIndex(path);
  if (std::optional<std::string> found = path.empty() ? std::nullopt : system.FindOnSearchPath(path)) {
    return icons.ShellIconIndex(*found);
  }
  return kMissingIconIndex;
}

}  // namespace tovr::startup
