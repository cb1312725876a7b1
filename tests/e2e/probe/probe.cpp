// probe.exe: the end-to-end tests' eyes and hands inside the Wine desktop. It reports
// top-level windows and message boxes and sends messages, printing UTF-8 lines on stdout.
//
//   probe windows [CLASS]                         hwnd, class, title, visible, exstyle, alpha, pid
//   probe wait CLASS TIMEOUT_MS                   exit 0 once a window of CLASS exists
//   probe gone CLASS TIMEOUT_MS                   exit 0 once no window of CLASS exists
//   probe post CLASS MSG WPARAM LPARAM [COUNT]    PostMessage to the first window of CLASS
//                                                 (COUNT times, default once)
//   probe send CLASS MSG WPARAM LPARAM            SendMessageTimeout (5 s); prints the result
//                                                 (MSG: a number or a registered message's name)
//   probe boxes                                   message boxes: title, then each child's text
//   probe press TITLE BUTTON_TEXT TIMEOUT_MS      waits for a box titled TITLE, clicks the button
//   probe children CLASS                          the first window of CLASS: every descendant's
//                                                 hwnd, id, class, text, visible, enabled, and
//                                                 screen rectangle left,top,right,bottom
//   probe rect CLASS                              screen rectangle of the first (visible) window
//                                                 of CLASS
//   probe click CLASS CONTROL_ID                  BM_CLICK to the descendant with that id
//   probe sendchild CLASS CHILD_CLASS MSG WPARAM LPARAM
//                                                 SendMessageTimeout to the first descendant of
//                                                 CHILD_CLASS; prints the result
//   probe sendid CLASS CONTROL_ID MSG WPARAM LPARAM
//                                                 the same to the descendant with that id
//   probe pixel X Y                               the screen pixel's colour, rrggbb
//   probe trayarea [PLACE]                        fingerprint of the pixels where the first tray
//                                                 icon is drawn (changes when it comes or goes);
//                                                 PLACE 1, 2, ...: the places of further icons,
//                                                 20 pixels each, leftwards
//   probe tooltip TIMEOUT_MS                      waits for a visible tooltip with text; prints it
//   probe key CLASS VK                            posts WM_KEYDOWN and WM_KEYUP of VK to the first
//                                                 visible window of CLASS (e.g. an open menu, #32768)
//   probe launch-tray COMMAND_LINE TIMEOUT_MS     starts a program and prints the milliseconds
//                                                 until the first tray icon place changes (an
//                                                 icon appeared in an empty tray)
//   probe window CLASS TITLE MS                   shows a top-level window of CLASS titled TITLE
//                                                 for MS milliseconds (a window of the test)
//   probe listrows CLASS CONTROL_ID               the rows of the list view with that id in the
//                                                 first window of CLASS: index, check state
//                                                 (0 none, 1 unticked, 2 ticked), the texts of
//                                                 the first three columns, and the screen point
//                                                 x,y of the row's check box
//   probe screensaver 0|1                         sets whether a screen saver is active, as the
//                                                 display settings do (under Wine: the X
//                                                 server's screen saver, which Wine reports)
//   probe focus                                   the foreground window's class, and the class of
//                                                 the window with the keyboard focus ("-": none)
//   probe reg KEY [NAME]                          KEY: HKCU\... or HKLM\... With NAME, the
//                                                 value's type and data ("REG_SZ text",
//                                                 "REG_DWORD 0x7", "REG_BINARY 0A0B"); without,
//                                                 "key". Nothing when it does not exist; exit 2
//                                                 when the registry could not be asked
//   probe link TARGET LINK_PATH                   writes a shell link to TARGET (a test's
//                                                 shortcut, as a setup program makes one)
//   probe hotkey MODIFIERS VK MS                  holds a system-wide hotkey (RegisterHotKey's
//                                                 modifiers) for MS milliseconds, as another
//                                                 program would; exit 2 when it is taken
//
// Exit status: 0 done or answered; 1 "no" (wait, gone, press, tooltip timed out; key, post,
// click found no window); 2 the question could not be answered.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "base/win32/Wide.h"

