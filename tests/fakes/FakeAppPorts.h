// Fakes of the main window's ports (app/AppPorts.h): a fixed environment, message boxes that
// record what they showed and answer from a script, and a window layer that records requests.
// All three can append to one shared log, so a test sees the order across ports.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/AppPorts.h"

namespace tovr {

class FakeEnvironment final : public app::IEnvironment {
 public:
  std::string exePath = "C:\\Tovr\\Tovrane.exe";
  int screenHeight = 768;
  std::uint32_t tickCount = 123456;
  std::string tempPath = "C:\\Temp\\";
  std::string appDataPath = "C:\\Users\\Li\\AppData\\Roaming";
  std::uint64_t totalPhysicalMemory = 512ull << 20;
  std::optional<app::LocalDateTime> exeFileTime = app::LocalDateTime{2004, 5, 6, 7, 8, 9, 0};

  std::string ExePath() override { return exePath; }
  int ScreenHeight() override { return screenHeight; }
  std::uint32_t TickCount() override { return tickCount; }
  std::string TempPath() override { return tempPath; }
  std::string AppDataPath() override { return appDataPath; }
  std::uint64_t TotalPhysicalMemory() override { return totalPhysicalMemory; }
  std::optional<app::LocalDateTime> ExeFileTime() override { return exeFileTime; }
};

class FakeMessageBox final : public IMessageBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    unsigned flags = 0;
  };

  std::vector<Shown> shown;
  std::vector<std::string>* log = nullptr;  // gets "box <caption>"
  int answer = kIdOk;                  // returned unless `onShow` gives an answer
  // Runs while the box is "open", as the modal loop would dispatch other events; returns the
  // button pressed, or nullopt for `answer`.
  std::function<std::optional<int>(const Shown&)> onShow;

  int Show(const std::string& text, const std::string& caption, unsigned flags) override {
    shown.push_back({text, caption, flags});
    if (log) log->push_back("box " + caption);
    if (onShow) {
      if (std::optional<int> a = onShow(shown.back())) return *a;
    }
    return answer;
  }
};

class FakeShellUi final : public app::IShellUi {
 public:
  std::vector<std::string> calls;           // every request, in order
  std::vector<std::string>* log = nullptr;  // the same, prefixed "ui."
  bool visible = false;
  std::optional<bool> acceptsFiles;
  bool quitRequested = false;
  std::string trayHint;

  void ShowMainWindow() override { Record("ShowMainWindow"); visible = true; }
  void HideMainWindow() override { Record("HideMainWindow"); visible = false; }
  void AcceptFiles(bool accept) override {
    Record(accept ? "AcceptFiles(1)" : "AcceptFiles(0)");
    acceptsFiles = accept;
  }
  void QuitApplication() override { Record("QuitApplication"); quitRequested = true; }
  void SetOuterHeight(int height) override {
    Record("SetOuterHeight(" + std::to_string(height) + ")");
  }
  void ApplyApplicationIcon() override { Record("ApplyApplicationIcon"); }
  void MakeOwnerToolWindow() override { Record("MakeOwnerToolWindow"); }
  void InstallMinimizeHandler() override { Record("InstallMinimizeHandler"); }
  void ShareSystemImageList() override { Record("ShareSystemImageList"); }
  void SetTrayHint(const std::string& hint) override { Record("SetTrayHint"); trayHint = hint; }
  std::set<std::uint16_t> takenHotKeys;  // held by other programs
  std::uint16_t menuHotKey = 0;          // the key held now
  bool SetMenuHotKey(std::uint16_t value) override {
    Record("SetMenuHotKey(" + std::to_string(value) + ")");
    menuHotKey = takenHotKeys.count(value) ? 0 : value;
    return !takenHotKeys.count(value);
  }

 private:
  void Record(std::string call) {
    if (log) log->push_back("ui." + call);
    calls.push_back(std::move(call));
  }
};

}  // namespace tovr
