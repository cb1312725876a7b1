// IShellDialogs on the real system: GetOpenFileName, SHBrowseForFolder, the web-address dialog
// (UrlDialog) and drop-down menus below the main window's side buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "platform/ShellDialogs.h"

namespace tovr {

class Win32ShellDialogs final : public IShellDialogs {
 public:
  // `owner` is the main window (set when it exists); `anchorWindow` finds a side button's
  // window by its control name.
  HWND owner = nullptr;
  std::function<HWND(std::string_view name)> anchorWindow;

  std::optional<std::string> ChooseFile() override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  bool ShowUrlDialog(const std::string& question, std::string& title, std::string& link) override;
  void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) override;
};

}  // namespace tovr
