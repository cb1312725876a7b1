#include "update/win32/WinHttpClient.h"

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "controls/win32/UniqueHandle.h"
#include "platform/win32/LateBound.h"
#include "platform/win32/MessageWindow.h"
#include "update/UpdateTrust.h"
#include "update/VersionFile.h"
#include "update/win32/Crypto.h"
#include "TovrVersion.h"

namespace tovr::update::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TovrHttpClient";
constexpr wchar_t kAgent[] = L"Tovrane/" TOVR_VERSION_TEXT;
constexpr UINT kFinishedMessage = WM_APP + 0x48;
constexpr UINT kProgressMessage = WM_APP + 0x49;  // wParam: the request's serial; lParam: bytes so far
constexpr ULONGLONG kProgressEveryMs = 200;
constexpr int kMaxRedirects = 10;
constexpr DWORD kAutomaticProxy = 4;  // WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, Windows 8.1 and later
constexpr DWORD kChunk = 64 * 1024;
constexpr DWORD kExitWaitMs = 2000;  // how long the exit waits for running requests

BOOL CloseInternet(HINTERNET h) { return TOVR_LATE(winhttp, WinHttpCloseHandle)(h); }
using Internet = controls::win32::UniqueHandle<HINTERNET, &CloseInternet>;

std::string ErrorText(const char* step, DWORD code) { return std::string(step) + " failed: error " + std::to_string(code); }

