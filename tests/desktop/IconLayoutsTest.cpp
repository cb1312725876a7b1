// The desktop's icon positions kept in IconLayout.ini: saved per desktop size, restored by name
// from the tray and by themselves after the size changed, and a damaged file that can neither
// move an icon nor be overwritten behind the user's back.
#include "desktop/IconLayouts.h"

#include <gtest/gtest.h>

#include "app/FormHarness.h"
#include "desktop/IconPageHarness.h"
#include "support/Utf16File.h"

namespace tovr::desktop {
namespace {

using Position = std::pair<int, int>;

using testing::Utf16File;

struct LayoutHarness : PageHarness {
  // The icons and their positions on the desktop, item 0 first.
  void Desktop(const std::vector<std::pair<std::string, Position>>& icons) {
    std::vector<std::string> names;
    for (const auto& icon : icons) names.push_back(icon.first);
    listView.Hold(names);
    for (std::size_t i = 0; i < icons.size(); ++i) listView.positions[static_cast<int>(i)] = icons[i].second;
  }
  std::vector<Position> Positions() const {
    std::vector<Position> out;
    for (int i = 0; i < listView.items; ++i) out.push_back(listView.positions.at(i));
    return out;
  }
  IconLayoutFile Saved() const {
    ParsedLayout parsed = ParseIconLayout(fs.File(kLayoutPath).value_or(""));
    EXPECT_TRUE(parsed.file) << "damaged at line " << parsed.damagedLine;
    return parsed.file.value_or(IconLayoutFile{});
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& box : messages.shown) out.push_back(box.text);
    return out;
  }
  void ChangeSize(int width, int height) {
    listView.desktopSize = {width, height};
    page.OnDesktopSizeChanged();
  }
  // The wait after a size change ends (the timer fires when it runs).
  void WaitEnds() {
    if (page.layoutRestoreDelayTimer.Running()) page.OnLayoutRestoreDelayTimer();
  }
};

TEST(IconLayoutsTest, SaveWritesEveryIconUnderTheDesktopSizeInUtf16) {
  LayoutHarness h;
  h.listView.desktopSize = {1920, 1080};
  // Icons whose names could not be read are left out, also as " #2".
  h.Desktop({{"回收站", {20, 10}}, {"", {1, 1}}, {"a=b.txt", {-5, 95}}, {"[x]", {1800, 1000}}, {"", {2, 2}},
             {"😀 表情", {0, 0}}});
  h.page.OnSaveIconLayoutItemClicked();
  EXPECT_EQ(h.fs.File(kLayoutPath), Utf16File("[1920x1080]\r\n回收站=20,10\r\na=b.txt=-5,95\r\n[x]=1800,1000\r\n"
                                              "😀 表情=0,0\r\n"));
  EXPECT_TRUE(h.messages.shown.empty());
  EXPECT_TRUE(h.listView.calls.empty()) << "a save moves nothing";
}

// Renamed, added and removed icons: only the names still on the desktop move, wherever they
// now are in the list, and the caption colours are applied after them.
TEST(IconLayoutsTest, RestoreMovesTheSavedNamesOnTheDesktopAndLeavesTheRest) {
  LayoutHarness h;
  h.Desktop({{"回收站", {20, 10}}, {"文档", {20, 95}}, {"旧文件", {20, 180}}, {"a=b.txt", {95, 10}}});
  h.page.OnSaveIconLayoutItemClicked();
  h.Desktop({{"新文件", {300, 300}}, {"a=b.txt", {400, 300}}, {"文稿", {500, 300}}, {"回收站", {600, 300}}});
  h.listView.calls.clear();
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{300, 300}, {95, 10}, {500, 300}, {20, 10}}));
  EXPECT_EQ(h.listView.calls, (std::vector<std::string>{"MoveItems(2)", "SetTextColours(16777215,4294967295)",
                                                        "RedrawItems(0,4)"}));
  EXPECT_TRUE(h.messages.shown.empty());
}