namespace {

using tovr::Narrow;
using tovr::Widen;

void Out(const std::string& line) {
  std::string s = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

std::wstring TextOf(HWND h) {
  wchar_t buf[1024] = {};
  // WM_GETTEXT works across processes for any window, unlike GetWindowText on controls.
  SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buf;
}

std::vector<HWND> TopLevel() {
  std::vector<HWND> all;
  EnumWindows([](HWND h, LPARAM p) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::vector<HWND> OfClass(const std::wstring& cls) {
  std::vector<HWND> found;
  for (HWND h : TopLevel())
    if (ClassOf(h) == cls) found.push_back(h);
  return found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> kids;
  EnumChildWindows(parent, [](HWND h, LPARAM p) -> BOOL {
    reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
    return TRUE;
  }, reinterpret_cast<LPARAM>(&kids));
  return kids;
}

std::string Hex(unsigned long long v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx", v);
  return buf;
}

std::string Describe(HWND h) {
  LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
  std::string alpha = "-";
  if (ex & WS_EX_LAYERED) {
    BYTE a = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(h, nullptr, &a, &flags)) alpha = (flags & LWA_ALPHA) ? std::to_string(a) : "none";
  }
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  return Hex(reinterpret_cast<ULONG_PTR>(h)) + "\t" + Narrow(ClassOf(h)) + "\t" + Narrow(TextOf(h)) + "\t" +
         (IsWindowVisible(h) ? "visible" : "hidden") + "\t" + Hex(static_cast<unsigned long long>(ex)) + "\t" +
         alpha + "\t" + std::to_string(pid);
}

bool WaitFor(DWORD timeoutMs, auto done) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
}

long long Num(const wchar_t* s) { return std::wcstoll(s, nullptr, 0); }

HWND FindBox(const std::wstring& title) {
  for (HWND h : OfClass(L"#32770"))
    if (IsWindowVisible(h) && TextOf(h) == title) return h;
  return nullptr;
}

std::string Rect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

HWND FirstOfClass(const std::wstring& cls) {
  auto found = OfClass(cls);
  return found.empty() ? nullptr : found[0];
}

// The pixels of the notification area's first icon place (the right end of the taskbar):
// Wine's explorer draws its tray icons there itself, so a change of these pixels is the icon
// appearing or going.
std::vector<COLORREF> TrayArea(int place = 0) {
  HWND tray = FirstOfClass(L"Shell_TrayWnd");
  if (!tray) return {};
  RECT r{};
  GetWindowRect(tray, &r);
  const int w = place == 0 ? 22 : 20, h = r.bottom - r.top;
  r.right -= place == 0 ? 0 : 2 + 20 * place;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<COLORREF> pixels;
  if (dib) {
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, w, h, screen, r.right - w, r.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const COLORREF*>(bits);
    pixels.assign(p, p + w * h);
    SelectObject(mem, old);
    DeleteObject(dib);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return pixels;
}

std::string Fingerprint(const std::vector<COLORREF>& pixels) {
  unsigned long long h = 1469598103934665603ull;
  for (COLORREF c : pixels) h = (h ^ c) * 1099511628211ull;
  return Hex(h);
}

// The rows of another process's list view: texts and rectangles need memory in that process.
int ListRows(HWND list) {
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
  constexpr int kChars = 1024;
  auto* remote = process ? static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * 2,
                                                             MEM_COMMIT, PAGE_READWRITE))
                         : nullptr;
  if (!remote) return 1;
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
  auto send = [&](UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(list, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result);
    return result;
  };
  const auto count = static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < count; ++row) {
    const auto check = (send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12) & 0xF;
    std::string line = std::to_string(row) + "\t" + std::to_string(check);
    for (int sub = 0; sub < 3; ++sub) {
      LVITEMW item{};
      item.iSubItem = sub;
      item.pszText = remoteText;
      item.cchTextMax = kChars;
      wchar_t text[kChars] = {};
      WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
      send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
      ReadProcessMemory(process, remoteText, text, sizeof text - sizeof(wchar_t), nullptr);
      line += "\t" + Narrow(text);
    }
    RECT icon{LVIR_ICON, 0, 0, 0};
    WriteProcessMemory(process, remote, &icon, sizeof icon, nullptr);
    send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote, &icon, sizeof icon, nullptr);
    POINT box{icon.left - 8, (icon.top + icon.bottom) / 2};  // the check box is left of the icon
    ClientToScreen(list, &box);
    Out(line + "\t" + std::to_string(box.x) + "," + std::to_string(box.y));
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
  return 0;
}

