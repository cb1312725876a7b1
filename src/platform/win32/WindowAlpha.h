// Constant-alpha translucency of a whole top-level window, the one operation behind every
// transparency setting (and the update notifier's alpha 240).
#pragma once

#include <windows.h>

namespace tovr {

// Looks up SetLayeredWindowAttributes in user32 at each call (it does not exist before
// Windows 2000: then nothing happens), adds WS_EX_LAYERED to the window's extended style,
// keeping the other bits, and sets `alpha` (0..255) with colour key 0 and LWA_ALPHA. Layered
// windows draw slower, and some programs draw wrongly while layered: at alpha 255 a window
// this process made layered loses the style again, and an opaque window never gets it; a
// window that was layered before keeps its style, at alpha 255. False when nothing could be set.
bool SetWindowAlpha(HWND window, int alpha);

}  // namespace tovr
