// Small pieces every list view of the pages shares: a guard that marks the view's own updates
// (so the notifications they cause are not taken for the user's), a report column, a row's
// sub-item text, following a model's change, and reading the user's selection change; and the
// list view itself.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <string>

#include "base/win32/Wide.h"
#include "controls/win32/CommonControls.h"

namespace tovr::controls::win32 {

// Counts the view's own updates while alive.
struct Updating {
  explicit Updating(int& n) : n_(n) { ++n_; }
  ~Updating() { --n_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;
  int& n_;
};

// A list view child window with the page's font and the given extended list-view styles;
// nullptr when it cannot be made.
inline HWND CreateListView(HWND parent, int id, const RECT& rect, DWORD style, DWORD listExStyle, HFONT font) {
  EnsureCommonControls();
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!list) return nullptr;
  if (font) SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, listExStyle, listExStyle);
  return list;
}

inline void InsertListColumn(HWND list, int index, const char* caption, int width) {
  std::wstring text = Widen(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

inline void SetListSubItem(HWND list, std::size_t row, int sub, const std::string& utf8) {
  std::wstring text = Widen(utf8);
  LVITEMW item{};
  item.iSubItem = sub;
  item.pszText = text.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

// Follows one change of a list model in its view. The one row is inserted, deleted, rewritten
// or reselected when the view's row count agrees with the change; anything else (a reset, a
// reorder, counts that disagree) rebuilds the whole view.
template <class Change, class Insert, class Update, class Select, class Rebuild>
void FollowListChange(HWND list, const Change& change, std::size_t modelCount, Insert insert, Update update,
                      Select select, Rebuild rebuild) {
  const auto count = static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const std::size_t row = change.row;
  if (change.kind == Change::Inserted && row <= count && count + 1 == modelCount) return insert(row);
  if (change.kind == Change::Removed && row < count && count == modelCount + 1) {
    SendMessageW(list, LVM_DELETEITEM, row, 0);
    return;
  }
  if (row < count && count == modelCount) {
    if (change.kind == Change::Updated) return update(row);
    if (change.kind == Change::Selection) return select(row);
  }
  rebuild();
}

// The row whose selection the user changed, from an LVN_ITEMCHANGED: nothing while the view is
// updating itself, for other state changes, or for a row the model no longer has.
struct SelectionChange {
  std::size_t row;
  bool selected;
};
inline std::optional<SelectionChange> UserSelectionChange(const NMLISTVIEW& change, int updating,
                                                          std::size_t modelCount) {
  if (updating > 0 || !(change.uChanged & LVIF_STATE) || change.iItem < 0) return std::nullopt;
  if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) return std::nullopt;
  const auto row = static_cast<std::size_t>(change.iItem);
  if (row >= modelCount) return std::nullopt;
  return SelectionChange{row, (change.uNewState & LVIS_SELECTED) != 0};
}

}  // namespace tovr::controls::win32
