#include "startup/StartupPage.h"

#include <algorithm>

#include "startup/CommandLine.h"
#include "startup/StartupStore.h"

namespace tovr::startup {

namespace {

// The file name without its folder (after the last "\" or drive colon).
std::string FileNameOf(const std::string& path) {
  const std::size_t at = path.find_last_of("\\:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

StartupPage::StartupPage(StartupPagePorts ports)
    : LR([&system = ports.system](const std::string& a, const std::string& b) { return system.CompareNames(a, b); }),
      ports_(ports) {
  LR.OnChange = [this] { startupChanged = true; };
}

void StartupPage::LoadStartupEntries() {
  LoadStartupRows(LR, ports_.registry, [this](const std::string& command) { return CommandIconIndex(command); });
}

void StartupPage::ApplyStartupEntries() { ApplyStartupRows(LR, ports_.registry); }

int StartupPage::CommandIconIndex(const std::string& command) {
  return startup::CommandIconIndex(command, ports_.files, ports_.icons, ports_.system);
}

void StartupPage::bNClick() {
  const std::optional<std::string> file = ports_.dialogs.ChooseFile();
  if (!file) return;
  StartupEntry e;
  e.name = FileNameOf(*file);
  e.command = *file;
  e.location = kCurrentUserLabel;
  e.enabled = true;
  e.iconIndex = ports_.icons.ShellIconIndex(*file);
  LR.Add(std::move(e));
}

void StartupPage::bdClick() {
  const std::vector<std::size_t> selected = LR.SelectedRows();
  if (selected.empty()) return;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) LR.Remove(*it);
  if (!LR.Empty()) LR.SelectOnly(std::min(selected.front(), LR.Count() - 1));
}

void StartupPage::bCClick() {
  const std::optional<std::size_t> row = LR.FirstSelected();
  if (!row) return;
  const std::optional<std::string> file = ports_.dialogs.ChooseFile();
  if (!file) return;
  LR.SetCommand(*row, *file, ports_.icons.ShellIconIndex(*file));
}

void StartupPage::LRDblClick() {
  if (const std::optional<std::size_t> row = LR.FirstSelected()) {
    ports_.shell.Open("open", LR[*row].command, "", "", kShowHidden);
  }
}

}  // namespace tovr::startup
