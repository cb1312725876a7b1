#include "startup/StartupPage.h"

#include <algorithm>

#include "startup/CommandLine.h"

namespace tovr::startup {

namespace {

// The file name without its folder (after the last "\" or drive colon).
std::string FileNameOf(const std::string& path) {
  const std::size_t at = path.find_last_of("\\:");
  return at == std::string::npos ? path : path.substr(at + 1);
}

}  // namespace

StartupPage::StartupPage(StartupPagePorts ports)
    : LR([&system = ports.system](const std::string& name) { return system.SortKey(name); }),
      ports_(ports) {
  LR.OnChange = [this] { startupChanged = true; };
}

void StartupPage::LoadStartupEntries() {
  LoadStartupRows(LR, StorePorts(), [this](const std::string& command) { return CommandIconIndex(command); });
}

void StartupPage::ApplyStartupEntries() { ApplyStartupRows(LR, StorePorts()); }

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
  if (!LR[*row].file.empty() && !IsShellLinkPath(LR[*row].file)) {
    ports_.messages.Show(kFolderOnlyLinksText, kStartupPageCaption, kMbOk | kMbIconInformation);
    return;
  }
  const std::optional<std::string> file = ports_.dialogs.ChooseFile();
  if (!file) return;
  LR.SetCommand(*row, *file, ports_.icons.ShellIconIndex(*file));
}

void StartupPage::LRDblClick() {
  if (const std::optional<std::size_t> row = LR.FirstSelected()) {
    const StartupEntry& e = LR[*row];
    ports_.shell.Open("open", e.file.empty() ? e.command : e.file, "", "", kShowHidden);
  }
}

void StartupPage::LRTicked(std::size_t row, bool ticked) {
  if (!ticked && !LR[row].file.empty() && !ports_.system.HasStartupApproved()) {
    ports_.messages.Show(kFolderCannotBeOffText, kStartupPageCaption, kMbOk | kMbIconInformation);
    LR.ShowAgain(row);
    return;
  }
  LR.SetEnabled(row, ticked);
}

}  // namespace tovr::startup
