#include "update/UpdateCheck.h"

#include <stdexcept>

#include "base/Error.h"
#include "base/Text.h"
#include "update/ReleaseDate.h"
#include "update/VersionFile.h"

namespace tovr::update {

namespace {

constexpr char kNewHeadline[] = "Tovrane发现新版本!";
constexpr char kNoNewHeadline[] = "Tovrane没有发现新版本!";
constexpr char kNoNewVersion[] = "没有更新的版本";
constexpr char kDownloadNow[] = "立即下载";
constexpr char kCloseNotice[] = "关闭提示";

std::string Trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1));
}

controls::MenuItem& MenuItemOf(controls::MenuItem& root, const char* name) {
  controls::MenuItem* item = root.Find(name);
  if (!item) throw std::logic_error(std::string("tray menu item missing: ") + name);
  return *item;
}

// While the answer to a finished request runs (its box, its folder chooser), the object counts
// as busy; a request started by the answer itself (Retry) keeps its own state.
template <class State>
class Answering {
 public:
  explicit Answering(State& state) : state_(state) { state_ = State::Answering; }
  ~Answering() {
    if (state_ == State::Answering) state_ = State::Idle;
  }
  Answering(const Answering&) = delete;
  Answering& operator=(const Answering&) = delete;

 private:
  State& state_;
};

}  // namespace

UpdateCheck::UpdateCheck(UpdatePorts ports, controls::MenuItem& trayMenu, ProxyControls proxy,
                         const LocalDateTime& programFileTime)
    : notifier(ports.notifierWindow),
      ports_(ports),
      menudown_(MenuItemOf(trayMenu, "menudown")),
      proxy_(proxy),
      programFileTime_(programFileTime) {
  tmrupdate.OnTimer = [this] { tmrupdateTimer(); };
  // The notifier's button triggers the tray item, as the user's click on it would.
  notifier.onDownload = [this] { menudown_.Click(); };
  ports_.http.SetListener(this);
}

UpdateCheck::~UpdateCheck() { ports_.http.SetListener(nullptr); }

void UpdateCheck::SetTempFolder(const std::string& tempFolder) { downloadTempFile = tempFolder + kTempFileName; }

std::string UpdateCheck::VersionFileUrl() const {
  std::string url = Trimmed(updateUrl);
  return url.empty() ? std::string(kVersionFileUrl) : url;
}

std::optional<HttpProxy> UpdateCheck::Proxy() const {
  std::string host = Trimmed(proxy_.edtpx.Text());
  if (!proxy_.chkP.Checked() || host.empty()) return std::nullopt;
  return HttpProxy{std::move(host), Trimmed(proxy_.edtpr.Text())};
}

void UpdateCheck::tmrupdateTimer() {
  if (++updateTicks <= kMinutesBetweenChecks) return;
  updateTicks = 0;
  if (Busy()) return;  // the user's own check or download is running: it keeps its messages
  autoCheck = true;
  StartVersionCheck();
}

void UpdateCheck::MenuCVClick() {
  if (Busy()) return;
  autoCheck = false;
  StartVersionCheck();
}

void UpdateCheck::StartVersionCheck() {
  if (Busy()) return;
  for (;;) {
    if (ports_.http.Get({VersionFileUrl(), HttpMode::Text, {}, kMaxVersionFileBytes, Proxy()})) {
      state_ = State::Checking;
      return;
    }
    if (autoCheck) return;
    int answer = kIdCancel;
    {
      Answering<State> answering(state_);
      answer = ports_.messages.Show(kNoConnection, kErrorCaption, kNoConnectionFlags);
    }
    if (answer != kIdRetry) {
      ports_.http.Disconnect();
      return;
    }
    autoCheck = false;  // Retry is the manual check again
  }
}

void UpdateCheck::menudownClick() {
  if (!Busy()) StartDownload();
}

void UpdateCheck::StartDownload() {
  if (ports_.http.Get({downloadUrl, HttpMode::File, downloadTempFile, 0, Proxy()})) {
    state_ = State::Downloading;
    return;
  }
  Answering<State> answering(state_);
  ports_.messages.Show(kNoConnectionShort, kErrorCaption, kNoDownloadFlags);
}

void UpdateCheck::HttpDone(const std::string& body) {
  const State finished = state_;
  Answering<State> answering(state_);
  if (finished == State::Checking) VersionFileArrived(body);
  if (finished == State::Downloading) DownloadArrived();
}

// A failed check speaks only when the user asked for it; a failed download always does, as
// the user started it (from the tray or the notifier) whatever started the check before it.
void UpdateCheck::HttpFailed(const std::string&) {
  const State finished = state_;
  if (finished != State::Checking && finished != State::Downloading) return;
  int answer = kIdCancel;
  {
    Answering<State> answering(state_);
    if (finished == State::Checking && autoCheck) {
      ports_.http.Disconnect();
      return;
    }
    answer = ports_.messages.Show(kNoConnection, kErrorCaption, kNoConnectionFlags);
  }
  if (answer != kIdRetry) {
    ports_.http.Disconnect();
  } else if (finished == State::Downloading) {
    StartDownload();
  } else {
    autoCheck = false;
    StartVersionCheck();
  }
}

void UpdateCheck::VersionFileArrived(const std::string& body) {
  ports_.http.Disconnect();
  std::optional<VersionFile> file;
  if (body.size() <= kMaxVersionFileBytes) file = ExtractVersionFile(text::GbkToUtf8(body));
  std::optional<LocalDateTime> released;
  if (file) released = ParseShortDateTime(file->dateTime, ports_.system.ShortDateFormat());
  if (!released) {
    // Nothing changes; only the user's own check says why.
    if (autoCheck) return;
    throw Error(kInvalidVersionFile);
  }
  downloadUrl = file->url;
  if (*released > programFileTime_) {
    if (!text::EqualsIgnoreAsciiCase(file->version, kRunningVersion)) {
      menudown_.SetVisible(true);
      notifier.Panel1.SetColor(kClInfoBk);
      notifier.Label7.SetCaption(file->version);
      notifier.Label8.SetCaption(file->dateTime);
      notifier.sb.SetCaption(kDownloadNow);
      notifier.Label1.SetCaption(kNewHeadline);
    }
  } else {
    menudown_.SetVisible(false);
    notifier.Panel1.SetColor(kSilver);
    notifier.Label7.SetCaption(kNoNewVersion);
    notifier.Label8.SetCaption(ChineseDate(programFileTime_));
    notifier.sb.SetCaption(kCloseNotice);
    notifier.Label1.SetCaption(kNoNewHeadline);
  }
  notifier.Show(-2);
}

// The download is never run: it is moved into the folder the user picks, or removed.
void UpdateCheck::DownloadArrived() {
  const std::string name = DownloadFileName(downloadUrl, kTempFileName);
  ports_.http.Disconnect();
  const std::optional<std::string> folder = ports_.system.ChooseFolder(kSaveFolderTitle);
  if (!folder) {
    ports_.files.RemoveFile(downloadTempFile);
    return;
  }
  std::string target = *folder;
  if (target.empty() || target.back() != '\\') target += '\\';
  target += name;
  if (std::optional<std::string> failure = ports_.system.MoveFileTo(downloadTempFile, target)) {
    ports_.files.RemoveFile(downloadTempFile);
    throw Error(target + "\r\n" + *failure);
  }
}

}  // namespace tovr::update
