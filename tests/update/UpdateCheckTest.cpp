// The version check, the notifier's texts, the download and their failures, through the main
// window's tray items and update timer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FormHarness.h"
#include "base/Text.h"

namespace tovr::update {
namespace {

constexpr char kTemp[] = "C:\\Temp\\NbDown.tmp";
const std::string kNoConnectionBox = "错误|不能连接到服务器！请检查是否能够正确链接到网络。|4117";

std::string Body(const std::string& version, const std::string& date, const std::string& url = "http://h/s/nb.exe") {
  return text::Utf8ToGbk(version + "[Version]" + date + "[DateTime]" + url + "[URL]");
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { Start("AutoUpdate=1\r\n"); }  // programFileTime 2004-05-06 07:08:09
  void Start(const std::string& options) {
    h.form.reset();
    h.GivenOptions(options);
    h.Started();
  }
  UpdateCheck& U() { return h.form->updateCheck; }
  Notifier& N() { return U().notifier; }
  controls::MenuItem& Item(const char* name) { return *h.form->FindMenuItem(name); }
  std::vector<std::string> Texts() {
    return {N().Label1.Caption(), N().Label7.Caption(), N().Label8.Caption(), N().sb.Caption()};
  }
  // The client's notifications, run through the guard as the window layer runs them.
  void Arrives(const std::string& body) { h.form->Dispatch("HttpDone", [&] { h.http.Answer(body); }); }
  void Fails() { h.form->Dispatch("HttpFailed", [&] { h.http.Fail(); }); }
  void AutoCheck() {
    for (int i = 0; i < 121; ++i) U().tmrupdate.Tick();
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (const auto& b : h.messages.shown) out.push_back(b.caption + "|" + b.text + "|" + std::to_string(b.flags));
    h.messages.shown.clear();
    return out;
  }
  app::FormHarness h;
};

TEST_F(UpdateCheckTest, NewerReleaseIsAnnouncedAndItsDownloadMovesIntoTheChosenFolder) {
  Item("MenuCV").Click();
  ASSERT_EQ(h.http.requests.size(), 1u);
  EXPECT_EQ(h.http.requests[0].url, "https://update.tovrane.example/soft/tovr.ver");
  EXPECT_EQ(h.http.requests[0].textLimit, 65536u);
  Arrives(Body("2.60", "2004-06-01"));
  EXPECT_TRUE(Item("menudown").Visible());
  EXPECT_TRUE(N().Shown());
  EXPECT_EQ(N().slideStep, -2);
  EXPECT_EQ(N().Panel1.Color(), kClInfoBk);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Tovrane发现新版本!", "2.60", "2004-06-01", "立即下载"}));

  N().sb.UserClick();  // the tray item's download
  ASSERT_EQ(h.http.requests.size(), 2u);
  EXPECT_EQ(h.http.requests[1].url, "http://h/s/nb.exe");
  EXPECT_EQ(h.http.requests[1].mode, HttpMode::File);
  EXPECT_EQ(h.http.requests[1].filePath, kTemp);
  h.updateSystem.folders.push_back("D:\\");
  Arrives("");
  EXPECT_EQ(h.updateSystem.log, (std::vector<std::string>{"folder 请选择保存位置", "move C:\\Temp\\NbDown.tmp > D:\\nb.exe"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UpdateCheckTest, OnlyALaterDateWithAnotherVersionAnnouncesARelease) {
  const std::vector<std::string> design = {"Tovrane发现新版本!", "?.??", "?\?\?\?-?\?-?\?", "立即下载"};
  const std::vector<std::string> none = {"Tovrane没有发现新版本!", "没有更新的版本", "2004年05月06日", "关闭提示"};
  struct Case {
    const char* version;
    const char* date;
    bool menudown;
    std::vector<std::string> texts;
  } cases[] = {
      {" 2.53 测试版", "2004-06-01", true, design},  // the running version: all as it was
      {"2.53 测试版", "2004-06-01", true, {design[0], "2.53 测试版", "2004-06-01", design[3]}},
      {"9.99", "2004-05-06 07:08:09", false, none},  // the program file's own time
      {"9.99", "2004-05-01", false, none},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SetUp();
    Item("menudown").SetVisible(i != 1);
    Item("MenuCV").Click();
    Arrives(Body(cases[i].version, cases[i].date));
    EXPECT_TRUE(N().Shown()) << "case " << i;
    EXPECT_EQ(Item("menudown").Visible(), cases[i].menudown) << "case " << i;
    EXPECT_EQ(Texts(), cases[i].texts) << "case " << i;
    EXPECT_EQ(N().Panel1.Color(), cases[i].texts == none ? kSilver : kClInfoBk) << "case " << i;
  }
}

TEST_F(UpdateCheckTest, InvalidVersionFileSpeaksOnlyForTheManualCheckAndChangesNothing) {
  Item("MenuCV").Click();
  Arrives(Body("2.60", "2004-06-01", "http://h/old.exe"));
  h.notifierWindow.Close();
  const std::string capSized = Body(std::string(65536 - Body("", "2004-06-01").size(), 'v'), "2004-06-01");
  const std::string invalid[] = {"2.60[Version]2004-06-01[DateTime]u", Body("2.60", "2004-13-01"), capSized + "x"};
  for (const bool automatic : {false, true}) {
    for (std::size_t i = 0; i < std::size(invalid); ++i) {
      automatic ? AutoCheck() : Item("MenuCV").Click();
      Arrives(invalid[i]);
      EXPECT_EQ(Boxes(), automatic ? std::vector<std::string>{} : std::vector<std::string>{"Tovrane|版本信息无效.|16"})
          << "automatic " << automatic << " case " << i;
      EXPECT_FALSE(h.notifierWindow.open || U().Busy()) << "case " << i;
      EXPECT_TRUE(Item("menudown").Visible()) << "case " << i;
      EXPECT_EQ(U().downloadUrl, "http://h/old.exe") << "case " << i;
    }
  }
  Item("MenuCV").Click();
  Arrives(capSized);  // exactly the cap's size is taken
  EXPECT_TRUE(h.notifierWindow.open);
}

TEST_F(UpdateCheckTest, FailedChecksAskOnlyTheUserWhoAskedAndRetryChecksAgain) {
  h.http.startFails = true;  // at once: Retry checks again, Cancel disconnects
  std::vector<int> answers = {kIdRetry, kIdCancel};
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  };
  Item("MenuCV").Click();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{kNoConnectionBox, kNoConnectionBox}));
  EXPECT_EQ(h.http.requests.size(), 2u);
  EXPECT_EQ(h.http.disconnects, 1);
  AutoCheck();  // automatic: silent at once and later
  h.http.startFails = false;
  AutoCheck();
  Fails();
  EXPECT_TRUE(Boxes().empty());
  answers = {kIdRetry, kIdCancel};  // later, manual: Retry is the manual check again
  Item("MenuCV").Click();
  Fails();
  EXPECT_EQ(Boxes(), std::vector<std::string>{kNoConnectionBox});
  EXPECT_EQ(h.http.requests.back().mode, HttpMode::Text);
  EXPECT_FALSE(U().autoCheck);
  EXPECT_TRUE(U().Busy());
}

TEST_F(UpdateCheckTest, DownloadFailuresAreReportedAndTheTemporaryFileNeverStays) {
  AutoCheck();
  Arrives(Body("2.60", "2004-06-01"));
  h.http.startFails = true;
  Item("menudown").Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"错误|不能连接到服务器！|4112"});
  // Failing later after an automatic check still speaks: the user asked for the download.
  h.http.startFails = false;
  h.messages.answer = kIdRetry;
  Item("menudown").Click();
  Fails();
  EXPECT_EQ(Boxes(), std::vector<std::string>{kNoConnectionBox});
  EXPECT_EQ(h.http.requests.back().mode, HttpMode::File);
  h.fs.SetFile(kTemp, "MZ");
  Arrives("");  // the folder chooser cancelled
  EXPECT_FALSE(h.fs.File(kTemp));
  Item("menudown").Click();
  h.fs.SetFile(kTemp, "MZ");
  h.updateSystem.folders.push_back("D:\\Down");
  h.updateSystem.moveFailure = "拒绝访问。";
  Arrives("");
  EXPECT_FALSE(h.fs.File(kTemp));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Tovrane|D:\\Down\\nb.exe\r\n拒绝访问。|16"});
}

