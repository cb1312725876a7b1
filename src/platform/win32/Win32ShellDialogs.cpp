#include "platform/win32/Win32ShellDialogs.h"

#include <commdlg.h>
#include <shlobj.h>

#include <vector>

#include "base/win32/Wide.h"
#include "controls/win32/MenuBinder.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/SystemText.h"
#include "platform/win32/UrlDialog.h"

namespace tovr {

std::optional<std::string> Win32ShellDialogs::ChooseFile() {
  // "*.*|*.*|*.exe|*.exe": all files (first, preselected), then programs.
  static constexpr wchar_t kFilter[] = L"*.*\0*.*\0*.exe\0*.exe\0";
  std::vector<wchar_t> buffer(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
  if (!TOVR_LATE(comdlg32, GetOpenFileNameW)(&ofn)) return std::nullopt;
  return Narrow(buffer.data());
}

std::optional<std::string> Win32ShellDialogs::ChooseFolder(const std::string& title) {
  return BrowseForFolder(owner, title);
}

bool Win32ShellDialogs::ShowUrlDialog(const std::string& question, std::string& title, std::string& link) {
  return win32::ShowUrlDialog(owner, question, title, link);
}

void Win32ShellDialogs::DropDownMenu(controls::MenuItem& menu, std::string_view anchor) {
  HWND button = anchorWindow ? anchorWindow(anchor) : nullptr;
  POINT at{};
  if (button) {
    RECT r{};
    GetWindowRect(button, &r);
    at = POINT{r.left, r.bottom};  // the button's bottom-left corner, on the screen
  } else {
    GetCursorPos(&at);
  }
  controls::win32::MenuBinder binder;
  if (!binder.Build(menu)) return;
  if (owner) SetForegroundWindow(owner);
  const UINT id = binder.Track(owner, at, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON);
  if (controls::MenuItem* item = id ? binder.ItemForCommand(id) : nullptr) item->Click();
}

}  // namespace tovr
