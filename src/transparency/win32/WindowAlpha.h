// Constant-alpha translucency of a whole top-level window, the one operation behind every
// transparency setting (and the update notifier's alpha 240).
#pragma once

#include <windows.h>

namespace tovr::transparency::win32 {

// Looks up SetLayeredWindowAttributes in user32 at each call (it does not exist before
// Windows 2000: then nothing happens), adds WS_EX_LAYERED to the window's extended style,
// keeping the other bits, and sets `alpha` (0..255) with colour key 0 and LWA_ALPHA. The style
// is never removed: an opaque window has alpha 255. False when nothing could be set.
bool SetWindowAlpha(HWND window, int alpha);

}  // namespace tovr::transparency::win32