TEST(IconLayoutsTest, IconsOfOneNameAreToldApartByTheirOrder) {
  struct Case {
    std::vector<std::string> names, keys;
  };
  const Case cases[] = {
      {{"a", "b", "a", "a"}, {"a", "b", "a #2", "a #3"}},
      // An icon that is really called "a #2" keeps its name; the next "a" goes on to the next.
      {{"a", "a #2", "a", "a"}, {"a", "a #2", "a #3", "a #4"}},
      {{"a", "a", "a #2"}, {"a", "a #2", "a #2 #2"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(IconKeys(cases[i].names), cases[i].keys) << "case " << i;
  }
  LayoutHarness h;
  h.Desktop({{"新建文件夹", {20, 10}}, {"新建文件夹", {20, 95}}, {"新建文件夹", {20, 180}}});
  h.page.OnSaveIconLayoutItemClicked();
  EXPECT_EQ(h.Saved().sections.at(0).icons,
            (std::vector<SavedIcon>{{"新建文件夹", 20, 10}, {"新建文件夹 #2", 20, 95}, {"新建文件夹 #3", 20, 180}}));
  h.Desktop({{"新建文件夹", {0, 0}}, {"新建文件夹", {0, 0}}, {"新建文件夹", {0, 0}}});
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{20, 10}, {20, 95}, {20, 180}}));
}

// Each desktop size has its own section; saving one leaves the other's as it was.
TEST(IconLayoutsTest, TwoDesktopSizesKeepAndRestoreTheirOwnPositions) {
  LayoutHarness h;
  h.Desktop({{"回收站", {20, 10}}, {"文档", {20, 95}}});
  h.page.OnSaveIconLayoutItemClicked();
  h.listView.desktopSize = {800, 600};
  h.Desktop({{"回收站", {700, 10}}, {"文档", {700, 95}}});
  h.page.OnSaveIconLayoutItemClicked();
  const LayoutSection small{"800x600", {{"回收站", 700, 10}, {"文档", 700, 95}}};
  EXPECT_EQ(h.Saved().sections,
            (std::vector<LayoutSection>{{"1024x768", {{"回收站", 20, 10}, {"文档", 20, 95}}}, small}));

  h.listView.desktopSize = {1024, 768};
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{20, 10}, {20, 95}}));
  h.listView.positions[0] = {500, 500};
  h.page.OnSaveIconLayoutItemClicked();
  EXPECT_EQ(h.Saved().sections,
            (std::vector<LayoutSection>{{"1024x768", {{"回收站", 500, 500}, {"文档", 20, 95}}}, small}));
  h.listView.desktopSize = {800, 600};
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{700, 10}, {700, 95}}));
  EXPECT_TRUE(h.messages.shown.empty());
}

// A command that moves nothing says why; a save that reads nothing writes nothing.
TEST(IconLayoutsTest, CommandsThatCannotDoTheirWorkSayWhy) {
  struct Case {
    const char* what;
    bool save;
    std::function<void(LayoutHarness&)> given;
    const char* text;
    unsigned icon;
  };
  const auto otherSizeOnly = [](LayoutHarness& h) {
    h.fs.SetFile(kLayoutPath, Utf16File("[800x600]\r\n回收站=1,2\r\n"));
  };
  const Case cases[] = {
      {"no file", false, [](LayoutHarness&) {}, kNoLayoutText, kMbIconInformation},
      {"another size only", false, otherSizeOnly, kNoLayoutText, kMbIconInformation},
      {"auto-arranged", false,
       [&](LayoutHarness& h) {
         h.fs.SetFile(kLayoutPath, Utf16File("[1024x768]\r\n回收站=1,2\r\n"));
         h.listView.autoArranged = true;
       },
       kAutoArrangedText, kMbIconInformation},
      {"no desktop", false, [&](LayoutHarness& h) { otherSizeOnly(h), h.listView.desktopSize = {800, 600},
                                                     h.listView.exists = false; },
       kNoDesktopText, kMbIconExclamation},
      {"not answering", false,
       [&](LayoutHarness& h) { otherSizeOnly(h), h.listView.desktopSize = {800, 600}, h.listView.answers = false; },
       kDesktopNotAnsweringText, kMbIconExclamation},
      {"save, not answering", true, [](LayoutHarness& h) { h.listView.answers = false; }, kDesktopNotAnsweringText,
       kMbIconExclamation},
      {"save, refused", true, [](LayoutHarness& h) { h.listView.refuses = true; }, kDesktopRefusedText,
       kMbIconExclamation},
      {"save, no desktop", true, [](LayoutHarness& h) { h.listView.exists = false; }, kNoDesktopText,
       kMbIconExclamation},
      {"save, no icons", true, [](LayoutHarness& h) { h.listView.Hold({}); }, kNoIconsText, kMbIconInformation},
  };
  for (const Case& c : cases) {
    LayoutHarness h;
    h.Desktop({{"回收站", {300, 300}}});
    c.given(h);
    const std::optional<std::string> before = h.fs.File(kLayoutPath);
    c.save ? h.page.OnSaveIconLayoutItemClicked() : h.page.OnRestoreIconLayoutItemClicked();
    ASSERT_EQ(h.messages.shown.size(), 1u) << c.what;
    EXPECT_EQ(h.messages.shown[0].text, c.text) << c.what;
    EXPECT_EQ(h.messages.shown[0].flags, c.icon) << c.what;
    EXPECT_EQ(h.messages.shown[0].caption, "Tovrane") << c.what;
    EXPECT_TRUE(h.listView.calls.empty()) << c.what;
    EXPECT_EQ(h.fs.File(kLayoutPath), before) << c.what;
  }
}

