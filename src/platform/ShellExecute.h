// The shell's "start this" operation, as the shortcut launcher uses it: ShellExecute with a
// verb, a file (a path or a web address), parameters and a working folder. The Win32 adapter
// passes the main window as the owner; tests use a recording fake.
#pragma once

#include <string>

namespace tovr {

// SW_SHOWDEFAULT: the started program decides how its window first shows.
inline constexpr int kShowDefault = 10;

class IShellExecute {
 public:
  virtual ~IShellExecute() = default;
  // Asks the shell to perform `verb` ("open", "explore") on `file` with `parameters`, in the
  // working folder `directory` (empty: none given). True when the shell reports success; the
  // launcher does not examine it (the shell shows its own message where it has one).
  virtual bool Open(const std::string& verb, const std::string& file,
                    const std::string& parameters, const std::string& directory,
                    int show) = 0;
};

}  // namespace tovr