HINTERNET OpenSession(const std::optional<HttpProxy>& proxy) {
  if (proxy) {
    const std::wstring name = Widen(proxy->host + (proxy->port.empty() ? "" : ":" + proxy->port));
    return TOVR_LATE(winhttp, WinHttpOpen)(kAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, name.c_str(),
                                           WINHTTP_NO_PROXY_BYPASS, 0);
  }
  if (HINTERNET session =
          TOVR_LATE(winhttp, WinHttpOpen)(kAgent, kAutomaticProxy, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {
    return session;
  }
  HINTERNET session = nullptr;
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
  if (TOVR_LATE(winhttp, WinHttpGetIEProxyConfigForCurrentUser)(&ie)) {
    if (ie.lpszProxy && *ie.lpszProxy) {
      session = TOVR_LATE(winhttp, WinHttpOpen)(kAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy,
                                                ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    }
    for (LPWSTR s : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass}) {
      if (s) GlobalFree(s);
    }
  }
  if (!session) {
    session = TOVR_LATE(winhttp, WinHttpOpen)(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                                              WINHTTP_NO_PROXY_BYPASS, 0);
  }
  return session;
}

// An address as WinHTTP connects to it.
struct Target {
  std::wstring host, path;
  INTERNET_PORT port = 0;
  bool secure = false;
};

std::optional<Target> Crack(const std::string& address) {
  std::wstring url = Widen(address);
  if (const auto hash = url.find(L'#'); hash != std::wstring::npos) url.resize(hash);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (url.empty() || !TOVR_LATE(winhttp, WinHttpCrackUrl)(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts))
    return std::nullopt;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return std::nullopt;
  if (!parts.lpszHostName || parts.dwHostNameLength == 0) return std::nullopt;
  Target target;
  target.host.assign(parts.lpszHostName, parts.dwHostNameLength);
  if (parts.lpszUrlPath) target.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) target.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (target.path.empty()) target.path = L"/";
  target.port = parts.nPort;
  target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  return target;
}

bool IsRedirect(DWORD status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

std::string LocationOf(HINTERNET request) {
  DWORD size = 0;
  TOVR_LATE(winhttp, WinHttpQueryHeaders)
  (request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
   WINHTTP_NO_HEADER_INDEX);
  if (size == 0) return {};
  std::wstring location(size / sizeof(wchar_t) + 1, L'\0');
  if (!TOVR_LATE(winhttp, WinHttpQueryHeaders)(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX,
                                               location.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  location.resize(size / sizeof(wchar_t));
  return Narrow(location);
}

}  // namespace

struct WinHttpClient::Job {
  HttpRequest request;
  Timeouts timeouts;
  std::wstring file;
  WPARAM serial = 0;
  HWND notify = nullptr;
  std::atomic<bool> abandoned{false};
  // Results, written by the worker before it posts.
  bool ok = false;
  HttpFailure failure = HttpFailure::Network;
  HttpResult result;
  std::string error;
  // The exit's hold on a running request: its handle, closed from the window's thread to end a
  // call that waits on the network; the event is set once the worker has posted its result.
  std::mutex stopLock;
  HINTERNET open = nullptr;
  bool stopped = false;
  controls::win32::UniqueHandle<HANDLE, &CloseHandle> finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};

  void Run();
  // One hop: true when it answered with a redirect, and `url` is then the next address.
  bool Fetch(HINTERNET session, std::string& url, int hop);
  bool Receive(HINTERNET request);
  // At exit: abandons the request, ends a waiting call, and waits for the worker up to `ms`.
  void Stop(DWORD ms);
};

void WinHttpClient::Job::Stop(DWORD ms) {
  {
    std::lock_guard lock(stopLock);
    abandoned = true;
    stopped = true;
    if (open) TOVR_LATE(winhttp, WinHttpCloseHandle)(std::exchange(open, nullptr));
  }
  if (finished) WaitForSingleObject(finished.get(), ms);
}

bool WinHttpClient::Job::Receive(HINTERNET handle) {
  HANDLE out = INVALID_HANDLE_VALUE;
  if (request.mode == HttpMode::File) {
    // Shared for deletion: the exit removes a partial file that this worker still holds.
    out = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
      error = ErrorText("CreateFile", GetLastError());
      return false;
    }
  }
  const std::uint64_t limit = request.fileLimit == 0 ? kMaxDownloadBytes : std::min(request.fileLimit, kMaxDownloadBytes);
  const ULONGLONG start = GetTickCount64();
  ULONGLONG lastProgress = start;
  Sha256 sha;
  std::vector<char> buffer(kChunk);
  bool done = false;
  while (!done && !abandoned) {
    // What has arrived, not a whole chunk: a slow server is read as it sends, so an abandoned
    // request notices soon.
    DWORD available = 0, read = 0;
    if (!TOVR_LATE(winhttp, WinHttpQueryDataAvailable)(handle, &available) ||
        !TOVR_LATE(winhttp, WinHttpReadData)(handle, buffer.data(), std::clamp<DWORD>(available, 1, kChunk), &read)) {
      error = ErrorText("WinHttpReadData", GetLastError());
      break;
    }
    result.bytes += read;
    const ULONGLONG now = GetTickCount64();
    if (read == 0) {
      done = true;
    } else if (request.mode == HttpMode::Text) {
      const std::size_t room = request.textLimit + 1 - result.body.size();
      result.body.append(buffer.data(), std::min<std::size_t>(read, room));
      done = result.body.size() > request.textLimit;  // too long: the caller sees one byte more
      if (!done && now - start > static_cast<ULONGLONG>(timeouts.textDeadlineMs)) {
        error = "the text did not arrive within " + std::to_string(timeouts.textDeadlineMs) + " ms";
        break;
      }
    } else if (result.bytes > limit) {
      failure = HttpFailure::TooLarge;
      error = "longer than " + std::to_string(limit) + " bytes";
      break;
    } else {
      DWORD written = 0;
      if (!WriteFile(out, buffer.data(), read, &written, nullptr) || written != read) {
        error = ErrorText("WriteFile", GetLastError());
        break;
      }
      sha.Add(buffer.data(), read);
      if (now - lastProgress >= kProgressEveryMs) {
        lastProgress = now;
        PostMessageW(notify, kProgressMessage, serial, static_cast<LPARAM>(result.bytes));
      }
    }
  }
  if (out != INVALID_HANDLE_VALUE) {
    CloseHandle(out);
    if (done) {
      const std::optional<Digest> digest = sha.Finish();
      if (digest) result.sha256 = HexOf(*digest);
    }
    // No partial download stays behind. An abandoned one is left to a newer download of the
    // same file, unless the program is ending.
    if (!done && (!abandoned || stopped)) DeleteFileW(file.c_str());
  }
  return done;
}

bool WinHttpClient::Job::Fetch(HINTERNET session, std::string& url, int hop) {
  const std::optional<Target> target = Crack(url);
  if (!target) {
    error = "not an http or https address: " + url;
    return false;
  }
  Internet connection(TOVR_LATE(winhttp, WinHttpConnect)(session, target->host.c_str(), target->port, 0));
  Internet handle(connection ? TOVR_LATE(winhttp, WinHttpOpenRequest)(
                                   connection.get(), L"GET", target->path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                   WINHTTP_DEFAULT_ACCEPT_TYPES, target->secure ? WINHTTP_FLAG_SECURE : 0)
                             : nullptr);
  if (handle) {
    // The wait for the response's headers has a time-out of its own (90 s by default).
    DWORD headersMs = static_cast<DWORD>(timeouts.receiveMs);
    TOVR_LATE(winhttp, WinHttpSetOption)
    (handle.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersMs, sizeof headersMs);
    // The body may pause between two bytes for the stall limit at most.
    DWORD stallMs = static_cast<DWORD>(timeouts.stallMs);
    TOVR_LATE(winhttp, WinHttpSetOption)(handle.get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, &stallMs, sizeof stallMs);
    // Redirects are this client's to judge: WinHTTP follows none, from https to http least of all.
    DWORD never = WINHTTP_OPTION_REDIRECT_POLICY_NEVER;
    TOVR_LATE(winhttp, WinHttpSetOption)(handle.get(), WINHTTP_OPTION_REDIRECT_POLICY, &never, sizeof never);
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    TOVR_LATE(winhttp, WinHttpSetOption)
    (handle.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects);
    std::lock_guard lock(stopLock);
    if (stopped) return false;
    open = handle.get();
  }
  // Whatever way the hop ends: a handle the exit closed already is not closed again.
  struct Release {
    Job& job;
    Internet& handle;
    ~Release() {
      std::lock_guard lock(job.stopLock);
      if (!job.open) (void)handle.release();
      job.open = nullptr;
    }
  } release{*this, handle};
  if (!handle ||
      !TOVR_LATE(winhttp, WinHttpSendRequest)(handle.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                                              0, 0, 0) ||
      !TOVR_LATE(winhttp, WinHttpReceiveResponse)(handle.get(), nullptr)) {
    error = ErrorText("HTTP request", GetLastError());
    return false;
  }
  DWORD status = 0, size = sizeof status;
  if (!TOVR_LATE(winhttp, WinHttpQueryHeaders)(handle.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                                               WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    error = ErrorText("WinHttpQueryHeaders", GetLastError());
    return false;
  }
  if (IsRedirect(status)) {
    if (hop >= kMaxRedirects) {
      error = "more than " + std::to_string(kMaxRedirects) + " redirects";
      return false;
    }
    const std::string location = LocationOf(handle.get());
    const std::optional<std::string> next = RedirectTarget(url, location);
    if (!next || !RedirectAllowed(url, *next)) {
      failure = HttpFailure::Insecure;
      error = next ? *next : location;
      return false;
    }
    url = *next;
    return true;
  }
  if (status < 200 || status > 299) {
    failure = HttpFailure::Status;
    error = "HTTP status " + std::to_string(status);
    return false;
  }
  ok = Receive(handle.get());
  return false;
}

void WinHttpClient::Job::Run() {
  Internet session(OpenSession(request.proxy));
  if (!session) {
    error = ErrorText("WinHttpOpen", GetLastError());
    return;
  }
  TOVR_LATE(winhttp, WinHttpSetTimeouts)
  (session.get(), timeouts.resolveMs, timeouts.connectMs, timeouts.sendMs, timeouts.receiveMs);
  std::string url = request.url;
  for (int hop = 0; Fetch(session.get(), url, hop); ++hop) {
  }
}

WinHttpClient::WinHttpClient(Timeouts timeouts)
    : timeouts_(timeouts), window_(CreateMessageWindow(kClassName, &WinHttpClient::WindowProc, this)) {}

WinHttpClient::~WinHttpClient() {
  // The program is ending: every request still running (an abandoned one too) is told to stop
  // and waited for a short while; results posted that no one will take are freed.
  current_.reset();
  const DWORD deadline = GetTickCount() + kExitWaitMs;
  for (const std::weak_ptr<Job>& weak : running_) {
    auto job = weak.lock();
    if (!job) continue;
    job->Stop(std::max<LONG>(0, static_cast<LONG>(deadline - GetTickCount())));
    // A worker still waiting on the network holds its file open for deletion: it goes when the
    // process ends.
    if (job->request.mode == HttpMode::File && WaitForSingleObject(job->finished.get(), 0) != WAIT_OBJECT_0) {
      DeleteFileW(job->file.c_str());
    }
  }
  if (window_) {
    MSG msg;
    while (PeekMessageW(&msg, window_, kFinishedMessage, kFinishedMessage, PM_REMOVE)) {
      delete reinterpret_cast<std::shared_ptr<Job>*>(msg.lParam);
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool WinHttpClient::Get(const HttpRequest& request) {
  if (current_ || !window_) return false;  // one request at a time
  if (!Crack(request.url)) return false;
  if (request.mode == HttpMode::File && request.filePath.empty()) return false;

  auto job = std::make_shared<Job>();
  job->request = request;
  job->timeouts = timeouts_;
  job->file = Widen(request.filePath);
  job->serial = ++nextSerial_;
  job->notify = window_;
  try {
    std::thread([job] {
      try {
        job->Run();
      } catch (const Error& e) {  // the HTTP library could not be loaded
        job->error = e.what();
      }
      auto* message = new std::shared_ptr<Job>(job);
      if (!PostMessageW(job->notify, kFinishedMessage, 0, reinterpret_cast<LPARAM>(message))) delete message;
      SetEvent(job->finished.get());
    }).detach();
  } catch (const std::exception&) {
    return false;  // no thread: the request cannot start
  }
  current_ = job;
  std::erase_if(running_, [](const std::weak_ptr<Job>& j) { return j.expired(); });
  running_.push_back(job);
  return true;
}

void WinHttpClient::Disconnect() {
  if (current_) current_->abandoned = true;
  current_.reset();
}

void WinHttpClient::Finished(const std::shared_ptr<Job>& job) {
  if (job != current_ || job->abandoned) return;
  current_.reset();
  IHttpListener* listener = listener_;
  if (!listener) return;
  if (job->ok) {
    controls::win32::RunGuarded(guard_, "HttpDone", [&] { listener->HttpDone(job->result); });
  } else {
    controls::win32::RunGuarded(guard_, "HttpFailed", [&] { listener->HttpFailed(job->failure, job->error); });
  }
}

void WinHttpClient::Progressed(WPARAM serial, std::uint64_t bytes) {
  if (!current_ || current_->serial != serial || current_->abandoned || !listener_) return;
  IHttpListener* listener = listener_;
  controls::win32::RunGuarded(guard_, "HttpProgress", [&] { listener->HttpProgress(bytes); });
}

LRESULT CALLBACK WinHttpClient::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kProgressMessage) {
    if (auto* self = MessageWindowOwner<WinHttpClient>(hwnd)) self->Progressed(wParam, static_cast<std::uint64_t>(lParam));
    return 0;
  }
  if (msg != kFinishedMessage) return DefWindowProcW(hwnd, msg, wParam, lParam);
  std::unique_ptr<std::shared_ptr<Job>> job(reinterpret_cast<std::shared_ptr<Job>*>(lParam));
  if (auto* self = MessageWindowOwner<WinHttpClient>(hwnd)) self->Finished(*job);
  return 0;
}

}  // namespace tovr::update::win32
