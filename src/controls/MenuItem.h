#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tovr::controls {

// A menu item, a submenu (an item with children) or a separator (caption "-").
class MenuItem {
 public:
  explicit MenuItem(std::string name, std::string caption = {}, int tag = 0)
      : name_(std::move(name)), caption_(std::move(caption)), tag_(tag), serial_(NextSerial()) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  // A caption shown exactly as given (a shortcut's name, a window's title): never a
  // separator, and an '&' in it is a plain character, not an access-key mark.
  bool LiteralCaption() const { return literal_; }
  void SetLiteralCaption(bool literal) { literal_ = literal; }
  bool IsSeparator() const { return !literal_ && caption_ == "-"; }
  int Tag() const { return tag_; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string hint) { hint_ = std::move(hint); }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  int ImageIndex() const { return imageIndex_; }  // into the shared small-icon list; -1 none
  void SetImageIndex(int index) { imageIndex_ = index; }
  // Unique for the life of the process, never reused: a view that maps its command ids to
  // items finds an item again only if it still exists (not a new one at the same address).
  std::uint64_t Serial() const { return serial_; }

  // Children, in menu order.
  const std::vector<std::unique_ptr<MenuItem>>& Items() const { return items_; }
  MenuItem& Add(std::unique_ptr<MenuItem> item);
  MenuItem& Insert(std::size_t at, std::unique_ptr<MenuItem> item);  // past the end: appends
  void RemoveTagged(int tag);  // removes every direct child with that tag, with its children
  MenuItem* Find(const std::string& name);  // this item or a descendant, by name
  MenuItem* FindSerial(std::uint64_t serial);  // this item or a descendant

  // Runs OnClick when enabled. The handler may remove this very item from its menu.
  void Click();
  std::function<void()> OnClick;

 private:
  static std::uint64_t NextSerial();

  std::string name_;
  std::string caption_;
  int tag_;
  std::string hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool literal_ = false;
  int imageIndex_ = -1;
  std::uint64_t serial_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace tovr::controls