TEST(IconLayoutsTest, AnythingOutOfFormatMakesTheFileDamagedAndMovesNothing) {
  struct Case {
    std::string bytes;
    int line;
  };
  const Case cases[] = {
      {"[1024x768]\r\n回收站=1,2\r\n", 0},                   // no byte-order mark (UTF-8)
      {Utf16File("[1024x768]\r\n") + "x", 0},                 // an odd byte
      {Utf16File("[1024x768]") + std::string(kMaxLayoutFileBytes, ' '), 0},
      {Utf16File("回收站=1,2\r\n"), 1},                       // before any section
      {Utf16File("[1024x768]\r\n回收站=10\r\n"), 2},
      {Utf16File("[1024x768]\r\n回收站=1, 2\r\n"), 2},
      {Utf16File("[1024x768]\r\n回收站=1,32768\r\n"), 2},     // beyond 16 bits
      {Utf16File("[1024x768]\r\n回收站=-32769,0\r\n"), 2},
      {Utf16File("[1024x768]\r\n回收站=1234567,0\r\n"), 2},
      {Utf16File("[1024x768]\r\n=1,2\r\n"), 2},               // no name
      {Utf16File("[1024x768]\r\n回收站\r\n"), 2},
      {Utf16File("[1024x768]\r\n回收站=1,2\r\n回收站=3,4\r\n"), 3},
      {Utf16File("[1024x768]\r\n\r\n[800x600]\r\n[1024x768]\r\n"), 4},
      {Utf16File("[1024 x 768]\r\n"), 1},
      {Utf16File("[0x768]\r\n"), 1},
      {Utf16File(std::string("[1024x768]\r\n回\0站=1,2\r\n", 21)), 2},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    LayoutHarness h;
    h.Desktop({{"回收站", {300, 300}}});
    h.fs.SetFile(kLayoutPath, cases[i].bytes);
    h.page.OnRestoreIconLayoutItemClicked();
    ASSERT_EQ(h.messages.shown.size(), 1u) << "case " << i;
    const std::string& text = h.messages.shown[0].text;
    EXPECT_TRUE(text.starts_with("桌面图标位置文件已损坏")) << "case " << i << ": " << text;
    EXPECT_NE(text.find(kLayoutPath), std::string::npos) << "case " << i;
    const std::string line = "（第 " + std::to_string(cases[i].line) + " 行）";
    EXPECT_EQ(text.find(line) != std::string::npos, cases[i].line > 0) << "case " << i << ": " << text;
    EXPECT_TRUE(h.listView.calls.empty()) << "case " << i;
    EXPECT_EQ(h.fs.File(kLayoutPath), cases[i].bytes) << "case " << i;
  }
  // What a file may hold besides: line feeds alone, blank lines, negative numbers, an empty
  // section, an empty file.
  LayoutHarness h;
  h.Desktop({{"回收站", {300, 300}}});
  h.fs.SetFile(kLayoutPath, Utf16File("\n[800x600]\n\n[1024x768]\n回收站=-20,-5\n\n"));
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{-20, -5}}));
  h.fs.SetFile(kLayoutPath, "");
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.Texts(), (std::vector<std::string>{kNoLayoutText}));
}