TEST_F(UpdateCheckTest, OneRequestAtATimeEvenWhileItsBoxIsOpen) {
  Item("MenuCV").Click();
  Item("MenuCV").Click();
  Item("menudown").Click();
  AutoCheck();
  EXPECT_FALSE(U().autoCheck);  // the timer did not silence the user's check
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    Item("MenuCV").Click();
    return kIdCancel;
  };
  Fails();
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.http.requests.size(), 1u);
}

TEST_F(UpdateCheckTest, TimerChecksEvery121MinutesThroughTheConfiguredServerAndProxy) {
  Start("UpdateUrl=http://127.0.0.1:8080/v.ver\r\nUseProxy=1\r\nProxyIP= proxy.lan \r\nProxyPort=3128\r\n");
  for (int i = 0; i < 120; ++i) U().tmrupdate.Tick();
  EXPECT_TRUE(h.http.requests.empty());
  U().tmrupdate.Tick();
  ASSERT_EQ(h.http.requests.size(), 1u);
  EXPECT_TRUE(U().autoCheck);
  EXPECT_EQ(h.http.requests[0].url, "http://127.0.0.1:8080/v.ver");
  ASSERT_TRUE(h.http.requests[0].proxy);
  EXPECT_EQ(h.http.requests[0].proxy->host + ":" + h.http.requests[0].proxy->port, "proxy.lan:3128");
  Fails();
  AutoCheck();
  EXPECT_EQ(h.http.requests.size(), 2u);
}

}  // namespace
}  // namespace tovr::update
