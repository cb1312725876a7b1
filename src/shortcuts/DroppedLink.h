// A web link dropped on the panel urlDropPanel: which of the data object's formats gives the address
// and which gives the title. The Win32 drop target reads the formats (texts already turned into
// UTF-8) and hands them here; the rules are portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovr::shortcuts {

// The formats a dragged link may come in; absent when the data object does not offer one.
struct DroppedLinkData {
  std::optional<std::string> urlText = {};       // "UniformResourceLocator"
  std::optional<std::string> plainText = {};     // CF_TEXT
  std::optional<std::string> fileContents = {};  // "FileContents": a dragged Internet shortcut
  std::optional<std::string> groupFileName = {}; // the file name in "FileGroupDescriptor"
  std::optional<std::string> droppedFile = {};   // CF_HDROP: the first dropped file's path
  std::optional<std::string> droppedFileText = {};  // its text, when it is a ".url" file
};

struct DroppedLink {
  std::string url;
  std::string title;
  friend bool operator==(const DroppedLink&, const DroppedLink&) = default;
};

// Addresses and titles are cut to this many characters.
inline constexpr std::size_t kMaxDroppedLinkLength = 250;

// The address from the first format that yields one, in the order "UniformResourceLocator",
// CF_TEXT, "FileContents", CF_HDROP (a ".url" file); nullopt when none does. The title is the
// Internet shortcut's file name without ".url" (group descriptor, or the dropped file), else
// the address itself.
std::optional<DroppedLink> ReadDroppedLink(const DroppedLinkData& data);

// The address stored in an Internet shortcut's text: the first line is "[InternetShortcut]",
// the address is what follows the first "=" of the next line (to the end of that line, at most
// kMaxDroppedLinkLength characters). nullopt for any other text.
std::optional<std::string> InternetShortcutUrl(std::string_view text);

}  // namespace tovr::shortcuts
