#include "app/win32/TrayMenuDump.h"

#include "base/win32/Wide.h"

namespace tovr::app::win32 {

namespace {

void DumpLevel(HMENU menu, int depth, std::string& out) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_BITMAP;
    info.dwTypeData = caption;
    info.cch = 511;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
    if (info.fType & MFT_SEPARATOR) {
      out += "-";
    } else {
      out += Narrow(caption);
    }
    out += "\t" + std::to_string(info.wID);
    // A separator's state means nothing (the system may call it disabled).
    if (!(info.fType & MFT_SEPARATOR)) {
      if (info.fState & MFS_DISABLED) out += "\tdisabled";
      if (info.fState & MFS_CHECKED) out += "\tchecked";
      if (info.hbmpItem) out += "\ticon";
    }
    out += "\n";
    if (info.hSubMenu) DumpLevel(info.hSubMenu, depth + 1, out);
  }
}

}  // namespace

std::string DumpMenu(HMENU menu) {
  std::string out;
  if (menu) DumpLevel(menu, 0, out);
  return out;
}

void DumpMenuIfAsked(HMENU menu) {
  wchar_t path[1024] = {};
  const DWORD n = GetEnvironmentVariableW(L"TOVR_DUMP_MENU", path, 1024);
  if (n == 0 || n >= 1024) return;
  const std::string text = DumpMenu(menu);
  HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace tovr::app::win32
