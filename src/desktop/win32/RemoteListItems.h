// The names and positions of a list view that belongs to another process (the desktop's). A
// list view answers LVM_GETITEMTEXTW and LVM_GETITEMPOSITION by writing into memory of its own
// process, so one buffer is allocated there (VirtualAllocEx), the requests are written into it
// and the answers read back (WriteProcessMemory, ReadProcessMemory); the buffer and the process
// handle are released on every way out.
//
// The request for the text is an LVITEMW as the list view's process lays it out: a 64-bit
// Explorer reads a 64-bit LVITEMW (pointers of 8 bytes) also when a 32-bit Tovrane asks it on
// 64-bit Windows, and a 32-bit list view a 32-bit one. The buffer is allocated by the system
// below 4 GiB for a 32-bit caller, so its address fits either layout.
#pragma once

#include <windows.h>

#include "desktop/DesktopPorts.h"

namespace tovr::desktop::win32 {

// Every item of `list`; each message is given `timeoutMs` to be answered, and the first that is
// not ends the reading (kNotAnswering).
IDesktopListView::Items ReadRemoteListItems(HWND list, UINT timeoutMs);

}  // namespace tovr::desktop::win32
