#include "wallpaper/win32/Win32PictureDialogs.h"

#include <commdlg.h>

#include <cwchar>

#include "base/win32/Wide.h"
#include "platform/win32/LateBound.h"

namespace tovr::wallpaper::win32 {

std::vector<std::string> SplitOpenFileNames(const wchar_t* buffer) {
  std::vector<std::string> out;
  const std::wstring first = buffer;
  const wchar_t* next = buffer + first.size() + 1;
  if (first.empty()) return out;
  if (*next == L'\0') {
    out.push_back(Narrow(first));  // one file: its full path
    return out;
  }
  const std::wstring folder = first.back() == L'\\' ? first : first + L"\\";
  while (*next != L'\0') {
    const std::size_t length = std::wcslen(next);
    out.push_back(Narrow(folder + std::wstring(next, length)));
    next += length + 1;
  }
  return out;
}

std::vector<std::string> Win32PictureDialogs::ChoosePictures() {
  const std::wstring filter = Widen(kPictureFilterText) + L'\0' + Widen(kPictureMask) + L'\0';
  // Room for a few thousand names; a larger choice is answered by FNERR_BUFFERTOOSMALL.
  std::vector<wchar_t> buffer(1 << 18, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_FILEMUSTEXIST |
              OFN_PATHMUSTEXIST;
  if (!TOVR_LATE(comdlg32, GetOpenFileNameW)(&ofn)) return {};
  return SplitOpenFileNames(buffer.data());
}

}  // namespace tovr::wallpaper::win32
