#include "controls/MenuItem.h"

#include <algorithm>
#include <atomic>

namespace tovr::controls {

std::uint64_t MenuItem::NextSerial() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

MenuItem& MenuItem::Add(std::unique_ptr<MenuItem> item) {
  return Insert(items_.size(), std::move(item));
}

MenuItem& MenuItem::Insert(std::size_t at, std::unique_ptr<MenuItem> item) {
  at = std::min(at, items_.size());
  auto it = items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
  return **it;
}

void MenuItem::RemoveTagged(int tag) {
  std::erase_if(items_, [tag](const std::unique_ptr<MenuItem>& item) { return item->Tag() == tag; });
}

MenuItem* MenuItem::Find(const std::string& name) {
  if (name_ == name) return this;
  for (auto& item : items_) {
    if (MenuItem* found = item->Find(name)) return found;
  }
  return nullptr;
}

MenuItem* MenuItem::FindSerial(std::uint64_t serial) {
  if (serial_ == serial) return this;
  for (auto& item : items_) {
    if (MenuItem* found = item->FindSerial(serial)) return found;
  }
  return nullptr;
}

void MenuItem::Click() {
  if (!enabled_ || !OnClick) return;
  // A copy: the handler may destroy this item (and with it OnClick) while it runs.
  const std::function<void()> handler = OnClick;
  handler();
}

}  // namespace tovr::controls
