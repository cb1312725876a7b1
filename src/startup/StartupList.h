// The startup list startupList as the logic sees it: its rows kept sorted by name in the system's locale
// order, through each name's sort key (rows of equal names keep the order they came in), their selection, and
// the edits a user makes: adding, removing, ticking, changing the command, renaming in place.
// Every edit runs OnChange (OnStartupListChanged: the main window's startupChanged); loading and clearing
// are not edits. The Win32 list view mirrors the rows through `Changed`.
//
// The list also remembers where the values of removed rows are stored, so that the next save
// removes them from the registry.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "startup/StartupEntry.h"

namespace tovr::startup {

// What changed, for the view: `row` is the row concerned (Inserted: its new position; Removed:
// its former one); Reset concerns the whole list.
struct StartupListChange {
  enum Kind { Inserted, Removed, Updated, Selection, Reset };
  Kind kind;
  std::size_t row = 0;
};

class StartupList {
 public:
  using SortKeyOf = std::function<std::string(const std::string&)>;
  explicit StartupList(SortKeyOf sortKeyOf);
  StartupList(const StartupList&) = delete;
  StartupList& operator=(const StartupList&) = delete;

  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const StartupEntry& operator[](std::size_t row) const { return rows_[row].entry; }

  // ---- Filling (not edits) ----------------------------------------------------------------
  // The rows of a load, sorted into the list.
  void AppendLoaded(std::vector<StartupEntry> rows);
  // Every row goes, and the removed rows' places are forgotten (Refresh).
  void Clear();

  // ---- Edits (each runs OnChange) ---------------------------------------------------------
  void Add(StartupEntry entry);  // at its sorted place, after rows of an equal name
  void Remove(std::size_t row);
  void SetEnabled(std::size_t row, bool enabled);  // the check box; no change, no edit
  void SetCommand(std::size_t row, std::string command, int iconIndex);
  // End of an in-place rename: the text is taken as it is and the list sorts again. A Startup
  // folder's row keeps its name (it is its file's name): nothing changes.
  void OnStartupNameEdited(std::size_t row, std::string name);
  bool Renamable(std::size_t row) const { return rows_[row].entry.file.empty(); }
  // The view shows the row again as the list holds it (a tick the list refused); not an edit.
  void ShowAgain(std::size_t row) { Notify(StartupListChange::Updated, row); }

  // ---- Selection ----------------------------------------------------------------------------
  bool Selected(std::size_t row) const { return rows_[row].selected; }
  void SetSelected(std::size_t row, bool selected);
  void SelectOnly(std::size_t row);
  std::vector<std::size_t> SelectedRows() const;
  std::optional<std::size_t> FirstSelected() const;

  // ---- Where the values are (for the save) --------------------------------------------------
  void SetStored(std::size_t row, std::optional<StoredAt> at) { rows_[row].entry.stored = std::move(at); }
  void SetApprovedOff(std::size_t row, bool off) { rows_[row].entry.approvedOff = off; }
  void SetStoredCommand(std::size_t row, std::string command) { rows_[row].entry.storedCommand = std::move(command); }
  // Places of values whose rows were removed and that the registry may still hold.
  std::vector<StoredAt>& RemovedValues() { return removedValues_; }

  std::function<void(const StartupListChange&)> Changed;  // for the view
  std::function<void()> OnChange;                         // OnStartupListChanged

 private:
  struct Row {
    StartupEntry entry;
    bool selected = false;
    std::string sortKey;  // of entry.name
  };
  std::size_t SortedPosition(const std::string& key) const;  // after every row not greater
  // Positions in the order of their keys; equal keys keep their order.
  static std::vector<std::size_t> SortedOrder(const std::vector<std::string>& keys);
  void Sort();
  void Notify(StartupListChange::Kind kind, std::size_t row);
  void Edited();

  SortKeyOf sortKeyOf_;
  std::vector<Row> rows_;
  std::vector<StoredAt> removedValues_;
};

}  // namespace tovr::startup
