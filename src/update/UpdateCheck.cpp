#include "update/UpdateCheck.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

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

std::string Trimmed(std::string_view s) { return std::string(text::TrimBlanks(s)); }

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

// The box of an address that is not secure enough; it ends the handler that met it.
[[noreturn]] void RefuseAddress(const std::string& url) {
  throw Error(kInsecureAddress + std::string("\r\n") + url + "\r\n" + kHttpsOnly);
}

}  // namespace

UpdateCheck::UpdateCheck(UpdatePorts ports, controls::MenuItem& trayMenu, ProxyControls proxy,
                         const LocalDateTime& programFileTime)
    : notifier(ports.notifierWindow),
      ports_(ports),
      downloadUpdateItem_(MenuItemOf(trayMenu, "downloadUpdateItem")),
      proxy_(proxy),
      programFileTime_(programFileTime) {
  updateTimer.OnTimer = [this] { OnUpdateTimer(); };
  // The notifier's button triggers the tray item, as the user's click on it would.
  notifier.onDownload = [this] { downloadUpdateItem_.Click(); };
  ports_.http.SetListener(this);
}

UpdateCheck::~UpdateCheck() { ports_.http.SetListener(nullptr); }

void UpdateCheck::SetTempFolder(const std::string& tempFolder) { downloadTempFile = tempFolder + kTempFileName; }

std::string UpdateCheck::VersionFileUrl() const {
  std::string url = Trimmed(updateUrl);
  return url.empty() ? std::string(kVersionFileUrl) : url;
}

std::optional<HttpProxy> UpdateCheck::Proxy() const {
  std::string host = Trimmed(proxy_.proxyHostEdit.Text());
  if (!proxy_.useProxyBox.Checked() || host.empty()) return std::nullopt;
  return HttpProxy{std::move(host), Trimmed(proxy_.proxyPortEdit.Text())};
}

void UpdateCheck::OnUpdateTimer() {
  if (++updateTicks <= kMinutesBetweenChecks) return;
  updateTicks = 0;
  if (Busy()) return;  // the user's own check or download is running: it keeps its messages
  autoCheck = true;
  StartVersionCheck();
}

void UpdateCheck::OnCheckUpdateItemClicked() {
  if (Busy()) return;
  autoCheck = false;
  StartVersionCheck();
}

