// The animated wallpaper page "TovrWall.htm": an HTML page holding the whole picture list that
// cycles the pictures by itself with the browser's reveal-transition filter. Eleven kinds of
// line, each ended by CR LF, 8-bit text in code page 936.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace tovr::wallpaper {

inline constexpr char kPageFileName[] = "TovrWall.htm";

struct PageSettings {
  int transition = -1;  // transitionEffectCombo's index; -1 when none is chosen
  int intervalMs = 0;   // intervalMinutes x 60000
  int screenWidth = 0;
  int screenHeight = 0;
};

// The page's text (UTF-8) for these urls (paths with "/" for "\").
std::string WallpaperPageText(const std::vector<std::string>& urls, const PageSettings& settings);

// The picture url of a list path: every "\" replaced by "/".
std::string PictureUrl(std::string path);

// Deletes an old page and writes the new one, in code page 936, at `pagePath`. A page that
// cannot be written throws tovr::Error "Unable to write to %s".
void WritePageFile(IFileSystem& files, const std::string& pagePath, const std::string& utf8Text);

}  // namespace tovr::wallpaper
