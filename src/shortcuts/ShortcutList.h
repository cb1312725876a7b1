// The shortcut list shortcutList as the logic sees it: its rows in order, their selection, the sort
// column, the one way entries enter it (AddShortcut with its uniqueness check), renaming in
// place and the change notification. The Win32 list view mirrors it through `Changed`; the main
// window sets shortcutsChanged through `OnChange`.
//
// The uniqueness check keeps an index of the names and targets (hashed and compared with ASCII
// case ignored), so adding n rows costs O(n) and a refusal names the same row that a scan from
// the first row would find.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/FileSystem.h"
#include "platform/ShellPorts.h"
#include "shortcuts/ShortcutEntry.h"

namespace tovr::shortcuts {

// Refusal messages (caption kErrorCaption, flags kRefusalFlags).
inline constexpr char kNameTakenMessage[] = "名称 %s 已经存在";
inline constexpr char kTargetTakenMessage[] = "目标 %s 已经存在";
inline constexpr char kNameNotStorableMessage[] =
    "名称“%s”无法保存：名称不能为空，不能含有“=”或换行，前后不能有空格，也不能以“[”或“;”开头。";
inline constexpr char kErrorCaption[] = "错误";
inline constexpr unsigned kRefusalFlags = kMbIconInformation | kMbSystemModal;  // 4160

struct ShortcutPorts {
  IFileSystem& files;
  IShellIcons& icons;
  IShellLinks& links;
  IMessageBox& messages;
};

// What changed, for the view. `row` is the row concerned (Inserted: its new position; Removed:
// its former position); Reset and Reordered concern the whole list.
struct ListChange {
  enum Kind { Inserted, Removed, Updated, Selection, Reset, Reordered };
  Kind kind;
  std::size_t row = 0;
};

class ShortcutList {
 public:
  explicit ShortcutList(ShortcutPorts ports);
  ShortcutList(const ShortcutList&) = delete;
  ShortcutList& operator=(const ShortcutList&) = delete;

  // ---- Rows ----------------------------------------------------------------------------------
  std::size_t Count() const { return rows_.size(); }
  bool Empty() const { return rows_.empty(); }
  const ShortcutEntry& operator[](std::size_t row) const { return rows_[row].entry; }
  std::vector<ShortcutEntry> Entries() const;

  // ---- Adding (every entry enters through here) ----------------------------------------------
  // Resolves a ".lnk" target (a link that cannot be read throws tovr::Error with the system's
  // text), classifies the target, names the entry by its kind (or takes `name` when deriveName
  // is false), refuses a name that cannot be stored or one that ShortcutTaken finds, and
  // appends the row. True when a row was added. Does not sort.
  bool AddShortcut(std::string name, std::string target, bool deriveName);
  // The uniqueness check: the first row whose name (then, in the same row, whose target) equals
  // `name` (`target`) with ASCII case ignored decides; shows "名称 %s 已经存在" or
  // "目标 %s 已经存在" and returns true; false when neither is taken.
  bool ShortcutTaken(std::string_view name, std::string_view target);
  // The message ShortcutTaken would show, without showing it.
  std::optional<std::string> TakenMessage(std::string_view name, std::string_view target) const;

  // ---- Changing rows (the modify and delete commands) ---------------------------------------
  // For a new name given to an existing row (modify): shows the refusal message and returns
  // false when the name cannot be stored or another row has it (ASCII case ignored).
  bool AcceptNameFor(std::size_t row, std::string_view name);
  void SetName(std::size_t row, std::string name);
  // Sets the target only; TypeText and IconIndex stay.
  void SetTarget(std::size_t row, std::string target);
  // Sets the target and gives the row the type text and icon of `kind` (icon from the shell
  // for files and folders).
  void Retarget(std::size_t row, std::string target, TargetKind kind);
  void Remove(std::size_t row);
  void Clear();
  void Reserve(std::size_t rows);  // room for a load of this many rows

  // ---- Icons left for later -------------------------------------------------------------------
  // Until LookUpLaterIcons, added rows take kIconLater instead of asking the shell. Start-up
  // loads the list so (the system image list and a look-up per entry are its longest work) and
  // looks the icons up at its first idle moment.
  void LeaveIconsForLater() { iconsLater_ = true; }
  // Every icon left for later, looked up (the view follows); rows are added as usual again.
  // Not an edit: OnChange does not run.
  void LookUpLaterIcons();

  // ---- Selection ------------------------------------------------------------------------------
  bool Selected(std::size_t row) const { return rows_[row].selected; }
  void SetSelected(std::size_t row, bool selected);
  void SelectOnly(std::size_t row);  // the row alone is selected
  void ClearSelection();
  std::vector<std::size_t> SelectedRows() const;
  std::optional<std::size_t> FirstSelected() const;

  // ---- Order ----------------------------------------------------------------------------------
  int SortColumn() const { return sortColumn_; }
  // Compares two rows by the sort column: Name (0), Target (1) or TypeText (2).
  int CompareShortcutRows(std::size_t a, std::size_t b) const;
  // A header click: SortColumn := column; stable ascending sort. A second click sorts the same.
  void OnShortcutColumnClicked(int column);
  // By Name, then stably by TypeText; SortColumn is 2 afterwards.
  void SortShortcuts();

  // ---- In-place rename ----------------------------------------------------------------------
  // End of an in-place edit of the row's name (not a cancelled one): refused with the check's
  // message when ShortcutTaken(newName, "") (every row counts, the edited one too) or when the
  // name cannot be stored; then the list is sorted either way.
  void OnShortcutNameEdited(std::size_t row, const std::string& newName);

  // ---- Notification -------------------------------------------------------------------------
  std::function<void(const ListChange&)> Changed;  // for the view
  // OnShortcutListChanged: a row added, removed or changed, or its selection changed (not a pure reorder).
  std::function<void()> OnChange;

  ShortcutPorts& Ports() { return ports_; }

 private:
  struct Row {
    ShortcutEntry entry;
    bool selected = false;
    TargetKind kind = TargetKind::Missing;  // as added: what a later icon look-up needs
  };
  bool RefuseUnstorable(std::string_view name);
  // Indexes the name and target when neither is there (true); else leaves the index unchanged.
  bool IndexIfNew(const std::string& name, const std::string& target);
  void Index(const ShortcutEntry& e);
  void Unindex(const ShortcutEntry& e);
  void Notify(ListChange::Kind kind, std::size_t row);
  void SortBy(int column);
  // Stable ascending sort by the order of (primary, then secondary) column texts; secondary
  // < 0 sorts by the primary alone.
  void SortRows(int primary, int secondary);
  void Permute(const std::vector<std::size_t>& order);  // row i of the result: order[i]

  // Hash and equality with ASCII case ignored, usable with string_view keys.
  struct FoldedHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const;
  };
  struct FoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  using CountIndex = std::unordered_map<std::string, int, FoldedHash, FoldedEqual>;

  ShortcutPorts ports_;
  std::vector<Row> rows_;
  int sortColumn_ = 0;
  bool iconsLater_ = false;
  // Name / target (any case) -> number of rows holding it.
  CountIndex names_;
  CountIndex targets_;
};


}  // namespace tovr::shortcuts
