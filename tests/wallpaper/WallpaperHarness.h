// A wallpaper page on fakes: the settings file and pictures in memory, the registry in memory,
// a recording Active Desktop object and system, and the desktop-icon hooks logged.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "base/Text.h"
#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeWallpaperSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "settings/SettingsFile.h"
#include "wallpaper/WallpaperPage.h"

namespace tovr::wallpaper {

inline constexpr char kConfig[] = "C:\\Tovr\\Config.ini";

struct WallpaperHarness {
  WallpaperHarness() {
    fs.AddDirectory("C:\\Tovr");
    fs.AddDirectory("C:\\WINDOWS");
  }

  // Config.ini with these lines (UTF-8 here, GBK in the file).
  void GivenConfig(std::string_view lines) { fs.SetFile(kConfig, text::Utf8ToGbk(lines)); }
  std::string ConfigText() const { return text::GbkToUtf8(fs.File(kConfig).value_or("")); }
  void GivenRows(std::initializer_list<const char*> paths) {
    for (const char* p : paths) page.wallpaperList.Add(p);
  }
  std::vector<std::string> Paths() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < page.wallpaperList.Count(); ++i) out.push_back(page.wallpaperList[i].path);
    return out;
  }
  std::vector<std::size_t> Selected() const { return page.wallpaperList.SelectedRows(); }
  void SetCurrent(const std::string& path) {
    registry.Put(RegRoot::CurrentUser, kRecordKey, "Wallpaper", RegValue::FromString(path));
  }
  std::string Current() const {
    auto v = registry.Peek(RegRoot::CurrentUser, kRecordKey, "Wallpaper");
    return v ? v->Text() : "<none>";
  }
  void SetShellStateByte4(std::uint8_t b, std::size_t length = 36) {
    std::vector<std::uint8_t> bytes(length, 0);
    bytes[0] = static_cast<std::uint8_t>(length);
    bytes[4] = b;
    registry.Put(RegRoot::CurrentUser, kExplorerKey, "ShellState", RegValue::FromBinary(bytes));
  }
  std::vector<std::uint8_t> ShellState() const {
    auto v = registry.Peek(RegRoot::CurrentUser, kExplorerKey, "ShellState");
    return v ? v->data : std::vector<std::uint8_t>{};
  }

  MemoryFileSystem fs;
  FakeRegistry registry;
  FakeMessageBox messages;
  FakeActiveDesktop activeDesktop;
  FakeWallpaperSystem system;
  FakePictureDialogs dialogs;
  std::minstd_rand random{7};
  bool activeDesktopOn = false;
  bool iconsVisible = true;
  std::vector<std::string> log;  // the desktop-icon hooks and the system wallpaper call
  TSettingsFile settings{fs, kConfig};
  WallpaperPage page{{{system, dialogs}, fs, registry, messages, activeDesktop,
                      [](const std::string& path) { return static_cast<int>(path.size()); }},
                     {[this] { log.push_back("ApplyIconStyle"); },
                      [this](bool hidden, bool now) {
                        log.push_back("SetDesktopIconsHidden(" + std::to_string(hidden) + "," + std::to_string(now) + ")");
                      },
                      [this] { return iconsVisible; }},
                     random,
                     activeDesktopOn};
};

}  // namespace tovr::wallpaper
