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
    : startupList([&system = ports.system](const std::string& name) { return system.SortKey(name); }), ports_(ports) {
  startupList.OnChange = [this] { startupChanged = true; };
}

void StartupPage::LoadStartupEntries() {
  LoadStartupRows(startupList, StorePorts(), [this, path = std::string()](const std::string& command) mutable {
    return CommandIconIndex(command, path, ports_.files, ports_.icons, ports_.system);
  });
}

void StartupPage::ApplyStartupEntries() { ApplyStartupRows(startupList, StorePorts()); }

void StartupPage::OnAddButtonClicked() {
  const std::optional<std::string> file = ports_.dialogs.ChooseFile();
  if (!file) return;
  StartupEntry e;
  e.name = FileNameOf(*file);
  e.command = *file;
  e.location = kCurrentUserLabel;
  e.enabled = true;
  e.iconIndex = ports_.icons.ShellIconIndex(*file);
  startupList.Add(std::move(e));
}

void StartupPage::OnDeleteButtonClicked() {
  const std::vector<std::size_t> selected = startupList.SelectedRows();
  if (selected.empty()) return;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it) startupList.Remove(*it);
  if (!startupList.Empty()) startupList.SelectOnly(std::min(selected.front(), startupList.Count() - 1));
}

void StartupPage::OnModifyButtonClicked() {
  const std::optional<std::size_t> row = startupList.FirstSelected();
  if (!row) return;
  if (!startupList[*row].file.empty() && !IsShellLinkPath(startupList[*row].file)) {
    ports_.messages.Show(kFolderOnlyLinksText, kStartupPageCaption, kMbOk | kMbIconInformation);
    return;
  }
  const std::optional<std::string> file = ports_.dialogs.ChooseFile();
  if (!file) return;
  startupList.SetCommand(*row, *file, ports_.icons.ShellIconIndex(*file));
}

void StartupPage::OnStartupRowDoubleClicked() {
  if (const std::optional<std::size_t> row = startupList.FirstSelected()) {
    const StartupEntry& e = startupList[*row];
    ports_.shell.Open("open", e.file.empty() ? e.command : e.file, "", "", kShowHidden);
  }
}

void StartupPage::OnStartupRowTicked(std::size_t row, bool ticked) {
  if (!ticked && !startupList[row].file.empty() && !ports_.system.HasStartupApproved()) {
    ports_.messages.Show(kFolderCannotBeOffText, kStartupPageCaption, kMbOk | kMbIconInformation);
    startupList.ShowAgain(row);
    return;
  }
  startupList.SetEnabled(row, ticked);
}

}  // namespace tovr::startup
