// The shell's Active Desktop object (IActiveDesktop), shared by the wallpaper changer, which
// applies pictures and pages through it, and the desktop icons, which refresh it after hiding
// them. The Win32 adapter creates the COM object on first need and keeps it until the program
// ends; tests use a recording fake.
#pragma once

#include <string>

namespace tovr {

// IActiveDesktop::ApplyChanges flags, with the system's AD_APPLY_* values.
inline constexpr unsigned kAdApplySave = 0x1;
inline constexpr unsigned kAdApplyHtmlGen = 0x2;
inline constexpr unsigned kAdApplyRefresh = 0x4;
inline constexpr unsigned kAdApplyAll = kAdApplySave | kAdApplyHtmlGen | kAdApplyRefresh;  // 7
inline constexpr unsigned kAdApplyForce = 0x8;

class IActiveDesktopObject {
 public:
  virtual ~IActiveDesktopObject() = default;
  // Creates the object when none is held yet; false when it cannot be created (no message).
  virtual bool Ensure() = 0;
  // IActiveDesktop::SetWallpaper(path, 0) on the held object; false when none is held or the
  // call fails.
  virtual bool SetWallpaper(const std::string& path) = 0;
  // IActiveDesktop::ApplyChanges(flags) on the held object; false when none is held or the
  // call fails.
  virtual bool ApplyChanges(unsigned flags) = 0;
};

}  // namespace tovr
