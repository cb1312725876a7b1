// What the system says: the text of a failure code, and the folder picker. Shared by the tools'
// adapters.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tovr {

// The system's text for an error or HRESULT code, without its trailing line break; "Error 0x…"
// when the system has none.
std::string SystemErrorText(DWORD code);

// The shell's folder picker (folders of the file system only); nothing when cancelled.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title);

}  // namespace tovr
