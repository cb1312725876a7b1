#include "transparency/WindowRules.h"

#include <cstddef>

namespace tovr::transparency {

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

// Class names outside ASCII cannot match: their UTF-8 bytes are never ASCII letters.
bool IsStartMenuClass(std::string_view className) {
  return EqualsIgnoringCase(className.substr(0, 7), "BaseBar");
}

bool IsTaskbarClass(std::string_view className) {
  return EqualsIgnoringCase(className, "Shell_TrayWnd") || EqualsIgnoringCase(className, "Shell_SecondaryTrayWnd");
}

std::vector<std::string> ListVisibleWindows(IWindowSystem& windows, ListedWindows& table) {
  table.Clear();
  std::vector<std::string> lines;
  bool lowestListed = true;
  int steps = 0;
  for (WindowHandle w = windows.FirstWindow(); w != 0 && steps < kMaxWalk; w = windows.NextWindow(w), ++steps) {
    std::string title = windows.Title(w);
    if (title.empty() || !windows.Visible(w) || windows.Cloaked(w)) continue;
    lowestListed = table.Add(w);
    if (lowestListed) lines.push_back(std::move(title));
  }
  if (!lines.empty() && lowestListed) lines.pop_back();
  return lines;
}

}  // namespace tovr::transparency
