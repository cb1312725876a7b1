// The desktop's icons seen from outside: their caption colours, hiding them all and whether
// they show. The list view belongs to the shell; the hiding state also lives in two registry
// values of the shell, and while Active Desktop is on (as the last wallpaper change measured
// it) the desktop is refreshed through the Active Desktop object instead of hiding the window.
//
//   HKCU Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced   HideIcons     1 hidden, 0 shown
//   HKCU Software\Microsoft\Internet Explorer\Desktop\Components       GeneralFlags  0 hidden, 1 shown
//
// The keys are created when missing; a write the system refuses throws tovr::Error.
#pragma once

#include <cstdint>

#include "desktop/DesktopPorts.h"
#include "platform/ActiveDesktop.h"
#include "platform/Registry.h"

namespace tovr::desktop {

inline constexpr char kAdvancedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr char kComponentsKey[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\Components";

class DesktopIcons {
 public:
  // `activeDesktopOn` is the main window's shared flag, read at each call.
  DesktopIcons(IDesktopListView& listView, IRegistry& registry, IActiveDesktopObject& activeDesktop,
               const bool& activeDesktopOn)
      : listView_(listView), registry_(registry), activeDesktop_(activeDesktop), activeDesktopOn_(activeDesktopOn) {}

  // Caption text colour, caption background (none when `transparent`), then every item redrawn.
  void ApplyIconColours(std::uint32_t text, std::uint32_t background, bool transparent);
  // The periodic refresh: the list view's colours are read first (two cheap messages) and set,
  // with the redraw, only where the shell changed them; a desktop that does not answer in a
  // short time skips the tick.
  void RefreshIconColours(std::uint32_t text, std::uint32_t background, bool transparent);
  // Both registry values; then with Active Desktop off the list view window is hidden or
  // shown, with it on the desktop is refreshed (ApplyChanges, all and forced) when `refreshNow`.
  void SetDesktopIconsHidden(bool hidden, bool refreshNow);
  // With Active Desktop off, whether the list view window is visible; with it on, or when there
  // is no list view to ask, whether HideIcons is anything but the number 1.
  bool DesktopIconsVisible();

 private:
  bool HideIconsSet();

  IDesktopListView& listView_;
  IRegistry& registry_;
  IActiveDesktopObject& activeDesktop_;
  const bool& activeDesktopOn_;
};

}  // namespace tovr::desktop
