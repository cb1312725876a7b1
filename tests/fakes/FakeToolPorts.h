// The fakes of the tools' system ports, and the one place in the tests that wires them into
// the main form's ports. Each harness that makes a TKWForm holds one and gives it the
// environment, message boxes, window layer, files and registry it keeps itself; a new port
// of a tool is added here and nowhere else in the tests.
#pragma once

#include "app/AppPorts.h"
#include "fakes/FakeActiveDesktop.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeMemory.h"
#include "fakes/FakeQuickShell.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellDialogs.h"
#include "fakes/FakeShellExecute.h"
#include "fakes/FakeStartupSystem.h"
#include "fakes/FakeUpdate.h"
#include "fakes/FakeWallpaperSystem.h"
#include "fakes/FakeWindowSystem.h"

namespace tovr {

struct FakeToolPorts {
  app::AppPorts AppPortsWith(app::IEnvironment& env, IMessageBox& messages, app::IShellUi& ui, IFileSystem& files,
                             IRegistry& registry) {
    return {env,
            messages,
            ui,
            files,
            registry,
            icons,
            links,
            shell,
            dialogs,
            activeDesktop,
            {windows},
            {memoryMonitor, memoryBlocks},
            {startupSystem},
            {http, updateSystem, notifierWindow},
            {quickShell},
            {wallpaperSystem, pictureDialogs},
            {desktopListView, colourDialog, systemColours}};
  }

  FakeShellIcons icons;
  FakeShellLinks links;
  FakeShellExecute shell;
  FakeShellDialogs dialogs;
  FakeActiveDesktop activeDesktop;
  FakeWindowSystem windows;
  FakeMemoryMonitor memoryMonitor;
  FakeBlockAllocator memoryBlocks;
  startup::FakeStartupSystem startupSystem;
  update::FakeHttpClient http;
  update::FakeUpdateSystem updateSystem;
  update::FakeNotifierWindow notifierWindow;
  FakeQuickShell quickShell;
  wallpaper::FakeWallpaperSystem wallpaperSystem;
  wallpaper::FakePictureDialogs pictureDialogs;
  desktop::FakeDesktopListView desktopListView;
  desktop::FakeColourDialog colourDialog;
  desktop::FakeSystemColours systemColours;
};

}  // namespace tovr
