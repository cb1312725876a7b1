// The registry adapter's view of the machine's keys, the same in both builds: what it writes
// under HKEY_LOCAL_MACHINE\SOFTWARE is in the 64-bit view and not in WOW6432Node, what a 64-bit
// program writes there it reads, and it deletes the key from that view. Run by the adapter
// tests (64-bit) and by RegistryViewTest.exe, the 32-bit build's check under WOW64.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/Win32Registry.h"

namespace tovr::testing {

// Every way the view is wrong; empty when it is right.
inline std::vector<std::string> RegistryViewFaults() {
  std::vector<std::string> faults;
  constexpr const char* kMachine = "SOFTWARE\\TovraneViewTest";
  constexpr const wchar_t* kWideMachine = L"SOFTWARE\\TovraneViewTest";
  const auto openIn = [&](REGSAM view) {
    HKEY h = nullptr;
    const bool found = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWideMachine, 0, KEY_READ | view, &h) == ERROR_SUCCESS;
    if (found) RegCloseKey(h);
    return found;
  };
  Win32Registry registry;
  registry.DeleteKey(RegRoot::LocalMachine, kMachine);
  registry.Create(RegRoot::LocalMachine, kMachine)->WriteString("Tovr", "C:\\Tovrane\\Tovrane.exe");
  if (!openIn(KEY_WOW64_64KEY)) faults.push_back("the written key is not in the 64-bit view");
  if (openIn(KEY_WOW64_32KEY)) faults.push_back("the written key is in WOW6432Node");
  HKEY h = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kWideMachine, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &h,
                      nullptr) == ERROR_SUCCESS) {
    const wchar_t data[] = L"64";
    RegSetValueExW(h, L"Other", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof data);
    RegCloseKey(h);
  }
  auto key = registry.Open(RegRoot::LocalMachine, kMachine, RegOpen::ReadOnly);
  if (!key || key->Read("Other") != RegValue::FromString("64")) faults.push_back("a 64-bit program's value is not read");
  if (!registry.DeleteKey(RegRoot::LocalMachine, kMachine) || openIn(KEY_WOW64_64KEY)) {
    faults.push_back("the key was not deleted from the 64-bit view");
  }
  return faults;
}

}  // namespace tovr::testing
