// One-shot commands of the tray menu and the side panel: the screen saver, the display
// properties, the CD drive's door, mail to the maker, the home page and the help file. Each
// hands one request to Windows and keeps no state. The forwarding controls (authorItem -> mailButton,
// homePageItem -> homePageButton, helpButton -> helpItem) are the main window's: they click their target, so the
// target's rules (the help item's enabled state) apply.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "tweaks/QuickShell.h"

namespace tovr::tweaks {

// The maker's endpoints: placeholders until the project has its own (reserved .example
// domain). The side buttons' hints and the mail and home page commands use them.
inline constexpr char kHomePageUrl[] = "http://www.tovrane.example/";
inline constexpr char kFeedbackAddress[] = "tovrane@tovrane.example";

// Subjects of the two mails, passed unchanged (no percent-encoding).
inline constexpr char kMailSubject[] = "Tovrane用户";
inline constexpr char kFeedbackSubject[] = "Tovrane 意见或建议";

inline constexpr char kOpenCdDoor[] = "Set cdaudio door open wait";
inline constexpr char kCloseCdDoor[] = "set cdaudio door closed";

inline constexpr char kNoScreenSaverText[] = "当前没有设定屏幕保护程序。";
inline constexpr char kNoHelpText[] = "帮助文件不存在，请检查目标文件。";
inline constexpr char kQuickErrorCaption[] = "错误";
inline constexpr unsigned kNoScreenSaverFlags = kMbIconStop | kMbDefButton2;  // 0x110 (one button)
inline constexpr unsigned kNoHelpFlags = kMbIconExclamation | kMbOk | kMbSystemModal;  // 0x1030

class QuickActions {
 public:
  // `helpPath`: "help.chm" beside the executable.
  QuickActions(TweaksSystemPorts system, IFileSystem& files, IMessageBox& messages, std::string helpPath)
      : shell_(system.quickShell), files_(files), messages_(messages), helpPath_(std::move(helpPath)) {}

  // "运行屏幕保护程序": starts the screen saver when one is set, else says there is none.
  void OnScreenSaverItemClicked();
  // 打开"显示属性": the display control panel through rundll32, hidden.
  void OnDisplayPropertiesItemClicked();
  // "打开光驱" / "关闭光驱".
  void OnOpenCdDriveItemClicked();
  void OnCloseCdDriveItemClicked();
  // The side button's mail (also the author item) and the feedback item's mail.
  void OnMailButtonClicked();
  void OnFeedbackItemClicked();
  // The home page (also "访问主页").
  void OnHomePageButtonClicked();
  // "帮助": opens the help file, or says it is missing (it vanished after start-up: the item
  // is enabled only when the file existed then).
  void OnHelpItemClicked();

  bool HelpFileExists() { return files_.FileExists(helpPath_); }

 private:
  void Mail(const char* subject);

  IQuickShell& shell_;
  IFileSystem& files_;
  IMessageBox& messages_;
  std::string helpPath_;
};

}  // namespace tovr::tweaks
