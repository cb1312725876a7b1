// IconLayout.ini, where the desktop's icon positions are kept: UTF-16 LE with a byte-order mark
// (an icon's name may hold any character), one section per desktop size, one line per icon:
//
//   [1920x1080]
//   回收站=20,10
//   新建文件夹=20,95
//   新建文件夹 #2=20,180
//
// The name runs to the last '=' (a file name may hold '='; the value never does). Two icons of
// the same name are told apart by " #2", " #3", ... in the list view's order. Anything else in
// the file (no mark, a line that is neither a section nor an icon, a number out of range, a
// name or a section twice) makes the whole file damaged: nothing of it is used.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovr::desktop {

// A file larger than this is damaged (no desktop holds that many icons).
inline constexpr std::size_t kMaxLayoutFileBytes = 4u << 20;
// A position is sent to the list view as two 16-bit numbers.
inline constexpr int kMinIconCoordinate = -32768;
inline constexpr int kMaxIconCoordinate = 32767;

struct SavedIcon {
  std::string key;  // the icon's name, with " #n" for the second and later of a name
  int x = 0;
  int y = 0;
  friend bool operator==(const SavedIcon&, const SavedIcon&) = default;
};

struct LayoutSection {
  std::string size;  // "1920x1080"
  std::vector<SavedIcon> icons;
  friend bool operator==(const LayoutSection&, const LayoutSection&) = default;
};

struct IconLayoutFile {
  std::vector<LayoutSection> sections;

  const LayoutSection* Find(std::string_view size) const;
  // The section of that size takes the place of the old one, or is added at the end.
  void Replace(LayoutSection section);
};

struct ParsedLayout {
  std::optional<IconLayoutFile> file;  // nullopt: damaged
  int damagedLine = 0;                 // 1-based; 0 when the file as a whole is wrong
};

// An empty file holds no sections; anything else must be the format above.
ParsedLayout ParseIconLayout(std::string_view bytes);
std::string SerialiseIconLayout(const IconLayoutFile& file);

// The section name of a desktop of that size: "1920x1080".
std::string DesktopSizeName(int width, int height);

// The key of each name in list order: the name itself, or for a name met before the first of
// name + " #2", " #3", ... that no earlier icon holds.
std::vector<std::string> IconKeys(const std::vector<std::string>& names);

}  // namespace tovr::desktop
