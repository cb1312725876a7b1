// fakedesk.exe: a stand-in for the shell's desktop in the end-to-end checks (Wine has no
// "Progman"), and the eyes that read its icon list view back from another process.
//
//   fakedesk serve LAYOUT N [NAME...]
//                               makes the desktop's windows with an icon list view of N items
//                               (named NAME... in order, the others "图标 I") covering the work
//                               area, and runs until closed. After each change of the screen's
//                               size (WM_DISPLAYCHANGE) it moves every item itself half a second
//                               later, as Explorer does, item I to (30, 30 + 80 I).
//                               LAYOUT: progman  Progman > SHELLDLL_DefView > SysListView32
//                                       workerw  Progman without children; two top-level
//                                                WorkerW windows, the first one empty, the
//                                                second holding the DefView (Windows 7-11
//                                                after a slideshow or a wallpaper engine)
//                                       win8     Progman > WorkerW (empty, first child), then
//                                                SHELLDLL_DefView > SysListView32
//   fakedesk state              the list view's state, one "name value" line each: host (the
//                               top-level class that holds it), first-workerw (the first
//                               top-level WorkerW from the top: empty, holder or none),
//                               progman-child (the class of Progman's first child, or none),
//                               workarea (left top right
//                               bottom), visible, count, text, back (colours in hex), then
//                               "item I X Y" per item, read with
//                               LVM_GETITEMPOSITION through memory in the list view's process
//   fakedesk move I X Y         LVM_SETITEMPOSITION of item I
//   fakedesk colours TEXT BACK  LVM_SETTEXTCOLOR and LVM_SETTEXTBKCOLOR
//   fakedesk resize W H         the screen's size (ChangeDisplaySettingsEx), which sends every
//                               top-level window WM_DISPLAYCHANGE
// The state also counts the colour sets (LVM_SETTEXTCOLOR, LVM_SETTEXTBKCOLOR) and redraws
// (LVM_REDRAWITEMS) the list view has taken ("sets N", "redraws N"), the times it moved its
// items after a size change ("shuffles N"), and gives the whole screen's size ("screen W H").
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void Out(const std::string& line) {
  std::string s = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

std::string Hex(unsigned long v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08lx", v);
  return buf;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[64] = {};
  GetClassNameW(h, buf, 64);
  return buf;
}

std::string Utf8(const std::wstring& w) {
  std::string s(w.size() * 3 + 1, '\0');
  s.resize(static_cast<std::size_t>(
      WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), static_cast<int>(s.size()), nullptr, nullptr)));
  return s;
}

// Counts the colour sets and redraws in properties of the list view, which `state` reads.
constexpr wchar_t kSets[] = L"TovrFakeSets";
constexpr wchar_t kRedraws[] = L"TovrFakeRedraws";
constexpr wchar_t kShuffles[] = L"TovrFakeShuffles";
constexpr UINT_PTR kShuffleTimer = 1;

HWND g_list = nullptr;  // the served list view

