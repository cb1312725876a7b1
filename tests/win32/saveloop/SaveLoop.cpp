// SaveLoop.exe PATH MAPPING: saves the settings file at PATH through the real Win32 file port,
// one generation after another, until it is killed (or after 60 seconds). Before each save it
// puts the generation it is about to write into the shared memory named MAPPING, so the test
// that kills it knows which save was in flight.
#include <windows.h>

#include "base/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"
#include "win32/saveloop/SaveGeneration.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, argv[2]);
  if (!mapping) return 3;
  auto* inFlight = static_cast<volatile LONG*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(LONG)));
  if (!inFlight) return 3;
  tovr::Win32FileSystem fs;
  tovr::TSettingsFile ini(fs, tovr::Narrow(argv[1]));
  int generation = ini.GetNumber("Option", "Generation", 0);
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 60000) {
    InterlockedExchange(inFlight, ++generation);
    tovr::testing::SaveGeneration(ini, generation);
  }
  return 0;
}
