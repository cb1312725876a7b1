// Starting a shortcut's target: a web address and a file are opened by the shell (a file in its
// own folder), a folder opens in an Explorer window, and a target that is neither any more gets
// a warning instead. The kind is worked out afresh at each start; the row's type text is not
// consulted. Used by the tray menu's shortcut entries and by a double-click in the list.
#pragma once

#include <string>

#include "platform/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/ShellExecute.h"

namespace tovr::shortcuts {

class ShortcutList;

inline constexpr char kMissingTargetMessage[] = "目标不存在，请检查后再运行。";
inline constexpr char kMissingTargetCaption[] = "错误";
inline constexpr unsigned kMissingTargetFlags =
    kMbOk | kMbIconExclamation | kMbSystemModal;  // 4144
inline constexpr char kOpenVerb[] = "open";
inline constexpr char kExploreVerb[] = "explore";

class ShortcutLauncher {
 public:
  ShortcutLauncher(IFileSystem& files, IShellExecute& shell, IMessageBox& messages)
      : files_(files), shell_(shell), messages_(messages) {}

  // RunTarget: web address -> "open", no working folder; file -> "open" in the text up to its
  // last "\" or ":"; folder -> "explore" with the same folder part (its parent); anything else
  // -> the missing-target warning, nothing started. Nothing is passed as parameters, and what
  // the shell answers is not examined.
  void RunTarget(const std::string& target);

  // OnShortcutRowDoubleClicked: runs the first selected row's target; with no row selected nothing happens.
  void OnShortcutRowDoubleClicked(const ShortcutList& list);

 private:
  IFileSystem& files_;
  IShellExecute& shell_;
  IMessageBox& messages_;
};

}  // namespace tovr::shortcuts
