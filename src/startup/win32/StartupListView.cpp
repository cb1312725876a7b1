#include "startup/win32/StartupListView.h"

#include <algorithm>
#include <string>

#include "base/win32/Wide.h"
#include "controls/win32/Dpi.h"
#include "controls/win32/ListViewRows.h"

namespace tovr::startup::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS |
                         LVS_SHAREIMAGELISTS;
constexpr DWORD kExStyle = LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

struct Column {
  const char* caption;
  int width;
};
constexpr Column kColumns[] = {{"文件名别称", 120}, {"所执行的文件", 210}, {"位置", 70}};
constexpr int kLabelMargin = 14;        // the list view's space around a sub-item's text
constexpr int kMinCommandWidth = 100;

}  // namespace

StartupListView::StartupListView(HWND parent, StartupList& model, int id, const RECT& rect, HFONT font)
    : model_(model) {
  hwnd_ = controls::win32::CreateListView(parent, id, rect, kStyle, kExStyle, font);
  if (!hwnd_) return;
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    controls::win32::InsertListColumn(hwnd_, i, kColumns[i].caption, kColumns[i].width);
  }
  FitLocationColumn();
  model_.Changed = [this](const StartupListChange& change) { Follow(change); };
  Rebuild();
}

StartupListView::~StartupListView() { model_.Changed = nullptr; }

// In design pixels (96 DPI), as every column: the main window scales them all to its DPI.
void StartupListView::FitLocationColumn() {
  int widest = 0;
  for (const SourceKeys& k : kSources) {
    const std::wstring label = Widen(k.label);
    widest = std::max(widest, static_cast<int>(SendMessageW(hwnd_, LVM_GETSTRINGWIDTHW, 0,
                                                            reinterpret_cast<LPARAM>(label.c_str()))));
  }
  const int need = MulDiv(widest, controls::win32::kDesignDpi, controls::win32::WindowDpi(hwnd_)) + kLabelMargin;
  if (need <= kColumns[2].width) return;
  SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(need, 0));
  const int command = std::max(kMinCommandWidth, kColumns[1].width - (need - kColumns[2].width));
  SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(command, 0));
}

void StartupListView::SetImages(HIMAGELIST images) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void StartupListView::Rebuild() {
  controls::win32::Updating scope(updating_);
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t row = 0; row < model_.Count(); ++row) WriteRow(row, LVM_INSERTITEMW);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// The row's name, icon, the two sub-items and its tick and selection.
void StartupListView::WriteRow(std::size_t row, UINT message) {
  const StartupEntry& e = model_[row];
  std::wstring name = Widen(e.name);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(row);
  item.pszText = name.data();
  item.iImage = e.iconIndex;
  SendMessageW(hwnd_, message, 0, reinterpret_cast<LPARAM>(&item));
  controls::win32::SetListSubItem(hwnd_, row, 1, e.command);
  controls::win32::SetListSubItem(hwnd_, row, 2, std::string(e.location));
  ShowState(row);
}

void StartupListView::ShowState(std::size_t row) {
  LVITEMW item{};
  item.stateMask = LVIS_STATEIMAGEMASK | LVIS_SELECTED;
  item.state = (model_[row].enabled ? kChecked : kUnchecked) | (model_.Selected(row) ? LVIS_SELECTED : 0);
  SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

void StartupListView::Follow(const StartupListChange& change) {
  controls::win32::Updating scope(updating_);
  const auto ensureVisible = [this](std::size_t row) {
    if (model_.Selected(row)) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
  };
  controls::win32::FollowListChange(
      hwnd_, change, model_.Count(), [this](std::size_t row) { WriteRow(row, LVM_INSERTITEMW); },
      [this, ensureVisible](std::size_t row) {
        WriteRow(row, LVM_SETITEMW);
        ensureVisible(row);
      },
      [this, ensureVisible](std::size_t row) {
        ShowState(row);
        ensureVisible(row);
      },
      [this] { Rebuild(); });
}

// A tick or a selection changed by the user.
void StartupListView::ItemChanged(const NMLISTVIEW& change) {
  if (updating_ > 0 || !(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
  const auto row = static_cast<std::size_t>(change.iItem);
  if (row >= model_.Count()) return;
  const UINT changed = change.uOldState ^ change.uNewState;
  // A state image of 0 is an item the list view has just made, before ShowState: no tick yet.
  if ((changed & LVIS_STATEIMAGEMASK) && (change.uOldState & LVIS_STATEIMAGEMASK) != 0) {
    const bool ticked = (change.uNewState & LVIS_STATEIMAGEMASK) == kChecked;
    controls::win32::RunGuarded(guard_, "OnStartupListChanged", [this, row, ticked] {
      if (OnTick) {
        OnTick(row, ticked);
      } else {
        model_.SetEnabled(row, ticked);
      }
    });
  }
  if (auto c = controls::win32::UserSelectionChange(change, updating_, model_.Count())) {
    controls::win32::RunGuarded(guard_, "OnStartupListChanged", [this, c] { model_.SetSelected(c->row, c->selected); });
  }
}

bool StartupListView::OnNotify(LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->hwndFrom != hwnd_) return false;
  result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED:
      ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
      break;
    case LVN_BEGINLABELEDITW: {  // names are edited in place, where the model can take them
      const int row = reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item.iItem;
      result = row < 0 || static_cast<std::size_t>(row) >= model_.Count() || !model_.Renamable(static_cast<std::size_t>(row));
      break;
    }
    case LVN_ENDLABELEDITW: {
      const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(lParam);
      result = FALSE;  // the model shows the new name at its sorted place
      if (!info->item.pszText || info->item.iItem < 0) break;  // cancelled
      const auto row = static_cast<std::size_t>(info->item.iItem);
      if (row >= model_.Count()) break;
      const std::string name = Narrow(info->item.pszText);
      controls::win32::RunGuarded(guard_, "OnStartupNameEdited",
                                  [this, row, name] { model_.OnStartupNameEdited(row, name); });
      break;
    }
    case NM_DBLCLK:
      if (OnDblClick) controls::win32::RunGuarded(guard_, "OnStartupRowDoubleClicked", OnDblClick);
      break;
    default:
      break;
  }
  return true;
}

}  // namespace tovr::startup::win32
