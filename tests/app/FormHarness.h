// A main window on fakes for the app tests: the ports are fakes, the tools' operations are
// recorded in one log together with the start-up steps, the message boxes and the window
// layer's requests, so a test can check what happened and in which order.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainForm.h"
#include "base/Text.h"
#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeToolPorts.h"
#include "fakes/MemoryFileSystem.h"

namespace tovr::app {

inline constexpr char kExePath[] = "C:\\Tovr\\Tovrane.exe";
inline constexpr char kConfigPath[] = "C:\\Tovr\\Config.ini";
inline constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class RecordingForm : public TKWForm {
 public:
  RecordingForm(AppPorts ports, std::vector<std::string>& log) : TKWForm(ports), log_(log) {}

  std::vector<ShortcutMenuRow> rows;           // what ShortcutRows answers
  std::optional<std::string> selectedWallpaper;
  bool iconsVisible = true;
  std::function<void()> onMemoryMonitorTimer;  // OnMemoryMonitorTimer's body

  void SetMainWindowAlpha(int a) override { Note("SetMainWindowAlpha(" + std::to_string(a) + ")"); }
  void SetTaskbarAlpha(int a) override { Note("SetTaskbarAlpha(" + std::to_string(a) + ")"); }
  void SetStartMenuAlpha(int a) override { Note("SetStartMenuAlpha(" + std::to_string(a) + ")"); }
  void SetDesktopIconsHidden(bool hidden, bool now) override {
    Note("SetDesktopIconsHidden(" + std::to_string(hidden) + "," + std::to_string(now) + ")");
  }
  bool DesktopIconsVisible() override { return iconsVisible; }
  void ApplyIconStyle() override { Note("ApplyIconStyle"); }
  void PickNextWallpaper() override { Note("PickNextWallpaper"); }
  void LoadShortcuts() override { Note("LoadShortcuts"); }
  void LoadWallpaperList() override { Note("LoadWallpaperList"); }
  void ClearStartupList() override { Note("ClearStartupList"); }
  void LoadStartupEntries() override { Note("LoadStartupEntries"); }
  void ApplyStartupEntries() override { Note("ApplyStartupEntries"); }
  void SaveShortcuts(bool grouped) override {
    Note("SaveShortcuts(" + std::to_string(grouped) + ")");
  }
  void SaveWallpaperList() override { Note("SaveWallpaperList"); }
  std::optional<std::string> SelectedWallpaperPath() override { return selectedWallpaper; }
  void ApplyAnimatedWallpaper() override { Note("ApplyAnimatedWallpaper"); }
  void SetWallpaper(const std::string& path) override { Note("SetWallpaper(" + path + ")"); }
  void CreateShortcutGroups() override { Note("CreateShortcutGroups"); }
  void AddShortcutMenuItem(const std::string& name, const std::string&, bool grouped,
                           int icon) override {
    Note("AddShortcutMenuItem(" + name + "," + std::to_string(grouped) + "," +
         std::to_string(icon) + ")");
  }
  std::vector<ShortcutMenuRow> ShortcutRows() override { return rows; }
  void SelectShortcutRow(int i) override { Note("SelectShortcutRow(" + std::to_string(i) + ")"); }
  void OnMemoryMonitorTimer() override {
    Note("OnMemoryMonitorTimer");
    if (onMemoryMonitorTimer) onMemoryMonitorTimer();
  }

 private:
  void Note(std::string s) { log_.push_back(std::move(s)); }
  std::vector<std::string>& log_;
};

struct FormHarness : FakeToolPorts {
  FormHarness() {
    fs.AddDirectory("C:\\Tovr");
    env.exePath = kExePath;
    messages.log = &log;
    ui.log = &log;
  }

  // A Config.ini holding [Option] with these lines (UTF-8 here, GBK in the file).
  void GivenOptions(std::string_view lines) {
    fs.SetFile(kConfigPath, text::Utf8ToGbk("[Option]\r\n" + std::string(lines)));
  }
  std::string ConfigText() const {
    return text::GbkToUtf8(fs.File(kConfigPath).value_or("<missing>"));
  }

  AppPorts Ports() {
    return AppPortsWith(env, messages, ui, fs, registry);
  }

  RecordingForm& NewForm() {
    form = std::make_unique<RecordingForm>(Ports(), log);
    form->onStartupStep = [this](int n) { log.push_back("step " + std::to_string(n)); };
    return *form;
  }
  // A new form that has run its start-up sequence; the log starts empty afterwards.
  // Start-up and its first idle moment.
  RecordingForm& Started() {
    NewForm().StartUp();
    form->AttachLaterIcons();
    log.clear();
    return *form;
  }

  // The settings page shown once, as the user does it.
  void VisitSettingsPage() {
    form->ShowMainWindow();
    form->pageControl.UserSelect(kPageSettings);
  }

  bool Logged(std::string_view entry) const {
    return std::find(log.begin(), log.end(), entry) != log.end();
  }
  // Position of an entry in the log; log.size() when absent.
  std::size_t IndexOf(std::string_view entry) const {
    return static_cast<std::size_t>(std::find(log.begin(), log.end(), entry) - log.begin());
  }

  std::vector<std::string> log;
  FakeEnvironment env;
  FakeMessageBox messages;
  FakeShellUi ui;
  MemoryFileSystem fs;
  FakeRegistry registry;
  std::unique_ptr<RecordingForm> form;
};

}  // namespace tovr::app
