#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/Control.h"

namespace tovr::controls {

// The tabbed page control. Selecting a page runs the old page's OnHide and then the new page's
// OnShow; only a user's selection runs OnChange (OnPageChanged), after them.
//
// A page is shown only while the page control itself is showing (its window is visible):
// SetShowing(false) runs the active page's OnHide, SetShowing(true) its OnShow, and while not
// showing a selection changes the active page without running either. The control starts
// showing; a view that keeps it in a hidden window calls SetShowing(false) first.
struct Page {
  std::string name;
  std::string caption;
  std::function<void()> OnShow;
  std::function<void()> OnHide;
};

class PageControl : public Control {
 public:
  PageControl(std::string name, std::vector<Page> pages);
  std::vector<Page>& Pages() { return pages_; }
  const std::vector<Page>& Pages() const { return pages_; }
  int ActiveIndex() const { return active_; }  // -1 only when there are no pages
  const std::string& ActiveName() const;
  void SetActivePage(const std::string& name);  // by the program: no OnChange; unknown: nothing
  void SetActiveIndex(int index);               // by the program; outside the pages: nothing
  void UserSelect(int index);                   // by the user: then OnChange
  int IndexOf(const std::string& name) const;   // -1 when no page has that name
  bool Showing() const { return showing_; }
  void SetShowing(bool showing);
  std::function<void()> OnChange;

 private:
  void RunPageHandler(int index, bool show);

  std::vector<Page> pages_;
  int active_;
  int pending_;  // the page asked for last; a handler may ask for another while one switches
  bool switching_ = false;
  bool showing_ = true;
};

}  // namespace tovr::controls
