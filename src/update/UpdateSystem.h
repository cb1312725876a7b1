// What the update check asks of the system besides HTTP: the folder chooser, the move of the
// download, and the short date format the version file's date is written in. The Win32
// adapter is update/win32/Win32UpdateSystem; tests use tests/fakes/FakeUpdate.h.
#pragma once

#include <optional>
#include <string>

namespace tovr::update {

class IUpdateSystem {
 public:
  virtual ~IUpdateSystem() = default;
  // The shell's folder chooser with `title` and no preset folder; none when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
  // Moves a file (across volumes too; an existing target is not replaced). None on success,
  // else the system's text of the failure.
  virtual std::optional<std::string> MoveFileTo(const std::string& from, const std::string& to) = 0;
  // The user's short date pattern ("yyyy/M/d").
  virtual std::string ShortDateFormat() = 0;
};

}  // namespace tovr::update
