// An icon page on fakes: the desktop's list view, the colour dialog, the registry, the Active
// Desktop object, the file system holding C:\Tovr and the message boxes.
#pragma once

#include "desktop/IconPage.h"
#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeRegistry.h"
#include "fakes/MemoryFileSystem.h"

namespace tovr::desktop {

inline constexpr char kLayoutPath[] = "C:\\Tovr\\IconLayout.ini";

struct PageHarness {
  PageHarness() {
    activeDesktop.Ensure();
    fs.AddDirectory("C:\\Tovr");
  }
  std::uint32_t Value(const char* key, const char* name) const {
    auto v = registry.Peek(RegRoot::CurrentUser, key, name);
    return v && v->type == RegType::Dword ? v->data[0] : 99;
  }

  FakeDesktopListView listView;
  FakeColourDialog dialog;
  FakeSystemColours colours;
  FakeRegistry registry;
  FakeActiveDesktop activeDesktop;
  MemoryFileSystem fs;
  FakeMessageBox messages;
  controls::MenuItem hideIconsItem{"hideIconsItem", "隐藏桌面所有图标"};
  bool activeDesktopOn = false;
  IconPage page{
      {{listView, dialog, colours}, registry, activeDesktop, fs, messages, "Tovrane", kLayoutPath},
      hideIconsItem,
      activeDesktopOn};
};

}  // namespace tovr::desktop
