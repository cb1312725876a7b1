// probe.exe: the end-to-end tests' eyes and hands inside the Wine desktop. It reports
// top-level windows and message boxes and sends messages, printing UTF-8 lines on stdout.
//
//   probe windows [CLASS]                         hwnd, class, title, visible, exstyle, alpha, pid
//   probe wait CLASS TIMEOUT_MS                   exit 0 once a window of CLASS exists
//   probe gone CLASS TIMEOUT_MS                   exit 0 once no window of CLASS exists
//   probe post CLASS MSG WPARAM LPARAM            PostMessage to the first window of CLASS
//   probe send CLASS MSG WPARAM LPARAM            SendMessageTimeout (5 s); prints the result
//   probe boxes                                   message boxes: title, then each child's text
//   probe press TITLE BUTTON_TEXT TIMEOUT_MS      waits for a box titled TITLE, clicks the button
#include <windows.h>

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

int Usage() {
  Out("usage: probe windows|wait|gone|post|send|boxes|press ...");
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
    UINT msg = static_cast<UINT>(Num(argv[3]));
    WPARAM wp = static_cast<WPARAM>(Num(argv[4]));
    LPARAM lp = static_cast<LPARAM>(Num(argv[5]));
    if (cmd == L"post") return PostMessageW(found[0], msg, wp, lp) ? 0 : 1;
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
  return Usage();
}
