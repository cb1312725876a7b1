// A startup page on fakes, with helpers for the four keys and the rows.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/FakeAppPorts.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "fakes/FakeShellDialogs.h"
#include "fakes/FakeShellExecute.h"
#include "fakes/FakeStartupSystem.h"
#include "fakes/MemoryFileSystem.h"
#include "startup/StartupPage.h"

namespace tovr::startup {

constexpr RegRoot kHklm = RegRoot::LocalMachine, kHkcu = RegRoot::CurrentUser;
constexpr bool kRun = true, kNeverRun = false;

struct StartupTestBed {
  void Put(RegRoot root, bool run, const std::string& name, const RegValue& v) {
    registry.Put(root, KeyPathOf(run), name, v);
  }
  void Put(RegRoot root, bool run, const std::string& name, const std::string& s) {
    Put(root, run, name, RegValue::FromString(s));
  }
  std::optional<RegValue> Peek(RegRoot root, bool run, const std::string& name) const {
    return registry.Peek(root, KeyPathOf(run), name);
  }
  std::vector<std::string> Rows() const {  // "name|command|location|ticked"
    std::vector<std::string> out;
    for (std::size_t i = 0; i < page.startupList.Count(); ++i) {
      const StartupEntry& e = page.startupList[i];
      out.push_back(e.name + "|" + e.command + "|" + std::string(e.location) + "|" + (e.enabled ? "1" : "0"));
    }
    return out;
  }
  std::size_t Row(const std::string& name, const char* location = kCurrentUserLabel) const {
    for (std::size_t i = 0; i < page.startupList.Count(); ++i) {
      if (page.startupList[i].name == name && page.startupList[i].location == location) return i;
    }
    throw std::logic_error("no row " + name);
  }

  FakeRegistry registry;
  MemoryFileSystem fs;
  FakeShellIcons icons;
  FakeShellExecute shell;
  FakeShellDialogs dialogs;
  FakeStartupSystem system;
  FakeShellLinks links;
  FakeMessageBox messages;
  StartupPage page{{{system}, registry, fs, icons, shell, dialogs, links, messages}};
};

}  // namespace tovr::startup
