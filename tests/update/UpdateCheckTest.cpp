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
const std::string kInvalidBox = "Tovrane|版本信息无效.|16";
const std::string kSha = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
constexpr std::uint64_t kSize = 300000;
// The signature the tests' fake system takes as valid, in the file beside the version file.
const std::string kSignature = " " + std::string(64, '5') + std::string(64, 'A') + "\r\n";

std::string Body(const std::string& version, const std::string& date, const std::string& url = "https://h/s/nb.exe") {
  return text::Utf8ToGbk(version + "[Version]" + date + "[DateTime]" + url + "[URL]" + kSha + "[SHA256]" +
                         std::to_string(kSize) + "[Size]");
}

std::string InsecureBox(const std::string& url) {
  return "Tovrane|这个地址不是 HTTPS 地址，已拒绝：\r\n" + url + "\r\n为了安全，Tovrane 只通过 HTTPS 检查和下载新版本。|16";
}

class UpdateCheckTest : public ::testing::Test {
 protected:
  void SetUp() override { Start("AutoUpdate=1\r\n"); }  // programFileTime 2004-05-06 07:08:09
  void Start(const std::string& options) {
    h.form.reset();
    h.GivenOptions(options);
    h.Started();
    h.updateSystem.signingKey = ParseHex64(kReleaseKey);
    h.updateSystem.validSignature = ParseHex64(kSignature);
  }
  UpdateCheck& U() { return h.form->updateCheck; }
  Notifier& N() { return U().notifier; }
  controls::MenuItem& Item(const char* name) { return *h.form->FindMenuItem(name); }
  std::vector<std::string> Texts() {
    return {N().headlineLabel.Caption(), N().latestVersionLabel.Caption(), N().releaseDateLabel.Caption(),
            N().downloadButton.Caption()};
  }
  // The client's notifications, run through the guard as the window layer runs them.
  void Arrives(const std::string& body, const std::string& sha = {}, std::uint64_t bytes = 0) {
    h.form->Dispatch("HttpDone", [&] { h.http.Answer(body, sha, bytes); });
  }
  void Fails(HttpFailure failure = HttpFailure::Network, const std::string& reason = "refused") {
    h.form->Dispatch("HttpFailed", [&] { h.http.Fail(failure, reason); });
  }
  // A version file and then the file beside it, signed as the fake system takes it.
  void Checked(const std::string& body, const std::string& signature = kSignature) {
    h.updateSystem.signedMessage = body;
    Arrives(body);
    Arrives(signature);
  }
  void Downloaded() { Arrives("", kSha, kSize); }
  // The tray item's click as the window runs it: a refusal becomes the error box.
  void Choose(const char* item) { h.form->Dispatch(item, [&] { Item(item).Click(); }); }
  void AutoCheck() {
    for (int i = 0; i < 121; ++i) U().updateTimer.Tick();
  }
  std::vector<std::string> Boxes() {
    std::vector<std::string> out;
    for (const auto& b : h.messages.shown) out.push_back(b.caption + "|" + b.text + "|" + std::to_string(b.flags));
    h.messages.shown.clear();
    return out;
  }
  app::FormHarness h;
};

