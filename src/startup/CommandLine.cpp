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

bool IsWellFormed(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t at = i;
    if (text::DecodeUtf8(s, i) == U'\uFFFD' && s.substr(at, i - at) != "\xEF\xBF\xBD") return false;
  }
  return true;
}

}  // namespace

// Every character the rules look at (blanks, quotes, dots, the letters of "exe") is one byte in
// UTF-8 and never part of a longer character, so the rules work on the bytes; only the counts
// of characters are counted as characters.
std::string ExtractExePath(std::string_view command) {
  for (const char c : command) {
    if (static_cast<unsigned char>(c) >= 0x80) {
      if (!IsWellFormed(command)) return ExtractExePath(WellFormed(command));
      break;
    }
  }
  std::size_t begin = 0, end = command.size();
  while (begin < end && static_cast<unsigned char>(command[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(command[end - 1]) <= ' ') --end;
  const std::string_view trimmed = command.substr(begin, end - begin);

  if (!trimmed.empty() && trimmed.front() == '"') {
    // Taken from the trimmed command, so that blanks before the quote do not shift the text.
    const std::size_t close = trimmed.find('"', 1);
    return close == std::string_view::npos ? std::string() : std::string(trimmed.substr(1, close - 1));
  }

  const std::size_t dot = trimmed.find('.');
  // Three characters or fewer after the first dot (or in all, without one): the whole text.
  if (CharacterCount(dot == std::string_view::npos ? trimmed : trimmed.substr(dot + 1)) <= 3) {
    return text::AsciiLower(trimmed);
  }
  std::size_t exe = dot;
  while (exe != std::string_view::npos && !text::EqualsIgnoreAsciiCase(trimmed.substr(exe, 5), ".exe ")) {
    exe = trimmed.find('.', exe + 1);
  }
  return text::AsciiLower(trimmed.substr(0, exe == std::string_view::npos ? BytesOfCharacters(trimmed, 3) : exe + 4));
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
