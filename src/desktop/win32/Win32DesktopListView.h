// The shell's desktop icon list view, reached from outside its process with list-view messages
// that carry only integers.
//
// Where it lives: the shell's "Progman" window holds a "SHELLDLL_DefView", which holds the
// "SysListView32" (titled "FolderView"). On Windows 7 and later the DefView can move into a
// top-level "WorkerW" window (after a wallpaper slideshow or a wallpaper engine asked Progman to
// make one, or while "Show desktop" is in force), one of several WorkerW windows of which the
// others are empty; on Windows 8 Progman's first child may be an empty WorkerW before the
// DefView. So the windows are found by class, not by position or title: Progman's DefView
// first, then the first top-level WorkerW that holds one.
#pragma once

#include <windows.h>

#include "desktop/DesktopPorts.h"

namespace tovr::desktop::win32 {

// The desktop's icon list view, looked up anew; null when there is none.
HWND FindDesktopListView();

class Win32DesktopListView final : public IDesktopListView {
 public:
  int ItemCount() override;
  bool MoveItems(std::span<const IconPlacement> placements) override;
  Items ReadItems() override;
  std::optional<bool> AutoArranged() override;
  Size DesktopSize() override;
  void SetTextColours(std::uint32_t text, std::uint32_t background) override;
  std::optional<Colours> TextColours() override;
  int Dpi() override;
  void RedrawItems(int first, int last) override;
  std::optional<bool> Visible() override;
  void Show(bool visible) override;
  WorkArea PrimaryWorkArea() override;
};

}  // namespace tovr::desktop::win32
