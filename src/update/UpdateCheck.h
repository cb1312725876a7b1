// The update check as one object: the update timer updateTimer and its minute count
// updateTicks, the manual and automatic version check, the notifier it fills and shows, the
// tray items "检查新版本" (checkUpdateItem) and "下载新版本" (downloadUpdateItem), and the download into
// downloadTempFile and from there into a folder the user picks.
//
// Nothing from the network is believed unchecked: every address is https (or http to this
// computer), the version file counts only with a valid signature by the release key (or
// UpdateKey) in the file beside it (its URL + ".sig"), and a download reaches the chosen folder
// only with the size and SHA-256 its version file states, marked as coming from the Internet. The main window holds one
// and delegates OnUpdateTimer, OnCheckUpdateItemClicked and OnDownloadUpdateItemClicked to it in one line each; the
// proxy controls stay on the settings page and are read here at each request.
//
// One check or download runs at a time: a request while one runs (or while its message box or
// folder chooser is open) is ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/LocalDateTime.h"
#include "controls/CheckBox.h"
#include "controls/Edit.h"
#include "controls/MenuItem.h"
#include "controls/Timer.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "update/HttpClient.h"
#include "update/Notifier.h"
#include "update/UpdateTrust.h"
#include "update/UpdateSystem.h"

namespace tovr::update {

// Placeholder until the project has its own update server (reserved .example domain).
inline constexpr char kVersionFileUrl[] = "https://update.tovrane.example/soft/tovr.ver";
inline constexpr char kNoConnection[] = "不能连接到服务器！请检查是否能够正确链接到网络。";
inline constexpr char kNoConnectionShort[] = "不能连接到服务器！";
inline constexpr char kErrorCaption[] = "错误";
inline constexpr unsigned kNoConnectionFlags = kMbRetryCancel | kMbIconStop | kMbSystemModal;  // 0x1015
inline constexpr unsigned kNoDownloadFlags = kMbIconStop | kMbSystemModal;                     // 0x1010
inline constexpr char kInvalidVersionFile[] = "版本信息无效";
inline constexpr char kSaveFolderTitle[] = "请选择保存位置";
inline constexpr char kTempFileName[] = "NbDown.tmp";
inline constexpr char kInsecureAddress[] = "这个地址不是 HTTPS 地址，已拒绝：";  // then the address, then kHttpsOnly
inline constexpr char kHttpsOnly[] = "为了安全，Tovrane 只通过 HTTPS 检查和下载新版本。";
inline constexpr char kDownloadTooLarge[] = "下载的文件比新版本说明的大小要大，已删除。";
inline constexpr char kDownloadDamaged[] = "下载的文件与新版本说明的校验值不符，可能已被篡改，已删除。";
inline constexpr std::size_t kMaxSignatureBytes = 1024;
inline constexpr int kMinutesBetweenChecks = 120;  // the check runs when the count exceeds it

struct UpdatePorts : UpdateSystemPorts {
  IMessageBox& messages;
  IFileSystem& files;
};

// The settings page's proxy controls: "使用代理服务器", its host and port.
struct ProxyControls {
  const controls::CheckBox& useProxyBox;
  const controls::Edit& proxyHostEdit;
  const controls::Edit& proxyPortEdit;
};

class UpdateCheck final : private IHttpListener {
 public:
  // `trayMenu` holds checkUpdateItem and downloadUpdateItem; `programFileTime` is the main window's, taken at
  // start, the release date of the running version.
  UpdateCheck(UpdatePorts ports, controls::MenuItem& trayMenu, ProxyControls proxy,
              const LocalDateTime& programFileTime);
  ~UpdateCheck() override;
  UpdateCheck(const UpdateCheck&) = delete;
  UpdateCheck& operator=(const UpdateCheck&) = delete;

  // downloadTempFile := `tempFolder` (with its trailing backslash) + "NbDown.tmp".
  void SetTempFolder(const std::string& tempFolder);
  // The version file's URL: UpdateUrl from the settings when set, else the built-in one.
  std::string VersionFileUrl() const;

  void OnUpdateTimer();                // a minute: the automatic check after 121 of them
  void OnCheckUpdateItemClicked();     // the manual check
  void OnDownloadUpdateItemClicked();  // the download of the announced release
  void StartVersionCheck();
  bool Busy() const { return state_ != State::Idle; }

  controls::Timer updateTimer{"updateTimer", 60000, true};
  int updateTicks = 0;
  bool autoCheck = false;
  std::string downloadUrl;
  std::string downloadTempFile;
  std::string updateUrl;  // [Option] UpdateUrl; read by the load, never written
  std::string updateKey;  // [Option] UpdateKey, the public key instead of the release key; never written
  Notifier notifier;
  // A download the user started: its percentage, and none at its end (the tray tip's own text
  // comes back).
  std::function<void(std::optional<int>)> onDownloadProgress;

 private:
  enum class State { Idle, Checking, CheckingSignature, Downloading, Answering };
  void HttpDone(const HttpResult& result) override;
  void HttpFailed(HttpFailure failure, const std::string& reason) override;
  void HttpProgress(std::uint64_t bytes) override;
  void SignatureArrived(const std::string& signature);
  void VersionFileArrived(const std::string& body);
  void DownloadArrived(const HttpResult& result);
  void StartDownload();
  void EndDownload();
  std::optional<HttpProxy> Proxy() const;

  UpdatePorts ports_;
  controls::MenuItem& downloadUpdateItem_;
  ProxyControls proxy_;
  const LocalDateTime& programFileTime_;
  State state_ = State::Idle;
  std::string versionFileBody_;  // as received, until its signature is checked
  std::string downloadSha256_;   // what the last valid version file states of its download
  std::uint64_t downloadSize_ = 0;
  int downloadPercent_ = -1;
};

}  // namespace tovr::update