// probe reg: 0 answered (printed, or nothing when absent), 2 when the registry refused.
int RegQuery(const std::wstring& path, const wchar_t* name) {
  const auto slash = path.find(L'\\');
  const std::wstring rootName = path.substr(0, slash);
  HKEY root = rootName == L"HKCU" || rootName == L"HKEY_CURRENT_USER"    ? HKEY_CURRENT_USER
              : rootName == L"HKLM" || rootName == L"HKEY_LOCAL_MACHINE" ? HKEY_LOCAL_MACHINE
                                                                           : nullptr;
  if (!root) return 2;
  const std::wstring sub = slash == std::wstring::npos ? L"" : path.substr(slash + 1);
  HKEY key = nullptr;
  LSTATUS status = RegOpenKeyExW(root, sub.c_str(), 0, KEY_QUERY_VALUE, &key);
  if (status == ERROR_FILE_NOT_FOUND) return 0;
  if (status != ERROR_SUCCESS) return 2;
  if (!name) {
    RegCloseKey(key);
    Out("key");
    return 0;
  }
  DWORD type = 0, size = 0;
  status = RegQueryValueExW(key, name, nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size + 2 * sizeof(wchar_t));
  if (status == ERROR_SUCCESS) status = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
  RegCloseKey(key);
  if (status == ERROR_FILE_NOT_FOUND) return 0;
  if (status != ERROR_SUCCESS) return 2;
  const auto text = [&] { return Narrow(reinterpret_cast<const wchar_t*>(data.data())); };
  switch (type) {
    case REG_SZ: Out("REG_SZ " + text()); break;
    case REG_EXPAND_SZ: Out("REG_EXPAND_SZ " + text()); break;
    case REG_DWORD: Out("REG_DWORD " + Hex(*reinterpret_cast<const DWORD*>(data.data()))); break;
    default: {
      std::string hex;
      char byte[3];
      for (DWORD i = 0; i < size; ++i) {
        std::snprintf(byte, sizeof byte, "%02X", data[i]);
        hex += byte;
      }
      Out((type == REG_BINARY ? "REG_BINARY " : "REG_TYPE" + std::to_string(type) + " ") + hex);
    }
  }
  return 0;
}

// probe link: 0 written, 2 when the shell refused.
int MakeLink(const wchar_t* target, const wchar_t* linkPath) {
  if (FAILED(CoInitialize(nullptr))) return 2;
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link))) &&
               SUCCEEDED(link->SetPath(target)) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
               SUCCEEDED(file->Save(linkPath, TRUE));
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return saved ? 0 : 2;
}

