#include "shortcuts/DroppedLink.h"

#include "base/Text.h"

namespace tovr::shortcuts {

namespace {

constexpr std::string_view kShortcutHeader = "[InternetShortcut]";

// The first `count` characters of UTF-8 text (never a part of one).
std::string FirstChars(std::string_view utf8, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t n = 0; n < count && i < utf8.size(); ++n) text::DecodeUtf8(utf8, i);
  return std::string(utf8.substr(0, i));
}

// A text format's address: the text up to its first NUL, without surrounding blanks.
std::optional<std::string> TextUrl(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  std::string_view s(*text);
  s = text::TrimBlanks(s.substr(0, s.find('\0')));
  if (s.empty()) return std::nullopt;
  return std::string(s);
}

// An Internet shortcut's file name without its ".url" (any letter case).
std::string TitleOf(std::string_view fileName) {
  const auto slash = fileName.find_last_of("\\/");
  if (slash != std::string_view::npos) fileName.remove_prefix(slash + 1);
  if (fileName.size() > 4 && text::EqualsIgnoreAsciiCase(fileName.substr(fileName.size() - 4), ".url")) {
    fileName.remove_suffix(4);
  }
  return std::string(fileName);
}

bool IsUrlFile(std::string_view path) {
  return path.size() >= 4 && text::EqualsIgnoreAsciiCase(path.substr(path.size() - 4), ".url");
}

}  // namespace

std::optional<std::string> InternetShortcutUrl(std::string_view text) {
  text = text.substr(0, text.find('\0'));  // a text ends at its NUL, as the system reads it
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const auto firstEnd = text.find('\n');
  if (firstEnd == std::string_view::npos) return std::nullopt;
  if (text::TrimBlanks(text.substr(0, firstEnd)) != kShortcutHeader) return std::nullopt;
  std::string_view next = text.substr(firstEnd + 1);
  next = next.substr(0, next.find_first_of("\r\n"));
  const auto eq = next.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view url = text::TrimBlanks(next.substr(eq + 1));
  if (url.empty()) return std::nullopt;
  // Cut, then trimmed again: a cut can end at a blank inside the address.
  return std::string(text::TrimBlanks(FirstChars(url, kMaxDroppedLinkLength)));
}

std::optional<DroppedLink> ReadDroppedLink(const DroppedLinkData& data) {
  DroppedLink link;
  std::optional<std::string> title;
  if (data.groupFileName && !data.groupFileName->empty()) title = TitleOf(*data.groupFileName);

  std::optional<std::string> url = TextUrl(data.urlText);
  if (!url) url = TextUrl(data.plainText);
  if (!url && data.fileContents) url = InternetShortcutUrl(*data.fileContents);
  if (!url && data.droppedFile && IsUrlFile(*data.droppedFile) && data.droppedFileText) {
    url = InternetShortcutUrl(*data.droppedFileText);
    if (url) title = TitleOf(*data.droppedFile);
  }
  if (!url) return std::nullopt;
  link.url = *url;
  link.title = title && !title->empty() ? *title : link.url;
  return link;
}

}  // namespace tovr::shortcuts
