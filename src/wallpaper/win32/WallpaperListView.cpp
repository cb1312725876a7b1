#include "wallpaper/win32/WallpaperListView.h"

#include <string>

#include "base/win32/Wide.h"
#include "controls/win32/ListViewRows.h"
#include "platform/win32/LateBound.h"

namespace tovr::wallpaper::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
constexpr DWORD kExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
constexpr UINT_PTR kSubclassId = 0x4C5650;  // "wallpaperList"

void SetState(HWND list, std::size_t row, UINT mask, UINT state) {
  LVITEMW item{};
  item.stateMask = mask;
  item.state = state;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace

WallpaperListView::WallpaperListView(HWND parent, WallpaperList& model, int id, const RECT& rect, HFONT font)
    : model_(model) {
  hwnd_ = controls::win32::CreateListView(parent, id, rect, kStyle, kExStyle, font);
  if (!hwnd_) return;
  std::wstring caption = Widen(kListColumnCaption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = caption.data();
  column.cx = kListColumnWidth;
  SendMessageW(hwnd_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  TOVR_LATE(comctl32, SetWindowSubclass)
  (hwnd_, &WallpaperListView::Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  model_.Changed = [this](const ListChange& change) { Follow(change); };
  Rebuild();
}

WallpaperListView::~WallpaperListView() {
  model_.Changed = nullptr;
  if (hwnd_) TOVR_LATE(comctl32, RemoveWindowSubclass)(hwnd_, &WallpaperListView::Subclass, kSubclassId);
}

void WallpaperListView::SetImages(HIMAGELIST images) {
  SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void WallpaperListView::Rebuild() {
  controls::win32::Updating scope(updating_);
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
  SendMessageW(hwnd_, LVM_SETITEMCOUNT, model_.Count(), 0);
  for (std::size_t row = 0; row < model_.Count(); ++row) {
    WriteRow(row, LVM_INSERTITEMW);
    if (model_.Selected(row)) SelectRow(row);
  }
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void WallpaperListView::WriteRow(std::size_t row, UINT message) {
  std::wstring text = Widen(model_[row].path);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(row);
  item.pszText = text.data();
  item.iImage = model_.IconIndex(row);
  SendMessageW(hwnd_, message, 0, reinterpret_cast<LPARAM>(&item));
}

void WallpaperListView::SelectRow(std::size_t row) {
  SetState(hwnd_, row, LVIS_SELECTED, model_.Selected(row) ? LVIS_SELECTED : 0);
  if (model_.Selected(row)) SendMessageW(hwnd_, LVM_ENSUREVISIBLE, row, FALSE);
}

void WallpaperListView::Follow(const ListChange& change) {
  controls::win32::Updating scope(updating_);
  controls::win32::FollowListChange(
      hwnd_, change, model_.Count(),
      [this](std::size_t row) {
        WriteRow(row, LVM_INSERTITEMW);
        SelectRow(row);
      },
      [this](std::size_t row) { WriteRow(row, LVM_SETITEMW); }, [this](std::size_t row) { SelectRow(row); },
      [this] { Rebuild(); });
}

bool WallpaperListView::OnNotify(LPARAM lParam, LRESULT& result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (!header || header->hwndFrom != hwnd_) return false;
  result = 0;
  switch (header->code) {
    case LVN_ITEMCHANGED:
      if (auto c = controls::win32::UserSelectionChange(*reinterpret_cast<const NMLISTVIEW*>(lParam), updating_,
                                                        model_.Count())) {
        controls::win32::RunGuarded(guard_, "OnWallpaperListChanged",
                                    [this, c] { model_.SetSelected(c->row, c->selected); });
      }
      break;
    case LVN_BEGINDRAG:
      if (model_.SelectedCount() > 0) {
        dragging_ = true;
        SetCapture(hwnd_);
      }
      break;
    case NM_DBLCLK:
      if (OnDblClick) controls::win32::RunGuarded(guard_, "OnWallpaperRowDoubleClicked", OnDblClick);
      break;
    default:
      break;
  }
  return true;
}

std::optional<std::size_t> WallpaperListView::TargetAt(POINT client) const {
  LVHITTESTINFO hit{};
  hit.pt = POINT{4, client.y};  // whole rows: any point of the row counts
  const auto row = static_cast<int>(SendMessageW(hwnd_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (row >= 0 && static_cast<std::size_t>(row) < model_.Count()) return static_cast<std::size_t>(row);
  // Above the first visible row (over the column header): before that row.
  RECT top{};
  const auto first = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
  top.left = LVIR_BOUNDS;
  if (first >= 0 && static_cast<std::size_t>(first) < model_.Count() &&
      SendMessageW(hwnd_, LVM_GETITEMRECT, first, reinterpret_cast<LPARAM>(&top)) && client.y < top.top) {
    return static_cast<std::size_t>(first);
  }
  return std::nullopt;
}

void WallpaperListView::Highlight(std::optional<std::size_t> row) {
  if (row == highlighted_) return;
  if (highlighted_ && *highlighted_ < model_.Count()) SetState(hwnd_, *highlighted_, LVIS_DROPHILITED, 0);
  highlighted_ = row;
  if (row) SetState(hwnd_, *row, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

void WallpaperListView::EndDrag(bool drop, POINT client) {
  if (!dragging_) return;
  dragging_ = false;
  Highlight(std::nullopt);
  if (GetCapture() == hwnd_) ReleaseCapture();
  RECT area{};
  GetClientRect(hwnd_, &area);
  if (!drop || !PtInRect(&area, client)) return;  // only a drop over the list itself acts
  const std::optional<std::size_t> target = TargetAt(client);
  controls::win32::RunGuarded(guard_, "OnWallpaperRowsDropped", [this, target] { model_.MoveSelectedBefore(target); });
}

LRESULT CALLBACK WallpaperListView::Subclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<WallpaperListView*>(data);
  if (self->dragging_) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
      case WM_MOUSEMOVE: {
        RECT area{};
        GetClientRect(hwnd, &area);
        const bool over = PtInRect(&area, at) != FALSE;
        SetCursor(LoadCursorW(nullptr, over ? IDC_ARROW : IDC_NO));
        self->Highlight(over ? self->TargetAt(at) : std::nullopt);
        return 0;
      }
      case WM_LBUTTONUP:
        self->EndDrag(true, at);
        return 0;
      case WM_CAPTURECHANGED:
        self->EndDrag(false, at);
        break;
      case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
          self->EndDrag(false, at);
          return 0;
        }
        break;
      default:
        break;
    }
  }
  return TOVR_LATE(comctl32, DefSubclassProc)(hwnd, msg, wParam, lParam);
}

}  // namespace tovr::wallpaper::win32
