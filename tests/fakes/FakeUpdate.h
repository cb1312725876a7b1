// Fakes of the update check's ports: an HTTP client whose requests the test answers, a system
// that answers the folder chooser and the move from a script, and a notifier window that
// records where it was put.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "update/HttpClient.h"
#include "update/Notifier.h"
#include "update/UpdateSystem.h"

namespace tovr::update {

class FakeHttpClient final : public IHttpClient {
 public:
  std::vector<HttpRequest> requests;  // every Get, started or not
  bool startFails = false;            // Get refuses: the server cannot be reached at once
  int disconnects = 0;

  void SetListener(IHttpListener* listener) override { listener_ = listener; }
  bool Get(const HttpRequest& request) override {
    requests.push_back(request);
    return !startFails;
  }
  void Disconnect() override { ++disconnects; }
  // The body; a file's hash and length, when the test states them.
  void Answer(const std::string& body, const std::string& sha256 = {}, std::uint64_t bytes = 0) {
    listener_->HttpDone({body, bytes == 0 ? body.size() : bytes, sha256});
  }
  void Fail(HttpFailure failure = HttpFailure::Network, const std::string& reason = "refused") {
    listener_->HttpFailed(failure, reason);
  }
  void Progress(std::uint64_t bytes) { listener_->HttpProgress(bytes); }

 private:
  IHttpListener* listener_ = nullptr;
};

class FakeUpdateSystem final : public IUpdateSystem {
 public:
  std::deque<std::string> folders;  // the folders chosen in turn; none left: cancelled
  std::optional<std::string> moveFailure;
  std::vector<std::string> log;

  std::optional<std::string> ChooseFolder(const std::string& title) override {
    log.push_back("folder " + title);
    if (folders.empty()) return std::nullopt;
    std::string chosen = folders.front();
    folders.pop_front();
    return chosen;
  }
  std::optional<std::string> MoveFileTo(const std::string& from, const std::string& to) override {
    log.push_back("move " + from + " > " + to);
    return moveFailure;
  }
  std::string ShortDateFormat() override { return "yyyy/M/d"; }
  // The signature check answers from the test: a signature counts when it is `validSignature`
  // for the message `signedMessage` and the key `signingKey`.
  std::optional<Bytes64> signingKey, validSignature;
  std::string signedMessage;
  bool VerifySignature(const Bytes64& key, std::string_view message, const Bytes64& signature) override {
    return signingKey == key && validSignature == signature && signedMessage == message;
  }
  void MarkFromInternet(const std::string& path, const std::string& mark) override {
    log.push_back("mark " + path + " " + mark);
  }
};

class FakeNotifierWindow final : public INotifierWindow {
 public:
  std::vector<int> tops;  // the top of every Open and Place, in order
  int left = -1;
  bool open = false;

  NotifierMetrics Metrics() override { return {1024, 768, 202, 153}; }
  void Open(int l, int top) override {
    open = true;
    Place(l, top);
  }
  void Place(int l, int top) override {
    left = l;
    tops.push_back(top);
  }
  void Close() override { open = false; }
};

}  // namespace tovr::update
