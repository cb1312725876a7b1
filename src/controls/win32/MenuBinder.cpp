#include "controls/win32/MenuBinder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"

namespace tovr::controls::win32 {
namespace {

bool HasVisibleChildren(const MenuItem& item) {
  return std::any_of(item.Items().begin(), item.Items().end(), [](const auto& child) { return child->Visible(); });
}

// The header of a 32-bit top-down bitmap (rows from the top, 0xAARRGGBB pixels).
BITMAPINFO TopDown32(int width, int rows) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -rows;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// Reads a bitmap as 32-bit top-down pixels (0xAARRGGBB), `rows` rows of `width`.
bool ReadPixels(HDC dc, HBITMAP bitmap, int width, int rows, std::vector<std::uint32_t>& pixels) {
  BITMAPINFO info = TopDown32(width, rows);
  pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows), 0);
  return GetDIBits(dc, bitmap, 0, static_cast<UINT>(rows), pixels.data(), &info, DIB_RGB_COLORS) == rows;
}

}  // namespace

MenuBinder::MenuBinder(UINT firstId, UINT lastId)
    : firstId_(firstId), lastId_(std::max(firstId, lastId)), nextId_(firstId) {}

void MenuBinder::SetImages(HIMAGELIST images) {
  if (images == images_) return;
  images_ = images;
  imagesChanged_ = true;
}

UINT MenuBinder::NextId() {
  const UINT id = nextId_;
  nextId_ = nextId_ >= lastId_ ? firstId_ : nextId_ + 1;
  return id;
}

HMENU MenuBinder::Build(MenuItem& root) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return nullptr;
  if (tracking_) {
    retired_.push_back(std::move(menu_));  // still on screen
  } else if (imagesChanged_) {
    menu_.reset();  // the old menu goes before the bitmaps it shows
    bitmaps_.clear();
    imagesChanged_ = false;
  }
  root_ = &root;
  commands_.clear();
  Fill(menu.get(), root);
  menu_ = std::move(menu);
  return menu_.get();
}

void MenuBinder::Fill(HMENU menu, MenuItem& parent) {
  for (const auto& child : parent.Items()) {
    MenuItem& item = *child;
    if (!item.Visible()) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    std::wstring caption = Widen(item.Caption());
    if (item.LiteralCaption()) {  // "&" would underline the next letter: double it
      for (std::size_t at = caption.find(L'&'); at != std::wstring::npos; at = caption.find(L'&', at + 2)) {
        caption.insert(at, 1, L'&');
      }
    }
    UniqueMenu submenu;
    if (item.IsSeparator()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_STATE | MIIM_ID;
      info.fType = MFT_STRING;
      info.dwTypeData = caption.data();
      info.fState = (item.Checked() ? MFS_CHECKED : 0u) | (item.Enabled() ? 0u : MFS_DISABLED);
      info.wID = NextId();
      commands_[info.wID] = item.Serial();
      // An item without visible children (an empty group) is a plain item.
      if (HasVisibleChildren(item)) {
        submenu.reset(CreatePopupMenu());
        if (submenu) {
          Fill(submenu.get(), item);
          info.fMask |= MIIM_SUBMENU;
          info.hSubMenu = submenu.get();
        }
      }
      if (HBITMAP bitmap = BitmapFor(item.ImageIndex())) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = bitmap;
      }
    }
    if (InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info)) {
      submenu.release();  // the menu owns it now
    }
  }
}

HBITMAP MenuBinder::BitmapFor(int index) {
  if (!images_ || index < 0) return nullptr;
  auto found = bitmaps_.find(index);
  if (found == bitmaps_.end()) found = bitmaps_.emplace(index, UniqueBitmap(ImageBitmap(images_, index))).first;
  return found->second.get();
}

HBITMAP MenuBinder::ImageBitmap(HIMAGELIST images, int index) {
  if (!images || index < 0 || index >= TOVR_LATE(comctl32, ImageList_GetImageCount)(images)) return nullptr;
  UniqueIcon icon(TOVR_LATE(comctl32, ImageList_GetIcon)(images, index, ILD_NORMAL));
  ICONINFO iconInfo{};
  if (!icon || !GetIconInfo(icon.get(), &iconInfo)) return nullptr;
  UniqueBitmap color(iconInfo.hbmColor), mask(iconInfo.hbmMask);
  BITMAP size{};
  if (!mask || !GetObjectW(mask.get(), sizeof size, &size)) return nullptr;
  const int width = size.bmWidth;
  // A monochrome icon has no colour bitmap: its mask is twice as high, AND part over XOR part.
  const int height = color ? size.bmHeight : size.bmHeight / 2;
  if (width <= 0 || height <= 0) return nullptr;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);

  UniqueDc dc(CreateCompatibleDC(nullptr));
  std::vector<std::uint32_t> pixels, andMask;
  if (!dc) return nullptr;
  if (color) {
    if (!ReadPixels(dc.get(), color.get(), width, height, pixels) ||
        !ReadPixels(dc.get(), mask.get(), width, height, andMask)) {
      return nullptr;
    }
  } else {
    std::vector<std::uint32_t> both;
    if (!ReadPixels(dc.get(), mask.get(), width, height * 2, both)) return nullptr;
    andMask.assign(both.begin(), both.begin() + static_cast<std::ptrdiff_t>(count));
    pixels.assign(both.begin() + static_cast<std::ptrdiff_t>(count), both.end());
  }

  // Icons with an alpha channel keep it; older ones take it from the mask (white = clear).
  const bool hasAlpha = std::any_of(pixels.begin(), pixels.end(), [](std::uint32_t p) { return (p >> 24) != 0; });
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t p = pixels[i];
    const std::uint32_t alpha = hasAlpha ? p >> 24 : ((andMask[i] & 0xFFFFFFu) ? 0u : 255u);
    const auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
    pixels[i] = alpha << 24 | scale((p >> 16) & 0xFF) << 16 | scale((p >> 8) & 0xFF) << 8 | scale(p & 0xFF);
  }

  BITMAPINFO info = TopDown32(width, height);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return nullptr;
  std::memcpy(bits, pixels.data(), count * sizeof(std::uint32_t));
  return bitmap;
}

MenuItem* MenuBinder::ItemForCommand(UINT id) const {
  auto found = commands_.find(id);
  if (found == commands_.end() || !root_) return nullptr;
  return root_->FindSerial(found->second);
}

bool MenuBinder::Run(UINT id) {
  MenuItem* item = ItemForCommand(id);
  if (!item) return false;
  RunGuarded(guard_, item->Name() + "Click", [item] { item->Click(); });
  return true;
}

bool MenuBinder::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam != 0 || HIWORD(wParam) != 0) return false;  // a control or an accelerator
  const UINT id = LOWORD(wParam);
  if (id < firstId_ || id > lastId_) return false;
  Run(id);  // ours even when its item has gone since
  return true;
}

UINT MenuBinder::Track(HWND owner, POINT at, UINT flags) {
  if (!menu_ || tracking_) return 0;
  tracking_ = true;
  const UINT id = static_cast<UINT>(
      TrackPopupMenuEx(menu_.get(), flags | TPM_RETURNCMD, at.x, at.y, owner, nullptr));
  tracking_ = false;
  retired_.clear();
  return id;
}

}  // namespace tovr::controls::win32
