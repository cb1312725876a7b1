// The update check's HTTP client on WinHTTP. Each request runs on a worker thread of its own
// with synchronous WinHTTP calls; the result is posted to a message-only window of the
// user-interface thread, where the listener is called through the action guard. The window
// never waits on the network: a server that accepts and never answers only keeps the worker
// waiting until the time-out. At exit (the destructor) every running request is told to stop
// and waited for up to 2 s; a partial download file is removed.
//
// The system's proxy settings are used unless the request names a proxy: WinHTTP's automatic
// proxy on Windows 8.1 and later, else the user's Internet Explorer proxy (a named proxy with
// its bypass list; automatic configuration scripts are not evaluated there), else WinHTTP's own
// setting. WinHTTP follows no redirect itself: each one is checked (RedirectAllowed: never
// from https to http, never to an insecure address) and followed here, at most 10. A status
// other than 2xx is a failure.
//
// Bounded: a file is never longer than its request's fileLimit (and kMaxDownloadBytes); no byte
// for the stall limit ends the request; a version file (Text mode) must arrive whole within
// textDeadlineMs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/win32/ActionGuard.h"
#include "update/HttpClient.h"

namespace tovr::update::win32 {

// Each step of a request waits at most this long; once the headers are in, the body may pause
// for stallMs between two bytes.
struct HttpTimeouts {
  int resolveMs = 15000, connectMs = 15000, sendMs = 15000, receiveMs = 15000;
  int stallMs = 30000;
  int textDeadlineMs = 60000;
};

class WinHttpClient final : public IHttpClient {
 public:
  using Timeouts = HttpTimeouts;
  explicit WinHttpClient(HttpTimeouts timeouts = HttpTimeouts{});
  ~WinHttpClient() override;
  WinHttpClient(const WinHttpClient&) = delete;
  WinHttpClient& operator=(const WinHttpClient&) = delete;

  // Runs the notifications as the named handlers ("HttpDone", "HttpFailed", "HttpProgress").
  void SetGuard(controls::win32::ActionGuard guard) { guard_ = std::move(guard); }

  void SetListener(IHttpListener* listener) override { listener_ = listener; }
  bool Get(const HttpRequest& request) override;
  void Disconnect() override;

  struct Job;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Finished(const std::shared_ptr<Job>& job);
  void Progressed(WPARAM serial, std::uint64_t bytes);

  Timeouts timeouts_;
  HWND window_ = nullptr;
  IHttpListener* listener_ = nullptr;
  controls::win32::ActionGuard guard_;
  std::shared_ptr<Job> current_;
  WPARAM nextSerial_ = 0;
  std::vector<std::weak_ptr<Job>> running_;  // every request started, abandoned ones too
};

}  // namespace tovr::update::win32
