#include "desktop/IconLayouts.h"

#include <algorithm>
#include <map>

#include "base/Error.h"

namespace tovr::desktop {

namespace {

// An icon without a name (one that could not be read) or with one that cannot stand on a line
// of its own (no file name holds these) is neither kept nor put back.
bool Storable(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

int Clamped(int v) { return std::clamp(v, kMinIconCoordinate, kMaxIconCoordinate); }

std::vector<std::string> KeysOf(const std::vector<IDesktopListView::Item>& items) {
  std::vector<std::string> names;
  names.reserve(items.size());
  for (const IDesktopListView::Item& item : items) names.push_back(item.name);
  return IconKeys(names);
}

std::string SizeName(IDesktopListView& listView) {
  const IDesktopListView::Size size = listView.DesktopSize();
  return DesktopSizeName(size.width, size.height);
}

}  // namespace

std::string IconLayoutPath(const std::string& configPath) {
  const std::size_t slash = configPath.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : configPath.substr(0, slash + 1)) + "IconLayout.ini";
}

void IconLayouts::Save() {
  const IDesktopListView::Items read = ports_.listView.ReadItems();
  if (!ItemsRead(read, Asked::kByUser)) return;
  if (read.items.empty()) {
    Tell(kNoIconsText, kMbIconInformation);
    return;
  }
  LayoutSection section{SizeName(ports_.listView), {}};
  const std::vector<std::string> keys = KeysOf(read.items);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const IDesktopListView::Item& item = read.items[i];
    if (Storable(item.name)) section.icons.push_back({keys[i], Clamped(item.x), Clamped(item.y)});
  }

  IconLayoutFile layouts;
  std::string keptAside;
  if (const std::optional<std::string> bytes = ports_.files.ReadFile(ports_.layoutPath)) {
    ParsedLayout parsed = ParseIconLayout(*bytes);
    if (parsed.file) {
      layouts = std::move(*parsed.file);
    } else {
      keptAside = ports_.layoutPath + ".bak";
      ports_.files.WriteFileAtomic(keptAside, *bytes);
    }
  }
  layouts.Replace(std::move(section));
  const std::string bytes = SerialiseIconLayout(layouts);
  if (bytes.size() > kMaxLayoutFileBytes) throw Error("桌面图标位置太多，不能保存：" + ports_.layoutPath);
  ports_.files.WriteFileAtomic(ports_.layoutPath, bytes);
  damageTold_ = false;
  if (!keptAside.empty()) Tell("原来的桌面图标位置文件已损坏，已另存为：\r\r" + keptAside, kMbIconInformation);
}

bool IconLayouts::Restore() { return RestoreFor(Asked::kByUser); }
bool IconLayouts::RestoreAfterSizeChange() { return RestoreFor(Asked::kBySizeChange); }

bool IconLayouts::RestoreFor(Asked asked) {
  const bool byUser = asked == Asked::kByUser;
  bool damaged = false;
  const std::optional<IconLayoutFile> layouts = ReadLayouts(asked, damaged);
  if (damaged) return false;
  const LayoutSection* section = layouts ? layouts->Find(SizeName(ports_.listView)) : nullptr;
  if (!section) {
    if (byUser) Tell(kNoLayoutText, kMbIconInformation);
    return false;
  }
  const std::optional<bool> arranged = ports_.listView.AutoArranged();
  if (!arranged || *arranged) {
    if (byUser) Tell(arranged ? kAutoArrangedText : kNoDesktopText, arranged ? kMbIconInformation : kMbIconExclamation);
    return false;
  }
  const IDesktopListView::Items read = ports_.listView.ReadItems();
  if (!ItemsRead(read, asked)) return false;

  // Only indices of items just read reach the list view; the file gives positions alone.
  std::map<std::string, int> itemOfKey;
  const std::vector<std::string> keys = KeysOf(read.items);
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (Storable(read.items[i].name)) itemOfKey.emplace(keys[i], static_cast<int>(i));
  }
  std::vector<IconPlacement> placements;
  for (const SavedIcon& icon : section->icons) {
    if (const auto found = itemOfKey.find(icon.key); found != itemOfKey.end()) {
      placements.push_back({found->second, icon.x, icon.y});
    }
  }
  if (placements.empty()) return false;
  if (!ports_.listView.MoveItems(placements)) {
    Tell(kDesktopNotAnsweringText, kMbIconExclamation);
    return false;
  }
  return true;
}

std::optional<IconLayoutFile> IconLayouts::ReadLayouts(Asked asked, bool& damaged) {
  const std::optional<std::string> bytes = ports_.files.ReadFile(ports_.layoutPath);
  if (!bytes) return std::nullopt;
  ParsedLayout parsed = ParseIconLayout(*bytes);
  if (parsed.file) return std::move(parsed.file);
  damaged = true;
  if (asked == Asked::kByUser || !damageTold_) {
    Tell(DamagedText(parsed.damagedLine), kMbIconExclamation);
    damageTold_ = true;
  }
  return std::nullopt;
}

// Failures are told whoever asked; a desktop that is not there only to a user's command.
bool IconLayouts::ItemsRead(const IDesktopListView::Items& read, Asked asked) {
  switch (read.answer) {
    case IDesktopListView::Answer::kRead:
      return true;
    case IDesktopListView::Answer::kNoListView:
      if (asked == Asked::kByUser) Tell(kNoDesktopText, kMbIconExclamation);
      return false;
    case IDesktopListView::Answer::kNotAnswering:
      Tell(kDesktopNotAnsweringText, kMbIconExclamation);
      return false;
    case IDesktopListView::Answer::kRefused:
      Tell(kDesktopRefusedText, kMbIconExclamation);
      return false;
  }
  return false;
}

void IconLayouts::Tell(const std::string& text, unsigned flags) {
  ports_.messages.Show(text, ports_.title, kMbOk | flags);
}

std::string IconLayouts::DamagedText(int line) const {
  const std::string where = line > 0 ? "（第 " + std::to_string(line) + " 行）" : "";
  return "桌面图标位置文件已损坏" + where + "，不能恢复：\r\r" + ports_.layoutPath +
         "\r\r下次保存桌面图标位置时，它将另存为 IconLayout.ini.bak。";
}

}  // namespace tovr::desktop
