#include "shortcuts/win32/ShortcutListView.h"

#include <string>

#include "base/win32/Wide.h"
#include "controls/win32/ListViewRows.h"

namespace tovr::shortcuts::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
                         LVS_SHAREIMAGELISTS;
constexpr DWORD kExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;

}  // namespace

ShortcutListView::ShortcutListView(HWND parent, ShortcutList& model, int id, const RECT& rect, HFONT font)
    : model_(model) {
  hwnd_ = controls::win32::CreateListView(parent, id, rect, kStyle, kExStyle, font);
  if (!hwnd_) return;
  controls::win32::InsertListColumn(hwnd_, kColumnName, kColumnNameCaption, kColumnNameWidth);
  controls::win32::InsertListColumn(hwnd_, kColumnTarget, kColumnTargetCaption, kColumnTargetWidth);
  controls::win32::InsertListColumn(hwnd_, kColumnType, kColumnTypeCaption, kColumnTypeWidth);
  model_.Changed = [this](const ListChange& change) { Follow(change); };
  Rebuild();
}

ShortcutListView::~ShortcutListView() { model_.Changed = nullptr; }

void ShortcutListView::SetImages(HIMAGELIST images) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void ShortcutListView::Rebuild() {
  controls::win32::Updating scope(updating_);
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < model_.Count(); ++row) InsertRow(row);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void ShortcutListView::InsertRow(std::size_t row) {
  WriteRow(row, LVM_INSERTITEMW);
  SelectRow(row);
}

void ShortcutListView::UpdateRow(std::size_t row) { WriteRow(row, LVM_SETITEMW); }

// The row's name, icon and the two sub-items, by LVM_INSERTITEMW or LVM_SETITEMW.
void ShortcutListView::WriteRow(std::size_t row, UINT message) {
  std::wstring name = Widen(model_[row].name);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(row);
  item.pszText = name.data();
  item.iImage = model_[row].iconIndex;
  SendMessageW(hwnd_, message, 0, reinterpret_cast<LPARAM>(&item));
  controls::win32::SetListSubItem(hwnd_, row, kColumnTarget, model_[row].target);
  controls::win32::SetListSubItem(hwnd_, row, kColumnType, model_[row].typeText);
}

void ShortcutListView::SelectRow(std::size_t row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED;
  item.state = model_.Selected(row) ? LVIS_SELECTED : 0;
  SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  if (model_.Selected(row)) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
}

void ShortcutListView::Follow(const ListChange& change) {
  controls::win32::Updating scope(updating_);
  controls::win32::FollowListChange(
      hwnd_, change, model_.Count(), [this](std::size_t row) { InsertRow(row); },
      [this](std::size_t row) { UpdateRow(row); }, [this](std::size_t row) { SelectRow(row); }, [this] { Rebuild(); });
}

bool ShortcutListView::OnNotify(LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->hwndFrom != hwnd_) return false;
  result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED:
      if (auto c = controls::win32::UserSelectionChange(*reinterpret_cast<const NMLISTVIEW*>(lParam), updating_,
                                                        model_.Count())) {
        controls::win32::RunGuarded(guard_, "OnShortcutListChanged",
                                    [this, c] { model_.SetSelected(c->row, c->selected); });
      }
      break;
    case LVN_BEGINLABELEDITW:
      result = FALSE;  // names are edited in place
      break;
    case LVN_ENDLABELEDITW: {
      const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
      result = FALSE;  // the model decides; its change notification shows the name
      if (!info->item.pszText || info->item.iItem < 0) break;  // cancelled
      const auto row = static_cast<std::size_t>(info->item.iItem);
      const std::string name = Narrow(info->item.pszText);
      if (row >= model_.Count()) break;
      controls::win32::RunGuarded(guard_, "OnShortcutNameEdited",
                                  [this, row, name] { model_.OnShortcutNameEdited(row, name); });
      // A refused name leaves the model as it was: show it again.
      if (IsWindow(hwnd_) && row < model_.Count()) {
        controls::win32::Updating scope(updating_);
        UpdateRow(row);
      }
      break;
    }
    case LVN_COLUMNCLICK: {
      const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
      controls::win32::RunGuarded(guard_, "OnShortcutColumnClicked",
                                  [this, column] { model_.OnShortcutColumnClicked(column); });
      break;
    }
    case NM_DBLCLK:
      if (OnDblClick) controls::win32::RunGuarded(guard_, "OnShortcutRowDoubleClicked", OnDblClick);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace tovr::shortcuts::win32
