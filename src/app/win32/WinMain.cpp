// Program entry: the single-instance guard, then the main window with its tray icon, the
// start-up sequence and the message loop. A second instance asks whether to open the running
// one's main window, posts it the show request and exits.
#include <windows.h>
#include <ole2.h>

#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/win32/MainWindow.h"
#include "app/win32/Win32Environment.h"
#include "memory/win32/Win32BlockAllocator.h"
#include "memory/win32/Win32MemoryMonitor.h"
#include "desktop/win32/Win32ColourDialog.h"
#include "desktop/win32/Win32DesktopListView.h"
#include "desktop/win32/Win32SystemColours.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/Win32ActiveDesktop.h"
#include "platform/win32/Win32MessageBox.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/ProcessFigures.h"
#include "platform/win32/Win32ShellDialogs.h"
#include "platform/win32/Win32ShellExecute.h"
#include "platform/win32/Win32ShellIcons.h"
#include "platform/win32/Win32ShellLinks.h"
#include "transparency/win32/Win32WindowSystem.h"
#include "startup/win32/Win32StartupSystem.h"
#include "update/win32/NotifierWindow.h"
#include "update/win32/Win32UpdateSystem.h"
#include "update/win32/WinHttpClient.h"
#include "tweaks/win32/Win32QuickShell.h"
#include "wallpaper/win32/Win32PictureDialogs.h"
#include "wallpaper/win32/Win32WallpaperSystem.h"

namespace {

using namespace tovr;
using namespace tovr::app;

constexpr wchar_t kMutexName[] = L"KW";
constexpr wchar_t kRunningText[] = L"Tovrane正在运行！\r\r是否打开Tovrane主窗口？";
constexpr wchar_t kRunningCaption[] = L"注意";

// A second instance: ask, and on Yes ask the first one to show its main window. The user's
// answer makes this process the foreground one; Windows lets the first instance take the
// foreground only when this one passes it on.
int RunSecondInstance(HANDLE mutex) {
  if (MessageBoxW(nullptr, kRunningText, kRunningCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
    if (HWND first = FindWindowW(app::win32::MainWindow::kClassName, nullptr)) {
      DWORD firstProcess = 0;
      GetWindowThreadProcessId(first, &firstProcess);
      AllowSetForegroundWindow(firstProcess);
      PostMessageW(first, kShowRequestMessage, 0, 0);
    }
  }
  CloseHandle(mutex);
  return 0;
}

int RunMessageLoop(HWND main) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    CountWakeUp();
    // Tab and the arrow keys move between the main window's controls.
    if (main && IsWindow(main) && IsDialogMessageW(main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The mutex stays open until the process ends. Without a handle at all the program runs
  // as the first instance.
  HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) return RunSecondInstance(mutex);

  app::win32::Win32Environment env;
  Win32MessageBox boxes;
  Win32FileSystem files;
  Win32Registry registry;
  Win32ShellIcons icons;
  Win32ShellLinks links;
  Win32ShellExecute shell;
  Win32ShellDialogs dialogs;
  Win32ActiveDesktop activeDesktop;
  transparency::win32::Win32WindowSystem windowSystem;
  memory::win32::Win32MemoryMonitor memoryMonitor;
  memory::win32::Win32BlockAllocator memoryBlocks;
  startup::win32::Win32StartupSystem startupSystem;
  update::win32::WinHttpClient http;
  update::win32::Win32UpdateSystem updateSystem;
  update::win32::NotifierWindow notifier(instance);
  tweaks::win32::Win32QuickShell quickShell;
  wallpaper::win32::Win32WallpaperSystem wallpaperSystem;
  wallpaper::win32::Win32PictureDialogs pictureDialogs;
  desktop::win32::Win32DesktopListView desktopListView;
  desktop::win32::Win32ColourDialog colourDialog;
  desktop::win32::Win32SystemColours systemColours;
  app::win32::MainWindow window(instance);
  int exitCode = 0;
  {
    TKWForm form(AppPorts{env,
                          boxes,
                          window,
                          files,
                          registry,
                          icons,
                          links,
                          shell,
                          dialogs,
                          activeDesktop,
                          {windowSystem},
                          {memoryMonitor, memoryBlocks},
                          {startupSystem},
                          {http, updateSystem, notifier},
                          {quickShell},
                          {wallpaperSystem, pictureDialogs},
                          {desktopListView, colourDialog, systemColours}});
    if (!window.Create(form, ApplicationTitle(form.exePath))) {
      MessageBoxW(nullptr, L"Unable to create the main window.", L"Tovrane", MB_OK | MB_ICONSTOP);
      return 1;
    }
    // After the tray icon is in (Create adds it first): OLE for the drop targets of start-up.
    TOVR_LATE(ole32, OleInitialize)(nullptr);
    boxes.owner = window.Handle();
    windowSystem.mainWindow = window.Handle();
    shell.owner = window.Handle();
    quickShell.mciCallback = window.Handle();
    dialogs.owner = window.Handle();
    colourDialog.owner = window.Handle();
    dialogs.anchorWindow = [&](std::string_view name) -> HWND {
      auto* control = form.FindControl(name);
      return control ? window.ControlWindow(*control) : nullptr;
    };
    pictureDialogs.owner = window.Handle();
    pictureDialogs.chooseFolder = [&](const std::string& title) { return dialogs.ChooseFolder(title); };
    pictureDialogs.dropDownMenu = [&](controls::MenuItem& menu, std::string_view anchor) {
      dialogs.DropDownMenu(menu, anchor);
    };
    window.onFilesDropped = [&form](const std::vector<std::string>& paths) { form.OnFormFilesDropped(paths); };
    const auto guard = [&form](const std::string& name, const std::function<void()>& action) { form.Dispatch(name, action); };
    http.SetGuard(guard);
    updateSystem.owner = window.Handle();
    notifier.Attach(form.updateCheck.notifier, window.Owner(), window.Handle(),
                    reinterpret_cast<HICON>(GetClassLongPtrW(window.Handle(), GCLP_HICON)), guard);
    window.RegisterUrlDrop();  // start-up step 9: urlDropPanel takes dropped web links
    form.onStartupStep = [](int step) { MarkStartupStep(step); };
    window.Tray().HoldMenu();
    form.StartUp();  // the window stays hidden: the program lives in the tray
    MarkReady();
    window.Tray().ReleaseMenu();  // a click during the sequence opens the complete menu now
    window.CreateControlsWhenIdle();
    exitCode = RunMessageLoop(window.Handle());
    boxes.owner = nullptr;
    window.Destroy();  // the tray icon goes; nothing is saved
    notifier.Detach();
    http.Disconnect();
    activeDesktop.Reset();
    TOVR_LATE(ole32, OleUninitialize)();
  }
  return exitCode;
}
