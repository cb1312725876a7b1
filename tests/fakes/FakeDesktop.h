// The desktop's icon list view and the colour dialog in memory: the list view holds a number of
// items, their names and positions, colours and visibility, and records the calls it took; the dialog
// answers from a script and records the colours it was preset to.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/DesktopPorts.h"

namespace tovr::desktop {

class FakeDesktopListView final : public IDesktopListView {
 public:
  bool exists = true;  // false: no desktop list view (no shell)
  int items = 0;
  WorkArea workArea{0, 0, 1024, 738};
  std::map<int, std::pair<int, int>> positions;  // item -> (x, y)
  std::optional<std::uint32_t> textColour, backColour;
  bool visible = true;
  bool answers = true;  // false: the shell does not answer in time
  bool refuses = false;  // true: its process cannot be opened
  bool autoArranged = false;
  Size desktopSize{1024, 768};
  std::vector<std::string> names;  // of the first items; the others are "图标 i"
  std::vector<std::string> calls;

  // The desktop holds these icons, item i at (10, 10 + 100 i) until moved.
  void Hold(std::vector<std::string> iconNames) {
    names = std::move(iconNames);
    items = static_cast<int>(names.size());
    positions.clear();
    for (int i = 0; i < items; ++i) positions[i] = {10, 10 + 100 * i};
  }

  int ItemCount() override { return exists ? items : 0; }
  bool MoveItems(std::span<const IconPlacement> placements) override {
    if (!exists || !answers) return false;
    calls.push_back("MoveItems(" + std::to_string(placements.size()) + ")");
    for (const IconPlacement& p : placements) {
      if (p.item >= 0 && p.item < items) positions[p.item] = {p.x, p.y};
    }
    return true;
  }
  Items ReadItems() override {
    if (!exists) return {Answer::kNoListView, {}};
    if (!answers) return {Answer::kNotAnswering, {}};
    if (refuses) return {Answer::kRefused, {}};
    Items read{Answer::kRead, {}};
    for (int i = 0; i < items; ++i) {
      const auto at = positions.find(i);
      const auto [x, y] = at == positions.end() ? std::pair{0, 0} : at->second;
      const std::string name = i < static_cast<int>(names.size()) ? names[i] : "图标 " + std::to_string(i);
      read.items.push_back({name, x, y});
    }
    return read;
  }
  std::optional<bool> AutoArranged() override { return exists ? std::optional<bool>(autoArranged) : std::nullopt; }
  Size DesktopSize() override { return desktopSize; }
  void SetTextColours(std::uint32_t text, std::uint32_t background) override {
    if (!exists) return;
    calls.push_back("SetTextColours(" + std::to_string(text) + "," + std::to_string(background) + ")");
    textColour = text;
    backColour = background;
  }
  std::optional<Colours> TextColours() override {
    if (!exists || !answers) return std::nullopt;
    return Colours{textColour.value_or(0), backColour.value_or(0)};
  }
  void RedrawItems(int first, int last) override {
    if (exists) calls.push_back("RedrawItems(" + std::to_string(first) + "," + std::to_string(last) + ")");
  }
  std::optional<bool> Visible() override { return exists ? std::optional<bool>(visible) : std::nullopt; }
  void Show(bool show) override {
    if (!exists) return;
    calls.push_back(show ? "Show" : "Hide");
    visible = show;
  }
  int dpi = 96;
  int Dpi() override { return dpi; }
  WorkArea PrimaryWorkArea() override { return workArea; }
};

class FakeColourDialog final : public IColourDialog {
 public:
  std::optional<std::uint32_t> answer;  // nullopt: cancelled
  std::vector<std::uint32_t> presets;   // the colour of each opening

  std::optional<std::uint32_t> Choose(std::uint32_t colour) override {
    presets.push_back(colour);
    return answer;
  }
};

class FakeSystemColours final : public ISystemColours {
 public:
  std::map<int, std::uint32_t> colours;  // unknown indexes give 0, as the system does

  std::uint32_t Colour(int index) override {
    const auto it = colours.find(index);
    return it == colours.end() ? 0 : it->second;
  }
};

}  // namespace tovr::desktop
