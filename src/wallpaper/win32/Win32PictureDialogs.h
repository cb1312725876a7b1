// IPictureDialogs on the real system: the picture dialog is GetOpenFileName with the picture
// filter and several files selectable; the folder chooser and the drop-down menus are the
// main window's (the composition root hands them in).
#pragma once

#include <windows.h>

#include <functional>

#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper::win32 {

class Win32PictureDialogs final : public IPictureDialogs {
 public:
  HWND owner = nullptr;  // the main window, once it exists
  std::function<std::optional<std::string>(const std::string& title)> chooseFolder;
  std::function<void(controls::MenuItem& menu, std::string_view anchor)> dropDownMenu;

  std::vector<std::string> ChoosePictures() override;
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    return chooseFolder ? chooseFolder(title) : std::nullopt;
  }
  void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) override {
    if (dropDownMenu) dropDownMenu(menu, anchor);
  }
};

// The files of a multiple-selection answer of GetOpenFileName: "folder\0name\0name\0\0", or
// one full path. Names are joined to the folder with one backslash.
std::vector<std::string> SplitOpenFileNames(const wchar_t* buffer);

}  // namespace tovr::wallpaper::win32
