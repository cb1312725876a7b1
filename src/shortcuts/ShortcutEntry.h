// One row of the shortcut list and the rules that classify and name a target.
//
// Text is UTF-8 inside; orders that are defined on code page 936 bytes are computed on the GBK
// encoding (see CompareShortcutText).
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tovr::shortcuts {

// The kind of a target, computed from its text and the file system, never stored. The values
// are the ones the program has always used.
enum class TargetKind : int { Missing = 0, Url = 1, File = 2, Folder = 3 };

// Type texts shown in the "类型" column.
inline constexpr char kTypeMissing[] = "不存在";
inline constexpr char kTypeUrl[] = "网址";
inline constexpr char kTypeFile[] = "文件";
inline constexpr char kTypeFolder[] = "文件夹";

// Column indexes of the list (SortColumn) and their captions and widths.
inline constexpr int kColumnName = 0;
inline constexpr int kColumnTarget = 1;
inline constexpr int kColumnType = 2;
inline constexpr char kColumnNameCaption[] = "文件名别称";
inline constexpr char kColumnTargetCaption[] = "所执行的文件";
inline constexpr char kColumnTypeCaption[] = "类型";
inline constexpr int kColumnNameWidth = 120;
inline constexpr int kColumnTargetWidth = 230;
inline constexpr int kColumnTypeWidth = 50;

// The icon of an entry that the start-up loaded and whose icon is not looked up yet
// (ShortcutList::LeaveIconsForLater).
inline constexpr int kIconLater = -2;

struct ShortcutEntry {
  std::string name;      // the key in [Apps]
  std::string target;    // a file or folder path, or a web address
  std::string typeText;  // kTypeMissing, kTypeUrl, kTypeFile or kTypeFolder
  int iconIndex = 0;     // into the system small-icon list; kIconLater until it is looked up
  friend bool operator==(const ShortcutEntry&, const ShortcutEntry&) = default;
};

// An existing file wins over an existing folder, which wins over a text containing "://";
// anything else is missing.
TargetKind TargetKindOf(IFileSystem& files, const std::string& target);
// The kind the shortcut list and menu show. A target that is not on a local fixed drive is not
// touched (a server that does not answer would stall the start): a text with "://" is a web
// address, a last component with a "." a file, anything else a folder. It is looked at only
// when it is run.
TargetKind ListedKindOf(IFileSystem& files, const std::string& target);
const char* TypeTextOf(TargetKind kind);

// The name AddShortcut derives from a target of this kind: a file's name up to its first "."
// (C:\Tools\my.tool.exe -> "my"; no "." -> ""), a folder's last component ("" when the path ends
// with "\"), "" for a web address or a missing target.
std::string DerivedName(TargetKind kind, std::string_view target);


// True when the name can be a key of the [Apps] section and read back unchanged: not empty, no
// "=", no line break or other control character, no leading or trailing blank, not starting
// with "[" or ";".
bool IsStorableName(std::string_view name);

// The list's text order: the GBK encodings compared byte by byte (unsigned) with the single-byte
// letters a-z taken as A-Z; a text that is the start of another sorts first. Gives <0, 0, >0.
// In this order the type texts stand as "不存在", "网址", "文件", "文件夹".
int CompareShortcutText(std::string_view a, std::string_view b);
// The bytes CompareShortcutText compares, for callers that compare one text many times.
std::string ShortcutSortKey(std::string_view text);

}  // namespace tovr::shortcuts
