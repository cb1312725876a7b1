#include "startup/StartupList.h"

#include <algorithm>
#include <numeric>

namespace tovr::startup {

StartupList::StartupList(Compare compareNames) : compare_(std::move(compareNames)) {}

void StartupList::AppendLoaded(std::vector<StartupEntry> rows) {
  if (rows.empty()) return;
  rows_.reserve(rows_.size() + rows.size());
  for (StartupEntry& e : rows) rows_.push_back({std::move(e), false});
  Sort();
  Notify(StartupListChange::Reset, 0);
}

void StartupList::Clear() {
  rows_.clear();
  removedValues_.clear();
  Notify(StartupListChange::Reset, 0);
}

void StartupList::Add(StartupEntry entry) {
  const std::size_t at = SortedPosition(entry.name);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), Row{std::move(entry), false});
  Notify(StartupListChange::Inserted, at);
  Edited();
}

void StartupList::Remove(std::size_t row) {
  if (rows_[row].entry.stored) removedValues_.push_back(*rows_[row].entry.stored);
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  Notify(StartupListChange::Removed, row);
  Edited();
}

void StartupList::SetEnabled(std::size_t row, bool enabled) {
  if (rows_[row].entry.enabled == enabled) return;
  rows_[row].entry.enabled = enabled;
  Notify(StartupListChange::Updated, row);
  Edited();
}

void StartupList::SetCommand(std::size_t row, std::string command, int iconIndex) {
  rows_[row].entry.command = std::move(command);
  rows_[row].entry.iconIndex = iconIndex;
  Notify(StartupListChange::Updated, row);
  Edited();
}

void StartupList::LREdited(std::size_t row, std::string name) {
  if (!Renamable(row)) return;
  rows_[row].entry.name = std::move(name);
  Sort();
  Notify(StartupListChange::Reset, 0);
  Edited();
}

void StartupList::SetSelected(std::size_t row, bool selected) {
  if (rows_[row].selected == selected) return;
  rows_[row].selected = selected;
  Notify(StartupListChange::Selection, row);
}

void StartupList::SelectOnly(std::size_t row) {
  for (std::size_t i = 0; i < rows_.size(); ++i) SetSelected(i, i == row);
}

std::vector<std::size_t> StartupList::SelectedRows() const {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) out.push_back(i);
  }
  return out;
}

std::optional<std::size_t> StartupList::FirstSelected() const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].selected) return i;
  }
  return std::nullopt;
}

std::size_t StartupList::SortedPosition(const std::string& name) const {
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), name, [this](const std::string& n, const Row& r) {
    return compare_(n, r.entry.name) < 0;
  });
  return static_cast<std::size_t>(at - rows_.begin());
}

// The order is found on positions, and each row then moved once: rows are large.
void StartupList::Sort() {
  std::vector<std::size_t> order(rows_.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
    return compare_(rows_[a].entry.name, rows_[b].entry.name) < 0;
  });
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (const std::size_t i : order) sorted.push_back(std::move(rows_[i]));
  rows_ = std::move(sorted);
}

void StartupList::Notify(StartupListChange::Kind kind, std::size_t row) {
  if (Changed) Changed({kind, row});
}

void StartupList::Edited() {
  if (OnChange) OnChange();
}

}  // namespace tovr::startup
