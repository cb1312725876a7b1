// Functions of the system libraries that the tray icon does not need are bound at their first
// call instead of at the process's start. The loader maps every library of the import table,
// and the libraries each of them imports, before the program's first line runs, and so before
// the tray icon shows: the controls' library (comctl32, in the version the manifest asks for),
// OLE, the file and colour dialogs, the multimedia commands, the update check's HTTP and
// signature check and the preview decoder come after it.
//
//   TOVR_LATE(comdlg32, GetOpenFileNameW)(&dialog)
//
// The library is loaded by its name, as the import table would have it (the manifest's
// redirection applies), and stays loaded. A library that cannot be loaded, or that lacks the
// function, is an Error naming both; a worker thread that calls one catches it.
#pragma once

#include <windows.h>

namespace tovr::win32 {

FARPROC LateBoundAddress(const wchar_t* library, const char* function);

}  // namespace tovr::win32

#define TOVR_LATE(library, function)                                                               \
  ([] {                                                                                            \
    static const auto address = reinterpret_cast<decltype(&::function)>(                           \
        reinterpret_cast<void*>(::tovr::win32::LateBoundAddress(L"" #library ".dll", #function))); \
    return address;                                                                                \
  }())
