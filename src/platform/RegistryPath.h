// Rules of registry key paths and names, shared by the Win32 adapter and the in-memory fake.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovr {

// Longest key name (one path component) and value name the system accepts, in UTF-16 units.
inline constexpr std::size_t kMaxRegKeyNameLength = 255;
inline constexpr std::size_t kMaxRegValueNameLength = 16383;

// The components of a key path. Backslashes separate them; empty components are dropped, so a
// leading backslash (the program's mark of a path that is absolute under the root), a trailing
// one or a doubled one changes nothing. The empty path names the root itself.
std::vector<std::string> SplitKeyPath(std::string_view path);
// The path as the system is given it: the components joined by single backslashes.
std::string NormalizeKeyPath(std::string_view path);
std::string JoinKeyPath(std::string_view parent, std::string_view child);

// Key and value names compare without regard to letter case, as the system's upper-case table
// folds it: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and fullwidth Latin letters.
// (CJK characters have no case.)
std::u16string FoldRegistryName(std::string_view name);
// The same folding kept in UTF-8, for names that are only looked up: no letter that folds
// changes its length in UTF-8, so the bytes are folded in place and no text is converted.
std::string FoldRegistryNameUtf8(std::string_view name);
bool RegistryNamesEqual(std::string_view a, std::string_view b);
// The order in which Windows enumerates subkeys: by the upper-cased names, UTF-16 unit by
// unit. Returns <0, 0, >0. (Wine compares lower-cased names, so "_x" comes before "a" there and
// after it on Windows; letters, digits and CJK names order alike on both.)
int CompareRegistryNames(std::string_view a, std::string_view b);

}  // namespace tovr