TEST_F(UpdateCheckTest, NewerReleaseIsAnnouncedAndItsCheckedDownloadMovesIntoTheChosenFolder) {
  Item("checkUpdateItem").Click();
  ASSERT_EQ(h.http.requests.size(), 1u);
  EXPECT_EQ(h.http.requests[0].url, "https://update.tovrane.example/soft/tovr.ver");
  EXPECT_EQ(h.http.requests[0].textLimit, 65536u);
  h.updateSystem.signedMessage = Body("2.60", "2004-06-01");
  Arrives(Body("2.60", "2004-06-01"));
  ASSERT_EQ(h.http.requests.size(), 2u);
  EXPECT_EQ(h.http.requests[1].url, "https://update.tovrane.example/soft/tovr.ver.sig");
  EXPECT_FALSE(N().Shown());  // nothing is believed before the signature
  Arrives(kSignature);
  EXPECT_TRUE(Item("downloadUpdateItem").Visible());
  EXPECT_TRUE(N().Shown());
  EXPECT_EQ(N().slideStep, -2);
  EXPECT_EQ(N().notifierPanel.Color(), kClInfoBk);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Tovrane发现新版本!", "2.60", "2004-06-01", "立即下载"}));

  // The download shows its progress in the tray tip and greys its item until it ends.
  N().downloadButton.UserClick();  // the tray item's download
  ASSERT_EQ(h.http.requests.size(), 3u);
  EXPECT_EQ(h.http.requests[2].url, "https://h/s/nb.exe");
  EXPECT_EQ(h.http.requests[2].mode, HttpMode::File);
  EXPECT_EQ(h.http.requests[2].filePath, kTemp);
  EXPECT_EQ(h.http.requests[2].fileLimit, kSize);
  EXPECT_FALSE(Item("downloadUpdateItem").Enabled());
  EXPECT_EQ(h.ui.trayHint, "Tovrane 正在下载新版本… 0%");
  h.http.Progress(111000);
  h.memoryMonitor.status.memoryLoad = 50;
  h.form->memoryPage.OnMemoryMonitorTimer();  // the memory monitor's new tip waits for the end
  EXPECT_EQ(h.ui.trayHint, "Tovrane 正在下载新版本… 37%");
  h.updateSystem.folders.push_back("D:\\");
  Downloaded();
  EXPECT_TRUE(Item("downloadUpdateItem").Enabled());
  EXPECT_EQ(h.ui.trayHint, "Tovrane  可用内存：50 %");
  EXPECT_EQ(h.updateSystem.log,
            (std::vector<std::string>{"folder 请选择保存位置", "move C:\\Temp\\NbDown.tmp > D:\\nb.exe",
                                      "mark D:\\nb.exe [ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl="
                                      "https://update.tovrane.example/soft/tovr.ver\r\nHostUrl=https://h/s/nb.exe\r\n"}));
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UpdateCheckTest, OnlyALaterDateWithAnotherVersionAnnouncesARelease) {
  const std::vector<std::string> design = {"Tovrane发现新版本!", "?.??", "?\?\?\?-?\?-?\?", "立即下载"};
  const std::vector<std::string> none = {"Tovrane没有发现新版本!", "没有更新的版本", "2004年05月06日", "关闭提示"};
  struct Case {
    const char* version;
    const char* date;
    bool downloadUpdateItem;
    std::vector<std::string> texts;
  } cases[] = {
      {" 2.53 测试版", "2004-06-01", true, design},  // the running version: all as it was
      {"2.53 测试版", "2004-06-01", true, {design[0], "2.53 测试版", "2004-06-01", design[3]}},
      {"9.99", "2004-05-06 07:08:09", false, none},  // the program file's own time
      {"9.99", "2004-05-01", false, none},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SetUp();
    Item("downloadUpdateItem").SetVisible(i != 1);
    Item("checkUpdateItem").Click();
    Checked(Body(cases[i].version, cases[i].date));
    EXPECT_TRUE(N().Shown()) << "case " << i;
    EXPECT_EQ(Item("downloadUpdateItem").Visible(), cases[i].downloadUpdateItem) << "case " << i;
    EXPECT_EQ(Texts(), cases[i].texts) << "case " << i;
    EXPECT_EQ(N().notifierPanel.Color(), cases[i].texts == none ? kSilver : kClInfoBk) << "case " << i;
  }
}

TEST_F(UpdateCheckTest, UnsignedOrInvalidVersionFileSpeaksOnlyForTheManualCheckAndChangesNothing) {
  Item("checkUpdateItem").Click();
  Checked(Body("2.60", "2004-06-01", "https://h/old.exe"));
  h.notifierWindow.Close();
  const std::string capSized = Body(std::string(65536 - Body("", "2004-06-01").size(), 'v'), "2004-06-01");
  const std::string good = Body("2.61", "2004-06-02");
  const std::string noHash = text::Utf8ToGbk("2.61[Version]2004-06-02[DateTime]https://h/n.exe[URL]");
  struct Case {
    std::string body, signature;
  } cases[] = {
      {"2.60[Version]2004-06-01[DateTime]u", kSignature},
      {Body("2.60", "2004-13-01"), kSignature},
      {capSized + "x", kSignature},
      {noHash, kSignature},  // no hash and size
      {noHash + std::string(63, 'a') + "[SHA256]1[Size]", kSignature},
      {good, ""},                               // an empty signature file
      {good, std::string(127, '5')},            // a digit short
      {good, std::string(64, '5') + "0" + std::string(63, 'A')},  // another signature
      {good, std::string(64, '5') + " " + std::string(64, 'A')},  // a blank between the digits
  };
  for (const bool automatic : {false, true}) {
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      automatic ? AutoCheck() : Item("checkUpdateItem").Click();
      Checked(cases[i].body, cases[i].signature);
      EXPECT_EQ(Boxes(), automatic ? std::vector<std::string>{} : std::vector<std::string>{kInvalidBox})
          << "automatic " << automatic << " case " << i;
      EXPECT_FALSE(h.notifierWindow.open || U().Busy()) << "case " << i;
      EXPECT_TRUE(Item("downloadUpdateItem").Visible()) << "case " << i;
      EXPECT_EQ(U().downloadUrl, "https://h/old.exe") << "case " << i;
    }
    // No signature beside the file: the server answers 404 for it.
    automatic ? AutoCheck() : Item("checkUpdateItem").Click();
    h.updateSystem.signedMessage = good;
    Arrives(good);
    Fails(HttpFailure::Status, "HTTP status 404");
    EXPECT_EQ(Boxes(), automatic ? std::vector<std::string>{} : std::vector<std::string>{kInvalidBox});
    EXPECT_FALSE(h.notifierWindow.open || U().Busy());
  }
  Item("checkUpdateItem").Click();
  Checked(capSized);  // exactly the cap's size is taken
  EXPECT_TRUE(h.notifierWindow.open);
}

