// What the main window's logic asks of the system and of the window layer. The Win32 adapters
// live in app/win32; tests use small fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "memory/MemoryPorts.h"
#include "base/LocalDateTime.h"
#include "desktop/DesktopPorts.h"
#include "platform/ActiveDesktop.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "platform/ShellDialogs.h"
#include "platform/ShellExecute.h"
#include "platform/ShellPorts.h"
#include "transparency/WindowSystem.h"
#include "startup/StartupSystem.h"
#include "update/HttpClient.h"
#include "update/Notifier.h"
#include "update/UpdateSystem.h"
#include "tweaks/QuickShell.h"
#include "wallpaper/WallpaperPorts.h"

namespace tovr::app {

// A local date and time (the executable's last-write time).
using tovr::LocalDateTime;

// Facts about the running program and the machine.
class IEnvironment {
 public:
  virtual ~IEnvironment() = default;
  // The running executable's full path ("C:\Tools\Tovrane.exe").
  virtual std::string ExePath() = 0;
  // Height of the primary screen in pixels.
  virtual int ScreenHeight() = 0;
  // Milliseconds since the system started; wraps at 2^32.
  virtual std::uint32_t TickCount() = 0;
  // The temporary directory with its trailing backslash.
  virtual std::string TempPath() = 0;
  // The user's roaming application-data folder (%APPDATA%), without a trailing separator;
  // empty when the system has none.
  virtual std::string AppDataPath() = 0;
  // Total physical memory in bytes.
  virtual std::uint64_t TotalPhysicalMemory() = 0;
  // The executable's last-write time in local time; nullopt when it cannot be read.
  virtual std::optional<LocalDateTime> ExeFileTime() = 0;
};

// Requests of the main window's logic to the window layer.
class IShellUi {
 public:
  virtual ~IShellUi() = default;
  // Restores the application's hidden owner window, makes the main window visible and brings
  // it to the foreground. (TKWForm has already run OnFormShown when it was hidden before.)
  virtual void ShowMainWindow() = 0;
  // Hides the main window and the application's owner window.
  virtual void HideMainWindow() = 0;
  // Switches acceptance of files dropped from Explorer onto the main window.
  virtual void AcceptFiles(bool accept) = 0;
  // Ends the message loop; the tray icon is removed as the program ends.
  virtual void QuitApplication() = 0;
  // Start-up step 2: the window's outer height.
  virtual void SetOuterHeight(int height) = 0;
  // Start-up step 3: the window's icon and the tray icon become the application's icon.
  virtual void ApplyApplicationIcon() = 0;
  // Start-up step 8: the owner window gets the tool-window style (no taskbar button).
  virtual void MakeOwnerToolWindow() = 0;
  // Start-up step 13: from now on minimising the application hides the main window (the view
  // then calls TKWForm::OnApplicationMinimized).
  virtual void InstallMinimizeHandler() = 0;
  // Start-up step 15: the three lists and the tray menu use the system's small-icon list.
  virtual void ShareSystemImageList() = 0;
  // The tray icon's tooltip.
  virtual void SetTrayHint(const std::string& hint) = 0;
  // The system-wide hotkey that opens the tray menu at the pointer (see HotKey.h; 0: none).
  // The key held before is released first. False when another program holds the key.
  virtual bool SetMenuHotKey(std::uint16_t value) = 0;
};

// The ports the main window works through, handed to its constructor.
// The ports the main form is built from: those several tools share, then each tool's own
// bundle, which the form hands to the tool whole. A port of one tool is added to its bundle (in
// the tool's folder), to the program's wiring (app/win32/WinMain.cpp) and to the tests' wiring
// (tests/fakes/FakeToolPorts.h), and nowhere else.
struct AppPorts {
  IEnvironment& env;
  IMessageBox& messages;
  IShellUi& ui;
  IFileSystem& files;
  IRegistry& registry;
  IShellIcons& icons;   // the system small-icon list
  IShellLinks& links;   // shell link (".lnk") files
  IShellExecute& shell; // starting targets
  IShellDialogs& dialogs;  // file and folder pickers, the web-address dialog
  IActiveDesktopObject& activeDesktop;  // the shell's Active Desktop object
  transparency::TransparencySystemPorts transparency;  // top-level windows and their alpha
  memory::MemorySystemPorts memory;      // memory status and processor load, the defragmenter's blocks
  startup::StartupSystemPorts startup;   // search path, locale order, Startup folders
  update::UpdateSystemPorts update;      // HTTP client, folder chooser and file move, the notifier
  tweaks::TweaksSystemPorts tweaks;      // the quick actions' shell, screen saver and CD door
  wallpaper::WallpaperSystemPorts wallpaper;  // the system wallpaper call, the picture dialogs
  desktop::DesktopSystemPorts desktop;   // the desktop's icon list view, the colour dialog
};

}  // namespace tovr::app
