#include "platform/win32/UrlDialog.h"

#include <vector>

#include "base/win32/Wide.h"
#include "controls/win32/Dpi.h"
#include "platform/ShellDialogs.h"

namespace tovr::win32 {

namespace {

constexpr int kClientWidth = 320, kClientHeight = 138;

struct DialogState {
  std::wstring question, title, link;
  HFONT font = nullptr;
  int dpi = 96;
};

std::wstring TextOf(HWND control) {
  const int n = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(control, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

// A control at a place of the 96-DPI design, scaled to the dialog's DPI.
HWND Child(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, int id, int x, int y, int w,
           int h, const DialogState& s, DWORD exStyle = 0) {
  using controls::win32::ScaleToDpi;
  const HFONT font = s.font;
  HWND h1 = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, ScaleToDpi(x, s.dpi),
                            ScaleToDpi(y, s.dpi), ScaleToDpi(w, s.dpi), ScaleToDpi(h, s.dpi), dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (h1 && font) SendMessageW(h1, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return h1;
}

void Layout(HWND dialog, DialogState& s) {
  s.dpi = controls::win32::WindowDpi(dialog);
  s.font = controls::win32::CreateUiFont(s.dpi);
  const DialogState& f = s;
  Child(dialog, L"STATIC", s.question, SS_LEFT, kIdQuestion, 12, 10, 296, 18, f);
  Child(dialog, L"STATIC", Widen(kUrlTitleLabel), SS_LEFT, kIdTitleLabel, 12, 40, 40, 18, f);
  Child(dialog, L"EDIT", s.title, WS_TABSTOP | ES_AUTOHSCROLL, kIdTitleEdit, 56, 36, 252, 22, f, WS_EX_CLIENTEDGE);
  Child(dialog, L"STATIC", Widen(kUrlLinkLabel), SS_LEFT, kIdLinkLabel, 12, 70, 40, 18, f);
  Child(dialog, L"EDIT", s.link, WS_TABSTOP | ES_AUTOHSCROLL, kIdLinkEdit, 56, 66, 252, 22, f, WS_EX_CLIENTEDGE);
  Child(dialog, L"BUTTON", Widen(kUrlYes), WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 150, 102, 75, 25, f);
  Child(dialog, L"BUTTON", Widen(kUrlNo), WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, 233, 102, 75, 25, f);

  // The frame around a client area of the design's size, centred on the owner, on top.
  RECT frame{0, 0, controls::win32::ScaleToDpi(kClientWidth, s.dpi), controls::win32::ScaleToDpi(kClientHeight, s.dpi)};
  controls::win32::AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), s.dpi);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND owner = GetWindow(dialog, GW_OWNER); owner && IsWindowVisible(owner)) GetWindowRect(owner, &around);
  const int x = around.left + (around.right - around.left - w) / 2;
  const int y = around.top + (around.bottom - around.top - h) / 2;
  SetWindowPos(dialog, HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Layout(dialog, *reinterpret_cast<DialogState*>(lParam));
      SetFocus(GetDlgItem(dialog, kIdTitleEdit));
      SendDlgItemMessageW(dialog, kIdTitleEdit, EM_SETSEL, 0, -1);
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && s) {
        // "是" and Enter in either field.
        const std::wstring link = TextOf(GetDlgItem(dialog, kIdLinkEdit));
        if (!UrlLinkHasProtocol(Narrow(link))) {
          MessageBoxW(dialog, Widen(kProtocolMessage).c_str(), Widen(kProtocolCaption).c_str(), MB_OK);
          SetFocus(GetDlgItem(dialog, kIdLinkEdit));
          return TRUE;
        }
        s->title = TextOf(GetDlgItem(dialog, kIdTitleEdit));
        s->link = link;
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {  // "否", Escape and the close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

// An empty dialog template (the controls are made in WM_INITDIALOG): dialog frame, caption.
std::vector<WORD> Template() {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
  d->style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  d->cx = 200;
  d->cy = 90;
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (const wchar_t* c = kUrlDialogCaption; *c; ++c) t.push_back(static_cast<WORD>(*c));
  t.push_back(0);
  if (t.size() % 2) t.push_back(0);  // DWORD alignment is not needed without controls
  return t;
}

}  // namespace

bool ShowUrlDialog(HWND owner, const std::string& question, std::string& title, std::string& link) {
  DialogState state;
  state.question = Widen(question);
  state.title = Widen(title);
  state.link = Widen(link);
  const bool ownerOnTop = owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (ownerOnTop) SetWindowPos(owner, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::vector<WORD> t = Template();
  const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(t.data()),
                                                 owner, &DialogProc, reinterpret_cast<LPARAM>(&state));
  if (ownerOnTop) SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (state.font) DeleteObject(state.font);
  if (answer != IDOK) return false;
  title = Narrow(state.title);
  link = Narrow(state.link);
  return true;
}

}  // namespace tovr::win32