// probe hotkey: holds the key while its message loop runs for `ms`.
int HoldHotKey(UINT modifiers, UINT vk, DWORD ms) {
  if (!RegisterHotKey(nullptr, 1, modifiers, vk)) return 2;
  Out("held");
  const DWORD end = GetTickCount() + ms;
  MSG msg;
  while (GetTickCount() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
  UnregisterHotKey(nullptr, 1);
  return 0;
}

int Usage() {
  Out("usage: probe windows|wait|gone|post|send|boxes|press|children|rect|click|sendchild|pixel|trayarea|tooltip|key|launch-tray|sendid|listrows|window|screensaver|reg|link|hotkey ...");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  std::wstring cmd = argv[1];
  if (cmd == L"windows") {
    for (HWND h : TopLevel())
      if (argc < 3 || ClassOf(h) == argv[2]) Out(Describe(h));
    return 0;
  }
  if ((cmd == L"wait" || cmd == L"gone") && argc >= 4) {
    bool wantPresent = cmd == L"wait";
    std::wstring cls = argv[2];
    bool ok = WaitFor(static_cast<DWORD>(Num(argv[3])), [&] { return OfClass(cls).empty() != wantPresent; });
    return ok ? 0 : 1;
  }
  if ((cmd == L"post" || cmd == L"send") && argc >= 6) {
    auto found = OfClass(argv[2]);
    if (found.empty()) {
      Out("no window of class " + Narrow(argv[2]));
      return 1;
    }
    // MSG is a number or the name of a registered message.
    wchar_t* end = nullptr;
    UINT msg = static_cast<UINT>(std::wcstoll(argv[3], &end, 0));
    if (end == argv[3]) msg = RegisterWindowMessageW(argv[3]);
    WPARAM wp = static_cast<WPARAM>(Num(argv[4]));
    LPARAM lp = static_cast<LPARAM>(Num(argv[5]));
    if (cmd == L"post") {
      const long long count = argc >= 7 ? Num(argv[6]) : 1;
      for (long long i = 0; i < count; ++i)
        if (!PostMessageW(found[0], msg, wp, lp)) return 1;
      return 0;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(found[0], msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return 1;
    Out(std::to_string(static_cast<long long>(result)));
    return 0;
  }
  if (cmd == L"boxes") {
    for (HWND h : OfClass(L"#32770")) {
      if (!IsWindowVisible(h)) continue;
      std::string line = Narrow(TextOf(h));
      for (HWND c : Children(h)) {
        std::wstring t = TextOf(c);
        if (!t.empty()) line += "\t" + Narrow(t);
      }
      Out(line);
    }
    return 0;
  }
  if (cmd == L"press" && argc >= 5) {
    std::wstring title = argv[2], button = argv[3];
    HWND box = nullptr;
    if (!WaitFor(static_cast<DWORD>(Num(argv[4])), [&] { return (box = FindBox(title)) != nullptr; })) {
      Out("no message box titled " + Narrow(title));
      return 1;
    }
    for (HWND c : Children(box)) {
      if (ClassOf(c) == L"Button" && TextOf(c) == button) {
        PostMessageW(c, BM_CLICK, 0, 0);
        return 0;
      }
    }
    Out("no button " + Narrow(button));
    return 1;
  }
  if (cmd == L"children" && argc >= 3) {
    HWND top = FirstOfClass(argv[2]);
    if (!top) {
      Out("no window of class " + Narrow(argv[2]));
      return 1;
    }
    for (HWND c : Children(top)) {
      Out(Hex(reinterpret_cast<ULONG_PTR>(c)) + "\t" + std::to_string(GetDlgCtrlID(c)) + "\t" +
          Narrow(ClassOf(c)) + "\t" + Narrow(TextOf(c)) + "\t" + (IsWindowVisible(c) ? "visible" : "hidden") +
          "\t" + (IsWindowEnabled(c) ? "enabled" : "disabled") + "\t" + Rect(c));
    }
    return 0;
  }
  if (cmd == L"rect" && argc >= 3) {
    HWND top = nullptr;
    for (HWND h : OfClass(argv[2]))
      if (!top && IsWindowVisible(h)) top = h;
    if (!top) top = FirstOfClass(argv[2]);
    if (!top) return 1;
    Out(Rect(top));
    return 0;
  }
  if (cmd == L"click" && argc >= 4) {
    HWND top = FirstOfClass(argv[2]);
    if (!top) {
      Out("no window of class " + Narrow(argv[2]));
      return 1;
    }
    int id = static_cast<int>(Num(argv[3]));
    for (HWND c : Children(top)) {
      if (GetDlgCtrlID(c) == id) {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(c, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) ? 0 : 1;
      }
    }
    Out("no control with id " + std::to_string(id));
    return 1;
  }
  if (cmd == L"pixel" && argc >= 4) {
    HDC dc = GetDC(nullptr);
    COLORREF c = GetPixel(dc, static_cast<int>(Num(argv[2])), static_cast<int>(Num(argv[3])));
    ReleaseDC(nullptr, dc);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    Out(buf);
    return 0;
  }
  if (cmd == L"sendchild" && argc >= 7) {
    HWND top = FirstOfClass(argv[2]);
    HWND child = nullptr;
    if (top)
      for (HWND c : Children(top))
        if (!child && ClassOf(c) == argv[3]) child = c;
    if (!child) {
      Out("no child of class " + Narrow(argv[3]));
      return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(child, static_cast<UINT>(Num(argv[4])), static_cast<WPARAM>(Num(argv[5])),
                             static_cast<LPARAM>(Num(argv[6])), SMTO_ABORTIFHUNG, 5000, &result)) {
      return 1;
    }
    Out(std::to_string(static_cast<long long>(result)));
    return 0;
  }
  if (cmd == L"sendid" && argc >= 7) {
    HWND top = FirstOfClass(argv[2]);
    HWND child = nullptr;
    if (top)
      for (HWND c : Children(top))
        if (!child && GetDlgCtrlID(c) == static_cast<int>(Num(argv[3]))) child = c;
    if (!child) {
      Out("no child with id " + Narrow(argv[3]));
      return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(child, static_cast<UINT>(Num(argv[4])), static_cast<WPARAM>(Num(argv[5])),
                             static_cast<LPARAM>(Num(argv[6])), SMTO_ABORTIFHUNG, 5000, &result)) {
      return 1;
    }
    Out(std::to_string(static_cast<long long>(result)));
    return 0;
  }
  if (cmd == L"trayarea") {
    auto pixels = TrayArea(argc >= 3 ? static_cast<int>(Num(argv[2])) : 0);
    if (pixels.empty()) return 1;
    Out(Fingerprint(pixels));
    return 0;
  }
  if (cmd == L"tooltip" && argc >= 3) {
    std::string text;
    bool ok = WaitFor(static_cast<DWORD>(Num(argv[2])), [&] {
      for (HWND h : OfClass(L"tooltips_class32")) {
        if (!IsWindowVisible(h)) continue;
        text = Narrow(TextOf(h));
        if (!text.empty()) return true;
      }
      return false;
    });
    if (!ok) return 1;
    Out(text);
    return 0;
  }
  if (cmd == L"key" && argc >= 4) {
    HWND target = nullptr;
    for (HWND h : OfClass(argv[2]))
      if (IsWindowVisible(h)) target = target ? target : h;
    if (!target) {
      Out("no visible window of class " + Narrow(argv[2]));
      return 1;
    }
    WPARAM vk = static_cast<WPARAM>(Num(argv[3]));
    return PostMessageW(target, WM_KEYDOWN, vk, 1) && PostMessageW(target, WM_KEYUP, vk, 0xC0000001) ? 0 : 1;
  }
  if (cmd == L"launch-tray" && argc >= 4) {
    const auto before = TrayArea();
    if (before.empty()) {
      Out("no taskbar");
      return 1;
    }
    std::wstring commandLine = argv[2];
    STARTUPINFOW si{};
    si.cb = sizeof si;
    // Not our output pipe: the caller reads our output to its end.
    si.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER freq, start, now;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      Out("cannot start the program");
      return 1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    const DWORD timeout = static_cast<DWORD>(Num(argv[3]));
    for (;;) {
      QueryPerformanceCounter(&now);
      const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
      if (TrayArea() != before) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.1f", ms);
        Out(buf);
        return 0;
      }
      if (ms > timeout) {
        Out("no new tray icon");
        return 1;
      }
      Sleep(1);
    }
  }
  if (cmd == L"window" && argc >= 5) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = argv[2];
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, argv[2], argv[3], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (!w) return 1;
    const DWORD until = GetTickCount() + static_cast<DWORD>(Num(argv[4]));
    while (static_cast<LONG>(until - GetTickCount()) > 0) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    return 0;
  }
  if (cmd == L"listrows" && argc >= 4) {
    HWND top = FirstOfClass(argv[2]);
    const int id = static_cast<int>(Num(argv[3]));
    if (top)
      for (HWND c : Children(top))
        if (GetDlgCtrlID(c) == id && ClassOf(c) == WC_LISTVIEWW) return ListRows(c);
    Out("no list view with id " + std::to_string(id));
    return 1;
  }
  if (cmd == L"focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND foreground = GetForegroundWindow();
    const bool known = GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info);
    Out((foreground ? Narrow(ClassOf(foreground)) : "-") + "\t" +
        (known && info.hwndFocus ? Narrow(ClassOf(info.hwndFocus)) : "-"));
    return 0;
  }
  if (cmd == L"reg" && argc >= 3) return RegQuery(argv[2], argc >= 4 ? argv[3] : nullptr);
  if (cmd == L"link" && argc >= 4) return MakeLink(argv[2], argv[3]);
  if (cmd == L"hotkey" && argc >= 5) {
    return HoldHotKey(static_cast<UINT>(std::wcstoul(argv[2], nullptr, 0)), static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0)),
                      static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 0)));
  }
  if (cmd == L"screensaver" && argc >= 3) {
    // A window of our own first: Wine answers from its display driver only once one exists.
    HWND w = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const BOOL ok = SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, static_cast<UINT>(Num(argv[2])),
                                          nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    if (w) DestroyWindow(w);
    return ok ? 0 : 1;
  }
  return Usage();
}