TEST_F(UpdateCheckTest, UpdateKeyReplacesTheReleaseKeyAndAMalformedOneTrustsNothing) {
  const std::string key = std::string(64, '1') + std::string(64, 'f');
  Start("UpdateKey= " + key + " \r\n");
  h.updateSystem.signingKey = ParseHex64(key);
  Item("checkUpdateItem").Click();
  Checked(Body("2.60", "2004-06-01"));
  EXPECT_TRUE(h.notifierWindow.open);
  h.notifierWindow.Close();
  Start("UpdateKey=" + key.substr(2) + "\r\n");  // 63 bytes
  h.updateSystem.signingKey = ParseHex64(key);
  Item("checkUpdateItem").Click();
  Checked(Body("2.60", "2004-06-01"));
  EXPECT_EQ(Boxes(), std::vector<std::string>{kInvalidBox});
  EXPECT_FALSE(h.notifierWindow.open);
}

TEST_F(UpdateCheckTest, PlainHttpIsRefusedExceptOnThisComputer) {
  Start("UpdateUrl=http://update.example.com/soft/tovr.ver\r\n");
  Choose("checkUpdateItem");
  EXPECT_TRUE(h.http.requests.empty());
  EXPECT_EQ(Boxes(), std::vector<std::string>{InsecureBox("http://update.example.com/soft/tovr.ver")});
  AutoCheck();
  EXPECT_TRUE(h.http.requests.empty());
  EXPECT_TRUE(Boxes().empty());

  Start("UpdateUrl=http://127.0.0.1:8080/soft/tovr.ver\r\n");
  Choose("checkUpdateItem");
  Checked(Body("2.60", "2004-06-01", "http://mirror.example.com/nb.exe"));  // signed, but not over https
  EXPECT_EQ(Boxes(), std::vector<std::string>{InsecureBox("http://mirror.example.com/nb.exe")});
  EXPECT_FALSE(h.notifierWindow.open || Item("downloadUpdateItem").Visible());
  Choose("checkUpdateItem");
  Checked(Body("2.60", "2004-06-01", "http://localhost:8080/nb.exe"));
  EXPECT_TRUE(Item("downloadUpdateItem").Visible());
  // A redirect the client refused speaks with the address it led to.
  Choose("downloadUpdateItem");
  Fails(HttpFailure::Insecure, "http://mirror.example.com/nb.exe");
  EXPECT_EQ(Boxes(), std::vector<std::string>{InsecureBox("http://mirror.example.com/nb.exe")});
  EXPECT_FALSE(U().Busy());
}

TEST_F(UpdateCheckTest, FailedChecksAskOnlyTheUserWhoAskedAndRetryChecksAgain) {
  h.http.startFails = true;  // at once: Retry checks again, Cancel disconnects
  std::vector<int> answers = {kIdRetry, kIdCancel};
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    const int a = answers.front();
    answers.erase(answers.begin());
    return a;
  };
  Item("checkUpdateItem").Click();
  EXPECT_EQ(Boxes(), (std::vector<std::string>{kNoConnectionBox, kNoConnectionBox}));
  EXPECT_EQ(h.http.requests.size(), 2u);
  EXPECT_EQ(h.http.disconnects, 1);
  AutoCheck();  // automatic: silent at once and later, for the signature too
  h.http.startFails = false;
  AutoCheck();
  Fails();
  AutoCheck();
  Arrives(Body("2.60", "2004-06-01"));
  Fails();
  EXPECT_TRUE(Boxes().empty());
  answers = {kIdRetry, kIdCancel};  // later, manual: Retry is the manual check again
  Item("checkUpdateItem").Click();
  Fails();
  EXPECT_EQ(Boxes(), std::vector<std::string>{kNoConnectionBox});
  EXPECT_EQ(h.http.requests.back().mode, HttpMode::Text);
  EXPECT_FALSE(U().autoCheck);
  EXPECT_TRUE(U().Busy());
}

