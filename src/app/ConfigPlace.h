// Where Config.ini lives. Beside the executable whenever that folder can be written (a
// portable copy, the installer's per-user folder). Unpacked into "C:\Program Files", the
// folder is read-only for the user and every save would fail: the file then lives in
// %APPDATA%\Tovrane, created on first use from the one beside the executable when that exists,
// so a prepared file is honoured. Every later start finds it there.
#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace tovr::app {

struct ConfigPlace {
  std::string path;
  bool moved = false;  // this start made the move to %APPDATA%: the user is told once
};

// Decides the place and makes the move when one is needed. Never throws: when the user's folder
// cannot be made or filled either, the file stays beside the executable and the saves say why.
ConfigPlace PlaceConfig(IFileSystem& fs, std::string_view exePath, std::string_view appDataPath);

// The information box of the start that made the move.
std::string ConfigMovedText(std::string_view path);

}  // namespace tovr::app
