// What the desktop icon tools ask of the system: the shell's desktop icon list view (a list
// view of another process, reached with list-view messages that carry only integers, and for
// the icons' names and positions through a buffer in that process) and the colour dialog. The
// Win32 adapters live in desktop/win32; tests use recording fakes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
  // LVM_SETITEMPOSITION for each placement (PackPosition of x and y), each given a short time
  // to be taken. False without a list view or when one was not taken in time: the rest were
  // not sent.
  virtual bool MoveItems(std::span<const IconPlacement> placements) = 0;
  // Every item's name and position, in the list view's order, read through a buffer in the
  // list view's process that is released before the call returns.
  enum class Answer { kRead, kNoListView, kNotAnswering, kRefused };
  struct Item {
    std::string name;
    int x = 0, y = 0;
  };
  struct Items {
    Answer answer = Answer::kNoListView;
    std::vector<Item> items;
  };
  virtual Items ReadItems() = 0;
  // Whether the list view arranges its icons itself (LVS_AUTOARRANGE); nullopt without one.
  virtual std::optional<bool> AutoArranged() = 0;
  // The size of the whole desktop, all screens together (the screen's resolution when there
  // is one): the space the icons' positions are measured in.
  struct Size {
    int width = 0, height = 0;
  };
  virtual Size DesktopSize() = 0;
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

class ISystemColours {
 public:
  virtual ~ISystemColours() = default;
  // The system colour of `index` (GetSysColor's COLOR_... numbers) as 0x00BBGGRR; 0 for an
  // index the system does not know.
  virtual std::uint32_t Colour(int index) = 0;
};

// The desktop icon tool's own ports, wired once for the program (app/win32/WinMain.cpp) and once
// for the tests (tests/fakes/FakeToolPorts.h); the page's ports add the shared ones.
struct DesktopSystemPorts {
  IDesktopListView& listView;
  IColourDialog& colourDialog;
  ISystemColours& systemColours;  // the captions' colours may name a system colour
};

}  // namespace tovr::desktop