TEST_F(UpdateCheckTest, DownloadFailuresAreReportedAndNoUncheckedFileStays) {
  AutoCheck();
  Checked(Body("2.60", "2004-06-01"));
  h.http.startFails = true;
  Item("downloadUpdateItem").Click();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"错误|不能连接到服务器！|4112"});
  // Failing later after an automatic check still speaks: the user asked for the download.
  // Retry is the manual check, not the download again.
  h.http.startFails = false;
  h.messages.answer = kIdRetry;
  Item("downloadUpdateItem").Click();
  h.http.Progress(150000);
  Fails();
  EXPECT_EQ(Boxes(), std::vector<std::string>{kNoConnectionBox});
  EXPECT_EQ(h.ui.trayHint, "Tovrane");
  EXPECT_TRUE(Item("downloadUpdateItem").Enabled());
  EXPECT_EQ(h.http.requests.back().mode, HttpMode::Text);
  EXPECT_FALSE(U().autoCheck);
  Checked(Body("2.60", "2004-06-01"));
  const std::vector<std::string> tooLarge = {"Tovrane|下载的文件比新版本说明的大小要大，已删除。|16"};
  const std::vector<std::string> damaged = {"Tovrane|下载的文件与新版本说明的校验值不符，可能已被篡改，已删除。|16"};
  struct Case {
    std::string sha;
    std::uint64_t bytes;
    std::vector<std::string> boxes;
  } cases[] = {
      {std::string(64, '0'), kSize, damaged},
      {kSha, kSize - 1, damaged},
      {kSha, kSize + 1, tooLarge},
      {kSha, kSize, {}},  // the folder chooser cancelled
  };
  for (const Case& c : cases) {
    Item("downloadUpdateItem").Click();
    h.fs.SetFile(kTemp, "MZ");
    Arrives("", c.sha, c.bytes);
    EXPECT_FALSE(h.fs.File(kTemp)) << c.bytes;
    EXPECT_EQ(Boxes(), c.boxes) << c.bytes;
  }
  EXPECT_EQ(h.updateSystem.log, std::vector<std::string>{"folder 请选择保存位置"});  // only for the right bytes
  Item("downloadUpdateItem").Click();
  Fails(HttpFailure::TooLarge, "longer than 300000 bytes");
  EXPECT_EQ(Boxes(), tooLarge);
  Item("downloadUpdateItem").Click();
  h.fs.SetFile(kTemp, "MZ");
  h.updateSystem.folders.push_back("D:\\Down");
  h.updateSystem.moveFailure = "拒绝访问。";
  Downloaded();
  EXPECT_FALSE(h.fs.File(kTemp));
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Tovrane|D:\\Down\\nb.exe\r\n拒绝访问。|16"});
}

TEST_F(UpdateCheckTest, OneRequestAtATimeEvenWhileItsBoxIsOpen) {
  Item("checkUpdateItem").Click();
  Item("checkUpdateItem").Click();
  Item("downloadUpdateItem").Click();
  AutoCheck();
  EXPECT_FALSE(U().autoCheck);  // the timer did not silence the user's check
  h.messages.onShow = [&](const FakeMessageBox::Shown&) -> std::optional<int> {
    Item("checkUpdateItem").Click();
    return kIdCancel;
  };
  Fails();
  EXPECT_EQ(h.messages.shown.size(), 1u);
  EXPECT_EQ(h.http.requests.size(), 1u);
}

TEST_F(UpdateCheckTest, TimerChecksEvery121MinutesThroughTheConfiguredServerAndProxy) {
  Start("UpdateUrl=http://127.0.0.1:8080/v.ver\r\nUseProxy=1\r\nProxyIP= proxy.lan \r\nProxyPort=3128\r\n");
  for (int i = 0; i < 120; ++i) U().updateTimer.Tick();
  EXPECT_TRUE(h.http.requests.empty());
  U().updateTimer.Tick();
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
