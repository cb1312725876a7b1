#include "startup/CommandLine.h"

#include <algorithm>

#include "base/Text.h"

namespace tovr::startup {

namespace {

// In UTF-8 a character begins at every byte that does not continue one.
bool BeginsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::size_t CharacterCount(std::string_view s) {
  return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), BeginsCharacter));
}

// The bytes of the first `count` characters of `s`.
std::size_t BytesOfCharacters(std::string_view s, std::size_t count) {
  std::size_t i = 0;
  for (; i < s.size(); ++i) {
    if (BeginsCharacter(s[i]) && count-- == 0) break;
  }
  return i;
}

// Each malformed sequence of `s` as the replacement character; well-formed text unchanged.
std::string WellFormed(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) text::AppendUtf8(out, text::DecodeUtf8(s, i));
  return out;
}

}  // namespace

// Every character the rules look at (blanks, quotes, dots, the letters of "exe") is one byte in
// UTF-8 and never part of a longer character, so the rules work on the bytes; only the counts
// of characters are counted as characters.
void ExtractExePath(std::string_view command, std::string& path) {
  if (!text::IsWellFormedUtf8(command)) return ExtractExePath(WellFormed(command), path);
  std::size_t begin = 0, end = command.size();
  while (begin < end && static_cast<unsigned char>(command[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(command[end - 1]) <= ' ') --end;
  const std::string_view trimmed = command.substr(begin, end - begin);

  if (!trimmed.empty() && trimmed.front() == '"') {
    // Taken from the trimmed command, so that blanks before the quote do not shift the text.
    const std::size_t close = trimmed.find('"', 1);
    path.assign(close == std::string_view::npos ? std::string_view() : trimmed.substr(1, close - 1));
    return;
  }

  const std::size_t dot = trimmed.find('.');
  // Three characters or fewer after the first dot (or in all, without one): the whole text.
  std::size_t length = trimmed.size();
  if (CharacterCount(dot == std::string_view::npos ? trimmed : trimmed.substr(dot + 1)) > 3) {
    std::size_t exe = dot;
    while (exe != std::string_view::npos && !text::EqualsIgnoreAsciiCase(trimmed.substr(exe, 5), ".exe ")) {
      exe = trimmed.find('.', exe + 1);
    }
    length = exe == std::string_view::npos ? BytesOfCharacters(trimmed, 3) : exe + 4;
  }
  path.assign(trimmed.substr(0, length));
  for (char& c : path) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
}

std::string ExtractExePath(std::string_view command) {
  std::string path;
  ExtractExePath(command, path);
  return path;
}

int CommandIconIndex(const std::string& command, std::string& path, IFileSystem& files, IShellIcons& icons,
                     IStartupSystem& system) {
  ExtractExePath(command, path);
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
