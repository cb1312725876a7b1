// A text picture of a pop-up menu as the user sees it, for the end-to-end checks (another
// process cannot read a menu under Wine). One line per item, in menu order: two blanks of
// indentation per submenu level, the caption ("-" for a separator), a tab and the command id,
// then "\tdisabled", "\tchecked" and "\ticon" (the item shows a picture) when they apply (not
// for separators). UTF-8, "\n" line ends.
#pragma once

#include <windows.h>

#include <string>

namespace tovr::app::win32 {

std::string DumpMenu(HMENU menu);

// Writes DumpMenu(menu) to the file named by the environment variable TOVR_DUMP_MENU, when it
// is set; replaces the file's content. Failures are ignored (a test hook only).
void DumpMenuIfAsked(HMENU menu);

}  // namespace tovr::app::win32
