// The dialogs and pop-up menus the editing commands of the shortcut page open: the file-open
// dialog, the shell's folder browser, the web-address dialog and the drop-down menus below
// the side buttons. The Win32 adapter is platform/win32/Win32ShellDialogs; tests use a fake
// that answers from a script.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovr::controls {
class MenuItem;
}

namespace tovr {

// The file dialog's filter: all files (preselected), then programs.
inline constexpr char kOpenFilter[] = "*.*|*.*|*.exe|*.exe";
inline constexpr char kFolderBrowserTitle[] = "请指定要选择的文件夹";

// The web-address dialog's texts.
inline constexpr char kUrlDialogCaption[] = "添加";
inline constexpr char kUrlQuestionDrop[] = "是否添加以下网址到我的收藏夹？";  // the question for a drop
inline constexpr char kUrlQuestionChange[] = "请确定新的标题和链接";          // the question for a change
inline constexpr char kUrlTitleLabel[] = "标题";
inline constexpr char kUrlLinkLabel[] = "链接";
inline constexpr char kUrlYes[] = "是";
inline constexpr char kUrlNo[] = "否";
inline constexpr char kProtocolMessage[] = "请保留网址的协议（前面的http://或ftp://等）";
inline constexpr char kProtocolCaption[] = "错误";

// "是" (or Enter) closes the dialog only when the link keeps a protocol: it contains ":".
// Otherwise the dialog shows kProtocolMessage and stays open.
inline bool UrlLinkHasProtocol(std::string_view link) { return link.find(':') != std::string_view::npos; }

class IShellDialogs {
 public:
  virtual ~IShellDialogs() = default;
  // The file dialog: one existing file; nullopt when cancelled.
  virtual std::optional<std::string> ChooseFile() = 0;
  // The folder browser (file-system folders only, the tree from the desktop); nullopt when
  // cancelled or when the choice has no file-system path.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
  // ShowUrlDialog: the dialog shows `question`, `title` and `link` in its two boxes; modal. True when
  // accepted with "是"; then `title` and `link` hold the edited texts. While it is open the main
  // window leaves the stay-on-top state and the dialog takes it.
  virtual bool ShowUrlDialog(const std::string& question, std::string& title, std::string& link) = 0;
  // Drops `menu`'s items down below the side button `anchor` (its bottom-left corner) and
  // clicks the chosen one before returning; nothing when the menu is dismissed.
  virtual void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) = 0;
};

}  // namespace tovr
