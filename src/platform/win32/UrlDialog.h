// The web-address dialog: caption "添加", dialog frame, centred on its owner; the question,
// "标题" with the title's box, "链接" with the link's box, "是" (default, Enter) and "否"
// (Escape, closing). "是" closes only when the link keeps a protocol (":"); otherwise it shows
// the protocol message and stays open. While it is open the owner leaves the stay-on-top state
// and the dialog takes it; afterwards the owner is put back on top.
#pragma once

#include <windows.h>

#include <string>

namespace tovr::win32 {

// Modal; true when accepted, with `title` and `link` holding the edited texts.
bool ShowUrlDialog(HWND owner, const std::string& question, std::string& title, std::string& link);

// The dialog's class name for finding it from tests and probes: a standard dialog ("#32770")
// with this caption.
inline constexpr wchar_t kUrlDialogCaption[] = L"添加";
// Control ids inside the dialog.
inline constexpr int kIdQuestion = 101, kIdTitleLabel = 102, kIdLinkLabel = 103, kIdTitleEdit = 104, kIdLinkEdit = 105;

}  // namespace tovr::win32
