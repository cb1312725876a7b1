// Decodes a picture file for the preview box: JPEG through libjpeg, scaled down while decoding
// (wallpaper/PreviewImage.h); BMP, GIF and ICO through the system's picture loader
// (OleLoadPicture); EMF and WMF (with or without the placeable header) played by GDI. The
// result is scaled to fit the box, its aspect kept, on `background` (what transparent parts
// show).
#pragma once

#include <windows.h>

#include <string>

#include "controls/win32/UniqueHandle.h"

namespace tovr::wallpaper::win32 {

// Files larger than this are not read for a preview.
inline constexpr unsigned long long kMaxPreviewFileBytes = 256ull << 20;

// A 32-bit DIB of the fitted size; null when the file cannot be read or is no picture of these
// kinds (the box stays empty; nothing is reported). OLE must be initialised on this thread.
controls::win32::UniqueBitmap DecodePreview(const std::string& path, int boxWidth, int boxHeight, COLORREF background);

}  // namespace tovr::wallpaper::win32
