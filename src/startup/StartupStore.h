// The startup list's store: the Run and NeverRun keys of HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER, each holding one string value per entry (name = the row's name, data = its
// command).
//
// Load reads the four keys for reading only. Apply brings the registry to the list without
// touching what the list does not hold: it writes each row's value where its root and tick put
// it (only when that value differs, with the type the row was read with), and only then deletes
// the values the list held before that no row holds now (removed, renamed or moved rows), so a
// failure between the two never loses an entry. Subkeys, values of other types and values the
// list never held stay as they are.
#pragma once

#include <functional>
#include <string>

#include "platform/Registry.h"
#include "startup/StartupList.h"

namespace tovr::startup {

// LoadStartupEntries' filling: when the list is empty, appends a row for every value of the
// four keys, in the order HKEY_LOCAL_MACHINE Run, NeverRun, HKEY_CURRENT_USER Run, NeverRun and
// the registry's enumeration order in each; a key that does not open gives no rows. A value that
// is not a string stops the load with "Invalid data type for '%s'"; the rows read before it
// stay. `iconOf` gives a command's icon index.
void LoadStartupRows(StartupList& list, IRegistry& registry, const std::function<int(const std::string&)>& iconOf);

// ApplyStartupEntries: nothing when the list is empty. Rows whose Location is neither label are
// skipped. A value that cannot be written or deleted (for instance under HKEY_LOCAL_MACHINE
// without administrator rights) leaves that entry where it was; every other change is still
// made, and then "Failed to set data for '%s'" is thrown once, naming the first such value.
void ApplyStartupRows(StartupList& list, IRegistry& registry);

}  // namespace tovr::startup
