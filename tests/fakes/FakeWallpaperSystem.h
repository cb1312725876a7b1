// The wallpaper changer's system side in memory: what the system wallpaper call was given, the
// window brought to the top, a fixed Windows folder and screen, and the Active Desktop support
// of the Windows being pretended.
#pragma once

#include <string>
#include <vector>

#include "controls/MenuItem.h"
#include "wallpaper/WallpaperPorts.h"

namespace tovr::wallpaper {

class FakeWallpaperSystem final : public IWallpaperSystem {
 public:
  std::vector<std::string> applied;  // ApplyDeskWallpaper's paths, in order
  bool applySucceeds = true;
  std::uintptr_t activeWindow = 0x1234;
  std::vector<std::uintptr_t> broughtToTop;
  bool nt = true;
  ActiveDesktopSupport support = ActiveDesktopSupport::Full;
  std::string windowsDirectory = "C:\\WINDOWS";
  int width = 1024, height = 768;

  bool ApplyDeskWallpaper(const std::string& path) override {
    applied.push_back(path);
    return applySucceeds;
  }
  std::uintptr_t ActiveWindow() override { return activeWindow; }
  void BringWindowToTop(std::uintptr_t window) override { broughtToTop.push_back(window); }
  bool IsNtPlatform() override { return nt; }
  ActiveDesktopSupport Support() override { return support; }
  std::string WindowsDirectory() override { return windowsDirectory; }
  int ScreenWidth() override { return width; }
  int ScreenHeight() override { return height; }
};

// The picture dialogs answering from queues (an empty queue: cancelled); every request logged.
class FakePictureDialogs final : public IPictureDialogs {
 public:
  std::vector<std::vector<std::string>> pictures;  // answers of ChoosePictures, first first
  std::vector<std::string> folders;                // answers of ChooseFolder, first first
  std::string menuChoice;                          // the item a drop-down menu clicks ("": none)
  std::vector<std::string> log;

  std::vector<std::string> ChoosePictures() override {
    log.push_back("pictures");
    if (pictures.empty()) return {};
    auto answer = pictures.front();
    pictures.erase(pictures.begin());
    return answer;
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    log.push_back("folder " + title);
    if (folders.empty()) return std::nullopt;
    auto answer = folders.front();
    folders.erase(folders.begin());
    return answer;
  }
  void DropDownMenu(controls::MenuItem& menu, std::string_view anchor) override {
    log.push_back("menu " + menu.Name() + " below " + std::string(anchor));
    if (controls::MenuItem* item = menuChoice.empty() ? nullptr : menu.Find(menuChoice)) item->Click();
  }
};

}  // namespace tovr::wallpaper
