// What the desktop icon tools ask of the system: the shell's desktop icon list view (a list
// view of another process, reached with list-view messages that carry only integers) and the
// colour dialog. The Win32 adapters live in desktop/win32; tests use recording fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "desktop/IconArrangement.h"

namespace tovr::desktop {

// CLR_NONE: no caption background (transparent).
inline constexpr std::uint32_t kColourNone = 0xFFFFFFFF;

// The desktop's icon list view, looked up anew by every call. Without one (no desktop, another
// shell) the calls do nothing and the queries answer as stated.
class IDesktopListView {
 public:
  virtual ~IDesktopListView() = default;
  // LVM_GETITEMCOUNT; 0 without a list view.
  virtual int ItemCount() = 0;
  // LVM_SETITEMPOSITION for each placement (PackPosition of x and y).
  virtual void MoveItems(std::span<const IconPlacement> placements) = 0;
  // LVM_SETTEXTCOLOR, then LVM_SETTEXTBKCOLOR (kColourNone for transparent). The colours are
  // passed as given.
  virtual void SetTextColours(std::uint32_t text, std::uint32_t background) = 0;
  // LVM_GETTEXTCOLOR and LVM_GETTEXTBKCOLOR, each given a short time to answer; nullopt without
  // a list view or when it does not answer in time.
  struct Colours {
    std::uint32_t text = 0, background = 0;
    friend bool operator==(const Colours&, const Colours&) = default;
  };
  virtual std::optional<Colours> TextColours() = 0;
  // LVM_REDRAWITEMS from `first` to `last`.
  virtual void RedrawItems(int first, int last) = 0;
  // IsWindowVisible of the list view; nullopt without a list view.
  virtual std::optional<bool> Visible() = 0;
  // ShowWindow SW_SHOWNORMAL or SW_HIDE.
  virtual void Show(bool visible) = 0;
  // The desktop's DPI (96 = 100 %), which the icons' size follows.
  virtual int Dpi() = 0;
  // The primary screen's work area (SPI_GETWORKAREA) in the list view's client coordinates.
  virtual WorkArea PrimaryWorkArea() = 0;
};

class IColourDialog {
 public:
  virtual ~IColourDialog() = default;
  // The colour dialog opened preset to `colour`; the chosen colour, or nullopt when cancelled.
  virtual std::optional<std::uint32_t> Choose(std::uint32_t colour) = 0;
};

}  // namespace tovr::desktop