// A damaged file is told once to the restores after size changes (a user's command always
// hears of it) and stays as it is until the user saves; the save keeps it aside.
TEST(IconLayoutsTest, DamagedFileIsToldOnceAndOnlyASaveReplacesItKeepingItAside) {
  LayoutHarness h;
  h.Desktop({{"回收站", {300, 300}}});
  const std::string damaged = Utf16File("[1024x768]\r\n回收站=1,2,3\r\n");
  h.fs.SetFile(kLayoutPath, damaged);
  for (int change = 0; change < 3; ++change) {
    h.ChangeSize(1024, 768);
    h.WaitEnds();
  }
  EXPECT_EQ(h.messages.shown.size(), 1u);
  h.page.OnRestoreIconLayoutItemClicked();
  EXPECT_EQ(h.messages.shown.size(), 2u);
  EXPECT_EQ(h.fs.File(kLayoutPath), damaged);
  EXPECT_TRUE(h.listView.calls.empty());

  h.page.OnSaveIconLayoutItemClicked();
  EXPECT_EQ(h.fs.File(std::string(kLayoutPath) + ".bak"), damaged);
  EXPECT_EQ(h.Saved().sections, (std::vector<LayoutSection>{{"1024x768", {{"回收站", 300, 300}}}}));
  ASSERT_EQ(h.messages.shown.size(), 3u);
  EXPECT_EQ(h.messages.shown[2].text, "原来的桌面图标位置文件已损坏，已另存为：\r\r" + std::string(kLayoutPath) + ".bak");

  // Damaged again after that save: told again.
  h.fs.SetFile(kLayoutPath, damaged);
  h.ChangeSize(1024, 768);
  h.WaitEnds();
  EXPECT_EQ(h.messages.shown.size(), 4u);
}

// After a size change the saved positions come back once the wait is over, only with the box
// ticked, no arrangement chosen and a section for the new size; silently otherwise.
TEST(IconLayoutsTest, RestoreAfterASizeChangeOnlyWithNoArrangementAndASavedSize) {
  LayoutHarness h;
  h.Desktop({{"回收站", {20, 10}}, {"文档", {20, 95}}});
  h.page.OnSaveIconLayoutItemClicked();
  const std::vector<Position> saved = h.Positions();
  const auto scramble = [&h] { h.Desktop({{"回收站", {400, 400}}, {"文档", {500, 400}}}); };

  h.page.autoRestoreLayout.SetChecked(false);
  h.ChangeSize(800, 600);
  EXPECT_FALSE(h.page.layoutRestoreDelayTimer.Running()) << "box unticked";
  h.page.autoRestoreLayout.SetChecked(true);

  h.ChangeSize(800, 600);
  EXPECT_TRUE(h.page.layoutRestoreDelayTimer.Running());
  EXPECT_EQ(h.page.layoutRestoreDelayTimer.Interval(), kLayoutRestoreDelayMs);
  scramble();
  h.WaitEnds();
  EXPECT_FALSE(h.page.layoutRestoreDelayTimer.Running()) << "one restore per change";
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{400, 400}, {500, 400}})) << "no section for 800x600";

  h.page.iconStyleLeftRadio.SetChecked(true);
  h.ChangeSize(1024, 768);
  h.WaitEnds();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{400, 400}, {500, 400}})) << "an arrangement is chosen";

  h.page.iconStyleNoneRadio.SetChecked(true);
  h.ChangeSize(1024, 768);
  h.page.autoRestoreLayout.SetChecked(false);
  h.WaitEnds();
  EXPECT_EQ(h.Positions(), (std::vector<Position>{{400, 400}, {500, 400}})) << "unticked during the wait";

  h.page.autoRestoreLayout.SetChecked(true);
  h.ChangeSize(1024, 768);
  h.listView.calls.clear();
  h.WaitEnds();
  EXPECT_EQ(h.Positions(), saved);
  EXPECT_EQ(h.listView.calls.at(1), "SetTextColours(16777215,4294967295)") << "colours after the move";
  EXPECT_TRUE(h.messages.shown.empty());
}

// From the main window: the tray items reach the file beside Config.ini, the display change
// starts the wait, and the box is saved with the page's other keys.
TEST(IconLayoutsTest, TrayItemsDisplayChangeAndTheBoxOnTheMainWindow) {
  app::FormHarness h;
  app::RecordingForm& f = h.Started();
  h.desktopListView.Hold({"回收站"});
  f.FindMenuItem("saveIconLayoutItem")->Click();
  EXPECT_EQ(h.fs.File("C:\\Tovr\\IconLayout.ini"), Utf16File("[1024x768]\r\n回收站=10,10\r\n"));
  h.desktopListView.positions[0] = {600, 600};
  f.FindMenuItem("restoreIconLayoutItem")->Click();
  EXPECT_EQ(h.desktopListView.positions[0], (Position{10, 10}));

  f.OnDisplayChanged();
  EXPECT_TRUE(f.FindTimer("layoutRestoreDelayTimer")->Running());
  f.iconPage.autoRestoreLayout.SetChecked(false);
  f.OnSaveButtonClicked();
  EXPECT_EQ(TSettingsFile(h.fs, app::kConfigPath).GetText("Option", "RestoreIconLayout", ""), "0");
}

}  // namespace
}  // namespace tovr::desktop
