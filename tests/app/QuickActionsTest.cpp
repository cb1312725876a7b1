// The quick actions as the user reaches them: tray items and side buttons, the forwarding ones
// included (authorItem clicks mailButton, homePageItem homePageButton, helpButton helpItem), each with the exact
// request it hands to Windows.
#include <gtest/gtest.h>

#include "app/FormHarness.h"

namespace tovr::app {
namespace {

void ClickControl(RecordingForm& f, const std::string& name) {
  if (controls::MenuItem* item = f.FindMenuItem(name)) return item->Click();
  if (name == "helpButton") return f.OnHelpButtonClicked();  // the handler, whatever the button's state
  static_cast<controls::Button*>(f.FindControl(name))->UserClick();
}

TEST(QuickActionsTest, EachCommandHandsItsRequestToWindowsOrSaysWhyNot) {
  const std::string mail = "Execute(open|mailto:tovrane@tovrane.example?subject=";
  const std::string web = "Execute(open|http://www.tovrane.example/|||10)";
  const std::string help = "Execute(open|C:\\Tovr\\help.chm|||10)";
  const char* noSaver = "当前没有设定屏幕保护程序。";
  const char* noHelp = "帮助文件不存在，请检查目标文件。";
  const struct {
    const char* control;
    std::optional<bool> saver = true;   // a screen saver is set (nullopt: the call failed)
    bool helpAtStart = true, helpNow = true;
    std::vector<std::string> calls;
    const char* box = nullptr;          // caption "错误"
    unsigned flags = 0;
  } cases[] = {
      {"homePageButton", true, true, true, {web}},
      {"mailButton", true, true, true, {mail + "Tovrane用户|||10)"}},
      {"authorItem", true, true, true, {mail + "Tovrane用户|||10)"}},
      {"feedbackItem", true, true, true, {mail + "Tovrane 意见或建议|||10)"}},
      {"displayPropertiesItem", true, true, true, {"Execute(|rundll32|shell32,Control_RunDLL \"desk.cpl\"||0)"}},
      {"openCdDriveItem", true, true, true, {"Mci(Set cdaudio door open wait)"}},
      {"closeCdDriveItem", true, true, true, {"Mci(set cdaudio door closed)"}},
      {"screenSaverItem", true, true, true, {"PostToDesktop(274,61760,0)"}},  // WM_SYSCOMMAND, SC_SCREENSAVE
      {"screenSaverItem", false, true, true, {}, noSaver, 0x110},
      {"screenSaverItem", std::nullopt, true, true, {}},
      {"helpItem", true, true, true, {help}},
      {"helpButton", true, true, true, {help}},
      {"helpButton", true, true, false, {}, noHelp, 0x1030},  // vanished after start-up
      {"helpButton", true, false, true, {}},                  // missing at start: the item ignores clicks
  };
  for (const auto& c : cases) {
    FormHarness h;
    h.GivenOptions("");
    if (c.helpAtStart) h.fs.SetFile("C:\\Tovr\\help.chm", "x");
    RecordingForm& f = h.Started();
    f.ShowMainWindow();
    h.quickShell.screenSaverActive = c.saver;
    if (c.helpNow) {
      h.fs.SetFile("C:\\Tovr\\help.chm", "x");
    } else {
      h.fs.RemoveFile("C:\\Tovr\\help.chm");
    }
    ClickControl(f, c.control);
    EXPECT_EQ(h.quickShell.calls, c.calls) << c.control;
    ASSERT_EQ(h.messages.shown.size(), c.box ? 1u : 0u) << c.control;
    if (c.box) {
      EXPECT_EQ(h.messages.shown[0].text, c.box);
      EXPECT_EQ(h.messages.shown[0].caption, "错误");
      EXPECT_EQ(h.messages.shown[0].flags, c.flags);
    }
  }
}

}  // namespace
}  // namespace tovr::app
