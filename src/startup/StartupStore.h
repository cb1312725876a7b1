// The startup list's store: the Run and NeverRun keys of HKEY_LOCAL_MACHINE (its 64-bit and its
// 32-bit programs' keys) and of HKEY_CURRENT_USER, each holding one string value per entry
// (name = the row's name, data = its command); the user's and all users' Startup folders, one
// file per entry; and the StartupApproved values that say whether Windows starts an entry.
//
// Load reads everything for reading only. Apply brings the system to the list without touching
// what the list does not hold: it writes each row's value where its source and tick put it (only
// when that value differs, with the type the row was read with), and only then deletes the
// values the list held before that no row holds now (removed, renamed or moved rows), so a
// failure between the two never loses an entry. Subkeys, values of other types and values the
// list never held stay as they are.
#pragma once

#include <functional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/ShellPorts.h"
#include "startup/StartupList.h"
#include "startup/StartupSystem.h"

namespace tovr::startup {

struct StartupStorePorts {
  IRegistry& registry;
  IFileSystem& files;
  IShellLinks& links;
  IStartupSystem& system;
};

// LoadStartupEntries' filling: when the list is empty, appends a row for every value of the six
// keys, in the order HKEY_LOCAL_MACHINE Run, NeverRun, its 32-bit Run, NeverRun, HKEY_CURRENT_USER
// Run, NeverRun and the registry's enumeration order in each, then for every file directly in
// the user's and all users' Startup folders (desktop.ini is none). A key or folder that does not
// open gives no rows. A value that is not a string stops the load with "Invalid data type for
// '%s'"; the rows read before it stay. A row in Run or a folder is ticked unless its
// StartupApproved value says off; a NeverRun row is not ticked. A folder shortcut's command is
// its target (the file itself when the link cannot be read). `iconOf` gives a command's icon
// index (a folder row's: of its file).
void LoadStartupRows(StartupList& list, const StartupStorePorts& ports,
                     const std::function<int(const std::string&)>& iconOf);

// ApplyStartupEntries: nothing when the list is empty. Rows whose Location is none of the labels
// are skipped. A registry row goes to Run when ticked, to NeverRun when not, except that a row
// switched off only by StartupApproved stays in Run while it stays unticked; a ticked row whose
// StartupApproved value says off gets it on. A folder row's tick is written to its
// StartupApproved value; a folder shortcut given a new command is written again; a removed
// folder row's file goes to the Recycle Bin. Whatever cannot be written, moved or deleted (for
// instance under HKEY_LOCAL_MACHINE without administrator rights) stays where it was; every
// other change is still made, and then "Failed to set data for '%s'" is thrown once, naming the
// first such entry.
void ApplyStartupRows(StartupList& list, const StartupStorePorts& ports);

}  // namespace tovr::startup
