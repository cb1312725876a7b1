// A window system in memory: top-level windows in Z order (first = topmost) with a title,
// visibility, cloaking and class name; Add gives handles 1, 2, 3... in order. SetAlpha records
// the last alpha per window; the windows in `refusing` refuse it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "transparency/WindowSystem.h"

namespace tovr {

class FakeWindowSystem : public transparency::IWindowSystem {
 public:
  using Handle = transparency::WindowHandle;
  struct Window {
    std::string title;
    bool visible;
    std::string className;
    bool cloaked = false;
  };
  std::vector<Window> windows;  // window i has handle i + 1
  Handle mainWindow = 0;
  std::map<Handle, int> alpha;
  std::set<Handle> refusing;

  Handle Add(std::string title, bool visible = true, std::string className = "Window") {
    windows.push_back({std::move(title), visible, std::move(className), false});
    return windows.size();
  }

  Handle MainWindow() override { return mainWindow; }
  Handle FirstWindow() override { return windows.empty() ? 0 : 1; }
  Handle NextWindow(Handle w) override { return w < windows.size() ? w + 1 : 0; }
  std::vector<Handle> TopLevelWindows() override {
    std::vector<Handle> all;
    for (Handle w = 1; w <= windows.size(); ++w) all.push_back(w);
    return all;
  }
  std::string Title(Handle w) override { return Has(w) ? windows[w - 1].title : ""; }
  bool Visible(Handle w) override { return Has(w) && windows[w - 1].visible; }
  std::string ClassName(Handle w) override { return Has(w) ? windows[w - 1].className : ""; }
  bool Cloaked(Handle w) override { return Has(w) && windows[w - 1].cloaked; }
  bool SetAlpha(Handle w, int value) override {
    if (refusing.count(w)) return false;
    alpha[w] = value;
    return true;
  }

 private:
  bool Has(Handle w) const { return w >= 1 && w <= windows.size(); }
};

}  // namespace tovr
