#include "startup/StartupList.h"

#include <algorithm>
#include <numeric>

namespace tovr::startup {

StartupList::StartupList(SortKeyOf sortKeyOf) : sortKeyOf_(std::move(sortKeyOf)) {}

void StartupList::AppendLoaded(std::vector<StartupEntry> rows) {
  if (rows.empty()) return;
  std::vector<std::string> keys;
  keys.reserve(rows.size());
  for (const StartupEntry& e : rows) keys.push_back(sortKeyOf_(e.name));
  if (rows_.empty()) {
    // Into an empty list each row moves once, straight to its sorted place.
    rows_.reserve(rows.size());
    for (const std::size_t i : SortedOrder(keys)) rows_.push_back({std::move(rows[i]), false, std::move(keys[i])});
  } else {
    rows_.reserve(rows_.size() + rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) rows_.push_back({std::move(rows[i]), false, std::move(keys[i])});
    Sort();
  }
  Notify(StartupListChange::Reset, 0);
}

void StartupList::Clear() {
  rows_.clear();
  removedValues_.clear();
  Notify(StartupListChange::Reset, 0);
}

void StartupList::Add(StartupEntry entry) {
  std::string key = sortKeyOf_(entry.name);
  const std::size_t at = SortedPosition(key);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), Row{std::move(entry), false, std::move(key)});
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

void StartupList::OnStartupNameEdited(std::size_t row, std::string name) {
  if (!Renamable(row)) return;
  rows_[row].sortKey = sortKeyOf_(name);
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

std::size_t StartupList::SortedPosition(const std::string& key) const {
  const auto at = std::upper_bound(rows_.begin(), rows_.end(), key,
                                   [](const std::string& k, const Row& r) { return k < r.sortKey; });
  return static_cast<std::size_t>(at - rows_.begin());
}

std::vector<std::size_t> StartupList::SortedOrder(const std::vector<std::string>& keys) {
  std::vector<std::size_t> order(keys.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

// The order is found on positions, and each row then moved once: rows are large.
void StartupList::Sort() {
  std::vector<std::string> keys;
  keys.reserve(rows_.size());
  for (Row& r : rows_) keys.push_back(std::move(r.sortKey));
  std::vector<Row> sorted;
  sorted.reserve(rows_.size());
  for (const std::size_t i : SortedOrder(keys)) {
    sorted.push_back(std::move(rows_[i]));
    sorted.back().sortKey = std::move(keys[i]);
  }
  rows_ = std::move(sorted);
}

void StartupList::Notify(StartupListChange::Kind kind, std::size_t row) {
  if (Changed) Changed({kind, row});
}

void StartupList::Edited() {
  if (OnChange) OnChange();
}

}  // namespace tovr::startup
