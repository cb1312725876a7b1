// Names the program derives from its executable's path (UTF-8, Windows separators): the
// application title and the files that live beside the executable.
#pragma once

#include <string>
#include <string_view>

namespace tovr::app {

// The title of the application's hidden owner window, used by error boxes: the executable's
// file name up to its first full stop, every character after the first in lower case
// ("C:\Apps\TOVRANE.EXE" -> "Tovrane"). Only ASCII letters change case; a name without a full
// stop is taken whole. Both '\' and '/' separate folders.
std::string ApplicationTitle(std::string_view exePath);

// The executable's folder, up to and including its last separator; empty without one.
std::string ExeDirectory(std::string_view exePath);
// "Config.ini" beside the executable.
std::string ConfigPath(std::string_view exePath);
// "help.chm" beside the executable.
std::string HelpPath(std::string_view exePath);

}  // namespace tovr::app
