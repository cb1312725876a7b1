#include "wallpaper/WallpaperApplier.h"

#include <algorithm>
#include <utility>

#include "base/Error.h"
#include "base/Text.h"

namespace tovr::wallpaper {

namespace {

constexpr char kWallpaperValue[] = "Wallpaper";
constexpr char kShellStateValue[] = "ShellState";

enum class Kind { Other, Picture, Page };  // Picture: JPEG, which needs Active Desktop

Kind KindOf(std::string_view path) {
  const std::string ext = text::AsciiLower(FileExtension(path));
  if (ext == ".jpg" || ext == ".jpeg") return Kind::Picture;
  if (ext == ".htm" || ext == ".html") return Kind::Page;
  return Kind::Other;
}

}  // namespace

std::string_view FileExtension(std::string_view path) {
  const std::size_t at = path.find_last_of(".\\:");
  if (at == std::string_view::npos || path[at] != '.') return {};
  return path.substr(at);
}

WallpaperApplier::WallpaperApplier(IRegistry& registry, IActiveDesktopObject& activeDesktop,
                                   IWallpaperSystem& system, IMessageBox& messages, DesktopIconHooks hooks,
                                   bool& activeDesktopOn)
    : registry_(registry),
      activeDesktop_(activeDesktop),
      system_(system),
      messages_(messages),
      hooks_(std::move(hooks)),
      activeDesktopOn_(activeDesktopOn) {}

std::string WallpaperApplier::ReadCurrentWallpaper() {
  auto key = registry_.Open(RegRoot::CurrentUser, kRecordKey, RegOpen::ReadOnly);
  if (!key) return {};
  try {
    return key->ReadString(kWallpaperValue).value_or("");
  } catch (const Error&) {
    return {};  // not a text: no usable record
  }
}

void WallpaperApplier::RecordCurrentWallpaper(const std::string& path) {
  registry_.Create(RegRoot::CurrentUser, kRecordKey)->WriteString(kWallpaperValue, path);
}

bool WallpaperApplier::IsActiveDesktopOn() {
  if (auto key = registry_.Open(RegRoot::CurrentUser, kExplorerKey, RegOpen::ReadOnly)) {
    std::optional<RegValue> value = key->Read(kShellStateValue);
    if (value) {
      const std::vector<std::uint8_t>& bytes = value->data;
      const std::size_t head = std::min(bytes.size(), kShellStateBytes);
      std::copy_n(bytes.begin(), head, shellState_.begin());
      shellStateTail_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(head), bytes.end());
    }
  }
  return shellState_[4] > kActiveDesktopBit;
}

void WallpaperApplier::SetActiveDesktop() {
  if (shellState_[4] < kActiveDesktopBit) shellState_[4] += kActiveDesktopBit;
  std::vector<std::uint8_t> bytes(shellState_.begin(), shellState_.end());
  if (system_.IsNtPlatform()) {
    bytes.insert(bytes.end(), shellStateTail_.begin(), shellStateTail_.end());
  } else {
    bytes.resize(5);
  }
  registry_.Create(RegRoot::CurrentUser, kExplorerKey)->WriteBinary(kShellStateValue, bytes);
}

bool WallpaperApplier::ObjectUsable() {
  return system_.Support() != ActiveDesktopSupport::None && activeDesktop_.Ensure();
}

bool WallpaperApplier::PagesSupported() {
  return system_.Support() == ActiveDesktopSupport::Full && activeDesktop_.Ensure();
}

void WallpaperApplier::ReportNoPages() {
  if (noPagesReported_) return;
  noPagesReported_ = true;
  messages_.Show(kNoHtmlDesktopText, kNoHtmlDesktopCaption, kNoHtmlDesktopFlags);
}

void WallpaperApplier::ReassertIconHiding() {
  if (!hooks_.setDesktopIconsHidden) return;
  const bool visible = hooks_.desktopIconsVisible ? hooks_.desktopIconsVisible() : true;
  hooks_.setDesktopIconsHidden(!visible, false);
}

void WallpaperApplier::SetWallpaper(const std::string& path) {
  if (path == ReadCurrentWallpaper()) return;
  const std::uintptr_t window = system_.ActiveWindow();
  const Kind kind = KindOf(path);
  if (kind == Kind::Page && !PagesSupported()) {
    ReportNoPages();
    return;
  }
  activeDesktopOn_ = IsActiveDesktopOn();
  const bool needsActive = kind != Kind::Other;
  const bool useObject = (needsActive || activeDesktopOn_) && ObjectUsable();
  if (useObject && needsActive && !activeDesktopOn_) SetActiveDesktop();
  // A picture the object refuses (Wine's answers "not implemented") goes the classic way; a
  // page has no other way.
  const bool done = useObject && ActiveDesktopPath(path);
  if (!done && kind != Kind::Page) ClassicPath(path);
  if (window) system_.BringWindowToTop(window);
  RecordCurrentWallpaper(path);
}

bool WallpaperApplier::ActiveDesktopPath(const std::string& path) {
  if (!activeDesktop_.SetWallpaper(path)) return false;
  ReassertIconHiding();
  activeDesktop_.ApplyChanges(kAdApplyAll);
  return true;
}

// A failure in these steps ends them silently; the wallpaper is still recorded.
void WallpaperApplier::ClassicPath(const std::string& path) {
  try {
    auto key = registry_.Create(RegRoot::CurrentUser, kDesktopKey);
    key->WriteString("TileWallPaper", "0");
    key->WriteString(kWallpaperValue, path);
    key.reset();
    ReassertIconHiding();
    system_.ApplyDeskWallpaper(path);
  } catch (const Error&) {
  }
}

}  // namespace tovr::wallpaper
