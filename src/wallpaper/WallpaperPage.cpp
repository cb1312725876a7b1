#include "wallpaper/WallpaperPage.h"

#include <utility>

#include "wallpaper/WallpaperPageWriter.h"

namespace tovr::wallpaper {

namespace {

constexpr char kOption[] = "Option";

// Transition effects of the animated page, by the number the page uses. 13/15 and 14/16 share
// a caption; the numbers differ.
std::vector<std::string> TransitionNames() {
  return {"方形收缩", "方形展开", "圆形收缩",   "圆形展开",   "向上擦除",   "向下擦除",
          "向右擦除", "向左擦除", "垂直栅条",   "水平栅条",   "水平栅格",   "垂直栅格",
          "溶解",     "水平关门", "水平开门",   "水平关门",   "水平开门",   "从左下角抽出",
          "从左上角抽出", "从右下角抽出", "从右上角抽出", "水平线", "垂直线", "随机"};
}

}  // namespace

std::string MinutesLeftText(int minutes) { return "少于 " + std::to_string(minutes) + " 分钟"; }

WallpaperPage::WallpaperPage(WallpaperPagePorts ports, DesktopIconHooks hooks, std::minstd_rand& random,
                             bool& activeDesktopOn)
    : wallpaperList(ports.shellIconIndex),
      transitionEffectCombo("transitionEffectCombo", TransitionNames(), "[ 无 ]"),
      applier(ports.registry, ports.activeDesktop, ports.system, ports.messages, hooks, activeDesktopOn),
      editing(wallpaperList, wallpaperPreview, ports.dialogs, ports.files, ports.messages),
      ports_(ports),
      hooks_(std::move(hooks)),
      random_(random) {
  // The form's design state: both follow their boxes once those are clicked.
  transitionEffectCombo.SetEnabled(false);
  intervalMinutes.SetEnabled(false);
  wallpaperList.OnChange = [this] {
    wallpaperChanged = true;
    wallpaperApplyPending = true;
  };
  // With at most one row selected, the preview follows the row whose selection changed.
  wallpaperList.OnSelectionChange = [this](std::size_t row) {
    if (wallpaperList.SelectedCount() <= 1) wallpaperPreview.Show(wallpaperList[row].path);
  };
}

// ---- Handlers ---------------------------------------------------------------------------------

// The animated page cycles the pictures itself: it needs the interval, and rotates in list order.
void WallpaperPage::OnTransitionAnimationClicked() {
  transitionEffectCombo.SetEnabled(transitionAnimationBox.Checked());
  if (transitionAnimationBox.Checked()) {
    timedChangeBox.SetChecked(true);
    randomOrderBox.SetChecked(false);
    intervalMinutes.SetEnabled(true);
  }
  wallpaperApplyPending = true;
}

void WallpaperPage::OnTimedChangeClicked() { intervalMinutes.SetEnabled(timedChangeBox.Checked()); }

void WallpaperPage::OnTransitionEffectChanged() { wallpaperApplyPending = true; }

void WallpaperPage::OnIntervalMinutesChanged() { wallpaperApplyPending = true; }

void WallpaperPage::OnWallpaperRowDoubleClicked() {
  if (std::optional<std::string> path = SelectedWallpaperPath()) {
    applier.SetWallpaper(*path);
    if (hooks_.applyIconStyle) hooks_.applyIconStyle();
  }
}

void WallpaperPage::OnWallpaperTimer() {
  --minutesLeft;
  if (minutesLeft <= 0) {
    PickNextWallpaper();
    if (changeInterval > 0) {
      minutesLeft = changeInterval;
    } else {
      wallpaperTimer.SetEnabled(false);
    }
  }
  ShowMinutesLeft();
}

void WallpaperPage::OnNextWallpaperItemClicked(TSettingsFile& settings) {
  if (wallpaperList.Empty()) return;
  if (!wallpaperList.FirstSelected()) wallpaperList.SetSelected(0, true);
  PickNextWallpaper();
  transitionAnimationBox.SetChecked(false);
  transitionEffectCombo.SetEnabled(false);
  settings.PutFlag(kOption, "DynamicDesk", false);
}

// ---- Settings ----------------------------------------------------------------------------------

void WallpaperPage::LoadOptions(TSettingsFile& s) {
  if (s.HasKey(kOption, "DynamicDesk")) transitionAnimationBox.SetChecked(s.GetFlag(kOption, "DynamicDesk", false));
  if (s.HasKey(kOption, "DynaIndex")) transitionEffectCombo.SetItemIndex(s.GetNumber(kOption, "DynaIndex", 23));
  if (s.HasKey(kOption, "Interval")) changeInterval = s.GetNumber(kOption, "Interval", 0);
  if (s.HasKey(kOption, "AutoChange")) timedChangeBox.SetChecked(s.GetFlag(kOption, "AutoChange", false));
  if (changeInterval > 0) {
    intervalMinutes.SetValue(changeInterval);
    minutesLeft = changeInterval;
    ShowMinutesLeft();
    wallpaperTimer.SetEnabled(timedChangeBox.Checked() && !transitionAnimationBox.Checked());
  }
  if (s.HasKey(kOption, "RunChange")) changeAtStartupBox.SetChecked(s.GetFlag(kOption, "RunChange", false));
  if (s.HasKey(kOption, "RandomChange")) randomOrderBox.SetChecked(s.GetFlag(kOption, "RandomChange", false));
}

void WallpaperPage::SaveSchedule(TSettingsFile& s) {
  s.PutFlag(kOption, "AutoChange", timedChangeBox.Checked());
  s.PutNumber(kOption, "Interval", intervalMinutes.Value());
  s.PutFlag(kOption, "RunChange", changeAtStartupBox.Checked());
  s.PutFlag(kOption, "RandomChange", randomOrderBox.Checked());
  changeInterval = intervalMinutes.Value();
  if (minutesLeft <= 0 || changeInterval < minutesLeft) minutesLeft = changeInterval;
  ShowMinutesLeft();
  wallpaperTimer.SetEnabled(timedChangeBox.Checked() && !transitionAnimationBox.Checked());
  minutesLeftLabel.SetEnabled(wallpaperTimer.Enabled());
}

void WallpaperPage::SaveEffect(TSettingsFile& s) {
  s.PutFlag(kOption, "DynamicDesk", transitionAnimationBox.Checked());
  s.PutNumber(kOption, "DynaIndex", transitionEffectCombo.ItemIndex());
}

void WallpaperPage::LoadWallpaperList(TSettingsFile& settings) {
  TSettingsFile::Operation op = settings.BeginOperation();
  auto entries = settings.SectionEntries(kPicsSection);
  op.Commit();
  wallpaperList.Clear();
  std::vector<std::string> paths;
  paths.reserve(entries.size());
  for (auto& entry : entries) paths.push_back(std::move(entry.second));
  editing.AddAll(paths);
  SelectCurrentWallpaper();
}

void WallpaperPage::SaveWallpaperList(TSettingsFile& settings) {
  TSettingsFile::Operation op = settings.BeginOperation();
  settings.ClearSection(kPicsSection);
  for (std::size_t i = 0; i < wallpaperList.Count(); ++i)
    settings.PutText(kPicsSection, std::to_string(i), wallpaperList[i].path);
  op.Commit();
}

// ---- Operations --------------------------------------------------------------------------------

void WallpaperPage::SelectCurrentWallpaper() {
  if (wallpaperList.Empty()) return;
  const std::size_t row = wallpaperList.Find(applier.ReadCurrentWallpaper()).value_or(0);
  wallpaperList.ClearSelection();
  wallpaperList.SetSelected(row, true);
  wallpaperPreview.Show(wallpaperList[row].path);
}

// Uniform among the rows whose path differs from the current wallpaper (as drawing again while
// the drawn row is the current one gives); with none, the current picture stays.
std::size_t WallpaperPage::RandomRow(const std::string& current) {
  std::size_t candidates = 0;
  for (std::size_t i = 0; i < wallpaperList.Count(); ++i) candidates += wallpaperList[i].path != current ? 1 : 0;
  if (candidates == 0) return wallpaperList.Find(current).value_or(0);
  std::size_t k = std::uniform_int_distribution<std::size_t>(0, candidates - 1)(random_);
  for (std::size_t i = 0; i < wallpaperList.Count(); ++i) {
    if (wallpaperList[i].path != current && k-- == 0) return i;
  }
  return 0;
}

void WallpaperPage::PickNextWallpaper() {
  if (wallpaperList.Empty()) return;
  const std::string current = applier.ReadCurrentWallpaper();
  const std::size_t start = wallpaperList.FirstSelected().value_or(0);
  wallpaperList.ClearSelection();
  const std::size_t row =
      randomOrderBox.Checked() ? RandomRow(current) : (start + 1 > wallpaperList.Count() - 1 ? 0 : start + 1);
  wallpaperList.SetSelected(row, true);
  applier.SetWallpaper(wallpaperList[row].path);
  if (hooks_.applyIconStyle) hooks_.applyIconStyle();
}

void WallpaperPage::ApplyAnimatedWallpaper() {
  if (!applier.PagesSupported()) {
    applier.ReportNoPages();
    return;
  }
  std::vector<std::string> urls;
  urls.reserve(wallpaperList.Count());
  for (std::size_t i = 0; i < wallpaperList.Count(); ++i) urls.push_back(PictureUrl(wallpaperList[i].path));
  WriteWallpaperPage(urls, true);
}

// The page is written before the wallpaper is touched: a page that cannot be written leaves
// the desktop as it was.
void WallpaperPage::WriteWallpaperPage(const std::vector<std::string>& urls, bool clearFirst) {
  const std::string page = ports_.system.WindowsDirectory() + "\\" + kPageFileName;
  const PageSettings settings{transitionEffectCombo.ItemIndex(), intervalMinutes.Value() * 60000,
                              ports_.system.ScreenWidth(), ports_.system.ScreenHeight()};
  WritePageFile(ports_.files, page, WallpaperPageText(urls, settings));
  if (clearFirst) applier.SetWallpaper("");
  applier.SetWallpaper(page);
  if (hooks_.applyIconStyle) hooks_.applyIconStyle();
}

std::optional<std::string> WallpaperPage::SelectedWallpaperPath() const {
  if (std::optional<std::size_t> row = wallpaperList.FirstSelected()) return wallpaperList[*row].path;
  return std::nullopt;
}

}  // namespace tovr::wallpaper
