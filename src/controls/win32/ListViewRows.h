// Small pieces every list view of the pages shares: a guard that marks the view's own updates
// (so the notifications they cause are not taken for the user's), a report column, a row's
// sub-item text.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>

#include "base/win32/Wide.h"

namespace tovr::controls::win32 {

// Counts the view's own updates while alive.
struct Updating {
  explicit Updating(int& n) : n_(n) { ++n_; }
  ~Updating() { --n_; }
  Updating(const Updating&) = delete;
  Updating& operator=(const Updating&) = delete;
  int& n_;
};

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

}  // namespace tovr::controls::win32