void UpdateCheck::StartVersionCheck() {
  if (Busy()) return;
  const std::string url = VersionFileUrl();
  if (!SecureEnough(url)) {
    if (!autoCheck) RefuseAddress(url);
    return;
  }
  for (;;) {
    if (ports_.http.Get({url, HttpMode::Text, {}, kMaxVersionFileBytes, 0, Proxy()})) {
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

void UpdateCheck::OnDownloadUpdateItemClicked() {
  if (!Busy()) StartDownload();
}

void UpdateCheck::StartDownload() {
  if (!SecureEnough(downloadUrl)) RefuseAddress(downloadUrl);
  if (ports_.http.Get({downloadUrl, HttpMode::File, downloadTempFile, 0, downloadSize_, Proxy()})) {
    state_ = State::Downloading;
    downloadUpdateItem_.SetEnabled(false);
    downloadPercent_ = -1;
    HttpProgress(0);
    return;
  }
  Answering<State> answering(state_);
  ports_.messages.Show(kNoConnectionShort, kErrorCaption, kNoDownloadFlags);
}

void UpdateCheck::EndDownload() {
  downloadUpdateItem_.SetEnabled(true);
  downloadPercent_ = -1;
  if (onDownloadProgress) onDownloadProgress(std::nullopt);
}

void UpdateCheck::HttpProgress(std::uint64_t bytes) {
  if (state_ != State::Downloading || downloadSize_ == 0) return;
  const int percent = static_cast<int>(std::min<std::uint64_t>(100, bytes * 100 / downloadSize_));
  if (percent == downloadPercent_) return;
  downloadPercent_ = percent;
  if (onDownloadProgress) onDownloadProgress(percent);
}

void UpdateCheck::HttpDone(const HttpResult& result) {
  const State finished = state_;
  if (finished == State::Checking) {
    // The version file counts only once the file beside it has vouched for its bytes.
    ports_.http.Disconnect();
    versionFileBody_ = result.body;
    if (ports_.http.Get({VersionFileUrl() + ".sig", HttpMode::Text, {}, kMaxSignatureBytes, 0, Proxy()})) {
      state_ = State::CheckingSignature;
      return;
    }
    HttpFailed(HttpFailure::Network, "the signature could not be asked for");
    return;
  }
  Answering<State> answering(state_);
  if (finished == State::CheckingSignature) SignatureArrived(result.body);
  if (finished == State::Downloading) {
    EndDownload();
    DownloadArrived(result);
  }
}

// A failed check speaks only when the user asked for it; a failed download always does, as
// the user started it (from the tray or the notifier) whatever started the check before it.
// Retry is the manual check again.
void UpdateCheck::HttpFailed(HttpFailure failure, const std::string& reason) {
  const State finished = state_;
  if (finished != State::Checking && finished != State::CheckingSignature && finished != State::Downloading) return;
  int answer = kIdCancel;
  {
    Answering<State> answering(state_);
    if (finished == State::Downloading) EndDownload();
    if (failure == HttpFailure::Insecure) {
      ports_.http.Disconnect();
      if (finished == State::Downloading || !autoCheck) RefuseAddress(reason);
      return;
    }
    if (failure == HttpFailure::TooLarge) {
      ports_.http.Disconnect();
      throw Error(kDownloadTooLarge);
    }
    if (finished == State::CheckingSignature && failure == HttpFailure::Status) {
      // The server has no signature for this file: it is not a version file to believe.
      SignatureArrived({});
      return;
    }
    if (finished != State::Downloading && autoCheck) {
      ports_.http.Disconnect();
      return;
    }
    answer = ports_.messages.Show(kNoConnection, kErrorCaption, kNoConnectionFlags);
  }
  if (answer != kIdRetry) {
    ports_.http.Disconnect();
    return;
  }
  autoCheck = false;
  StartVersionCheck();
}

void UpdateCheck::SignatureArrived(const std::string& signature) {
  ports_.http.Disconnect();
  const std::string body = std::exchange(versionFileBody_, {});
  const std::optional<Bytes64> key = ParseHex64(Trimmed(updateKey).empty() ? std::string_view(kReleaseKey) : updateKey);
  const std::optional<Bytes64> sig = ParseHex64(signature);
  if (!key || !sig || !ports_.system.VerifySignature(*key, body, *sig)) {
    if (autoCheck) return;
    throw Error(kInvalidVersionFile);
  }
  VersionFileArrived(body);
}

void UpdateCheck::VersionFileArrived(const std::string& body) {
  std::optional<VersionFile> file;
  if (body.size() <= kMaxVersionFileBytes) file = ExtractVersionFile(text::GbkToUtf8(body));
  std::optional<LocalDateTime> released;
  if (file) released = ParseShortDateTime(file->dateTime, ports_.system.ShortDateFormat());
  if (!released) {
    // Nothing changes; only the user's own check says why.
    if (autoCheck) return;
    throw Error(kInvalidVersionFile);
  }
  if (!SecureEnough(file->url)) {
    if (!autoCheck) RefuseAddress(file->url);
    return;
  }
  downloadUrl = file->url;
  downloadSha256_ = file->sha256;
  downloadSize_ = file->size;
  if (*released > programFileTime_) {
    if (!text::EqualsIgnoreAsciiCase(file->version, kRunningVersion)) {
      downloadUpdateItem_.SetVisible(true);
      notifier.notifierPanel.SetColor(kClInfoBk);
      notifier.latestVersionLabel.SetCaption(file->version);
      notifier.releaseDateLabel.SetCaption(file->dateTime);
      notifier.downloadButton.SetCaption(kDownloadNow);
      notifier.headlineLabel.SetCaption(kNewHeadline);
    }
  } else {
    downloadUpdateItem_.SetVisible(false);
    notifier.notifierPanel.SetColor(kSilver);
    notifier.latestVersionLabel.SetCaption(kNoNewVersion);
    notifier.releaseDateLabel.SetCaption(ChineseDate(programFileTime_));
    notifier.downloadButton.SetCaption(kCloseNotice);
    notifier.headlineLabel.SetCaption(kNoNewHeadline);
  }
  notifier.Show(-2);
}

// The download is never run: it is moved into the folder the user picks, or removed. Only the
// bytes the signed version file describes get there, marked as coming from the Internet.
void UpdateCheck::DownloadArrived(const HttpResult& result) {
  const std::string name = DownloadFileName(downloadUrl, kTempFileName);
  ports_.http.Disconnect();
  if (result.bytes != downloadSize_ || result.sha256 != downloadSha256_) {
    ports_.files.RemoveFile(downloadTempFile);
    throw Error(result.bytes > downloadSize_ ? kDownloadTooLarge : kDownloadDamaged);
  }
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
  ports_.system.MarkFromInternet(target, InternetZoneMark(downloadUrl, VersionFileUrl()));
}

}  // namespace tovr::update