void Count(HWND list, const wchar_t* counter) {
  SetPropW(list, counter, reinterpret_cast<HANDLE>(reinterpret_cast<UINT_PTR>(GetPropW(list, counter)) + 1));
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE && !GetParent(hwnd)) PostQuitMessage(0);
  if (msg == WM_DISPLAYCHANGE && g_list) SetTimer(hwnd, kShuffleTimer, 500, nullptr);
  if (msg == WM_TIMER && wParam == kShuffleTimer) {
    KillTimer(hwnd, kShuffleTimer);
    const auto count = static_cast<int>(SendMessageW(g_list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) SendMessageW(g_list, LVM_SETITEMPOSITION, i, MAKELPARAM(30, 30 + 80 * i));
    Count(g_list, kShuffles);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND Make(const wchar_t* cls, const wchar_t* title, HWND parent, const RECT& r) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN : WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  const DWORD ex = parent ? 0 : WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  const int x = parent ? 0 : r.left, y = parent ? 0 : r.top;
  return CreateWindowExW(ex, cls, title, style, x, y, r.right - r.left, r.bottom - r.top, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  const wchar_t* counter = msg == LVM_SETTEXTCOLOR || msg == LVM_SETTEXTBKCOLOR ? kSets
                           : msg == LVM_REDRAWITEMS                             ? kRedraws
                                                                                 : nullptr;
  if (counter) Count(hwnd, counter);
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// SHELLDLL_DefView > SysListView32 "FolderView" with `count` items named `names`, then
// "图标 I", under `host`.
HWND MakeView(HWND host, const RECT& area, int count, const std::vector<std::wstring>& names) {
  HWND view = Make(L"SHELLDLL_DefView", L"", host, area);
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHAREIMAGELISTS,
                              0, 0, area.right - area.left, area.bottom - area.top, view, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SetWindowSubclass(list, &CountingProc, 1, 0);
  g_list = list;
  for (int i = 0; i < count; ++i) {
    std::wstring text = i < static_cast<int>(names.size()) ? names[i] : L"图标 " + std::to_wstring(i);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = text.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  return view;
}

int Serve(const std::wstring& layout, int count, const std::vector<std::wstring>& names) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
  for (const wchar_t* cls : {L"Progman", L"WorkerW", L"SHELLDLL_DefView"}) {
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
  }
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  HWND progman = Make(L"Progman", L"Program Manager", nullptr, area);
  if (layout == L"progman") {
    MakeView(progman, area, count, names);
  } else if (layout == L"workerw") {
    HWND holder = Make(L"WorkerW", L"", nullptr, area);
    MakeView(holder, area, count, names);
    HWND empty = Make(L"WorkerW", L"", nullptr, area);
    // Bottom of the z-order: Progman, the empty WorkerW, then the holder below it, so that the
    // first WorkerW met from the top is the empty one.
    for (HWND w : {progman, empty, holder}) SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else if (layout == L"win8") {
    MakeView(progman, area, count, names);
    HWND empty = Make(L"WorkerW", L"", progman, area);
    SetWindowPos(empty, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    return 2;
  }
  if (layout != L"workerw") SetWindowPos(progman, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

// The first SysListView32 below a top-level Progman or WorkerW window, and that window.
HWND FindList(HWND* host) {
  struct Search {
    HWND list = nullptr;
    HWND host = nullptr;
  } s;
  EnumWindows([](HWND top, LPARAM p) -> BOOL {
    auto* s = reinterpret_cast<Search*>(p);
    const std::wstring cls = ClassOf(top);
    if (cls != L"Progman" && cls != L"WorkerW") return TRUE;
    EnumChildWindows(top, [](HWND child, LPARAM q) -> BOOL {
      if (ClassOf(child) != WC_LISTVIEWW) return TRUE;
      *reinterpret_cast<HWND*>(q) = child;
      return FALSE;
    }, reinterpret_cast<LPARAM>(&s->list));
    if (!s->list) return TRUE;
    s->host = top;
    return FALSE;
  }, reinterpret_cast<LPARAM>(&s));
  if (host) *host = s.host;
  return s.list;
}

int State() {
  HWND host = nullptr;
  HWND list = FindList(&host);
  if (!list) {  // not up yet: an answer, not a failure
    Out("host none");
    return 0;
  }
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const std::string host8 = Utf8(ClassOf(host));
  Out("host " + host8);
  HWND worker = FindWindowExW(nullptr, nullptr, L"WorkerW", nullptr);
  Out(std::string("first-workerw ") +
      (!worker ? "none" : FindWindowExW(worker, nullptr, L"SHELLDLL_DefView", nullptr) ? "holder" : "empty"));
  HWND first = GetWindow(FindWindowW(L"Progman", nullptr), GW_CHILD);
  Out("progman-child " + (first ? Utf8(ClassOf(first)) : std::string("none")));
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  Out("workarea " + std::to_string(area.left) + " " + std::to_string(area.top) + " " + std::to_string(area.right) +
      " " + std::to_string(area.bottom));
  Out(std::string("visible ") + (IsWindowVisible(list) ? "1" : "0"));
  Out("count " + std::to_string(count));
  Out("text " + Hex(static_cast<unsigned long>(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0))));
  Out("back " + Hex(static_cast<unsigned long>(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0))));
  Out("sets " + std::to_string(reinterpret_cast<UINT_PTR>(GetPropW(list, kSets))));
  Out("redraws " + std::to_string(reinterpret_cast<UINT_PTR>(GetPropW(list, kRedraws))));
  Out("shuffles " + std::to_string(reinterpret_cast<UINT_PTR>(GetPropW(list, kShuffles))));
  Out("screen " + std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)) + " " +
      std::to_string(GetSystemMetrics(SM_CYVIRTUALSCREEN)));
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  if (!process) return 1;
  void* remote = VirtualAllocEx(process, nullptr, sizeof(POINT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  for (int i = 0; remote && i < count; ++i) {
    POINT pt{-99999, -99999};
    SendMessageW(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &pt, sizeof pt, nullptr);
    Out("item " + std::to_string(i) + " " + std::to_string(pt.x) + " " + std::to_string(pt.y));
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return remote ? 0 : 1;
}

long Num(const wchar_t* s) { return static_cast<long>(std::wcstoll(s, nullptr, 0)); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring cmd = argc >= 2 ? argv[1] : L"";
  if (cmd == L"serve" && argc >= 4) return Serve(argv[2], static_cast<int>(Num(argv[3])), {argv + 4, argv + argc});
  if (cmd == L"resize" && argc >= 4) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(Num(argv[2]));
    mode.dmPelsHeight = static_cast<DWORD>(Num(argv[3]));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExW(nullptr, &mode, nullptr, 0, nullptr) == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
  }
  if (cmd == L"state") return State();
  HWND list = FindList(nullptr);
  if (cmd == L"move" && argc >= 5 && list) {
    SendMessageW(list, LVM_SETITEMPOSITION, static_cast<WPARAM>(Num(argv[2])), MAKELPARAM(Num(argv[3]), Num(argv[4])));
    return 0;
  }
  if (cmd == L"colours" && argc >= 4 && list) {
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, Num(argv[2]));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, Num(argv[3]));
    return 0;
  }
  Out("usage: fakedesk serve LAYOUT N [NAME...] | state | move I X Y | colours TEXT BACK | resize W H");
  return 2;
}
