#include "update/win32/WinHttpClient.h"

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/win32/Wide.h"
#include "controls/win32/UniqueHandle.h"
#include "platform/win32/MessageWindow.h"

namespace tovr::update::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TovrHttpClient";
constexpr wchar_t kAgent[] = L"Tovrane/2.53";
constexpr UINT kFinishedMessage = WM_APP + 0x48;
constexpr DWORD kAutomaticProxy = 4;  // WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, Windows 8.1 and later
constexpr DWORD kChunk = 64 * 1024;
constexpr DWORD kExitWaitMs = 2000;  // how long the exit waits for running requests

BOOL CloseInternet(HINTERNET h) { return WinHttpCloseHandle(h); }
using Internet = controls::win32::UniqueHandle<HINTERNET, &CloseInternet>;

std::string ErrorText(const char* step, DWORD code) { return std::string(step) + " failed: error " + std::to_string(code); }

HINTERNET OpenSession(const std::optional<HttpProxy>& proxy) {
  if (proxy) {
    const std::wstring name = Widen(proxy->host + (proxy->port.empty() ? "" : ":" + proxy->port));
    return WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, name.c_str(), WINHTTP_NO_PROXY_BYPASS, 0);
  }
  if (HINTERNET session = WinHttpOpen(kAgent, kAutomaticProxy, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0)) {
    return session;
  }
  HINTERNET session = nullptr;
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG ie{};
  if (WinHttpGetIEProxyConfigForCurrentUser(&ie)) {
    if (ie.lpszProxy && *ie.lpszProxy) {
      session = WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_NAMED_PROXY, ie.lpszProxy,
                            ie.lpszProxyBypass ? ie.lpszProxyBypass : WINHTTP_NO_PROXY_BYPASS, 0);
    }
    for (LPWSTR s : {ie.lpszAutoConfigUrl, ie.lpszProxy, ie.lpszProxyBypass}) {
      if (s) GlobalFree(s);
    }
  }
  if (!session) {
    session = WinHttpOpen(kAgent, WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0);
  }
  return session;
}

}  // namespace

struct WinHttpClient::Job {
  HttpRequest request;
  Timeouts timeouts;
  std::wstring host, path, file;
  INTERNET_PORT port = 0;
  bool secure = false;
  HWND notify = nullptr;
  std::atomic<bool> abandoned{false};
  // Results, written by the worker before it posts.
  bool ok = false;
  std::string body, error;
  // The exit's hold on a running request: its handle, closed from the window's thread to end a
  // call that waits on the network; the event is set once the worker has posted its result.
  std::mutex stopLock;
  HINTERNET open = nullptr;
  bool stopped = false;
  controls::win32::UniqueHandle<HANDLE, &CloseHandle> finished{CreateEventW(nullptr, TRUE, FALSE, nullptr)};

  void Run();
  bool Receive(HINTERNET request);
  // At exit: abandons the request, ends a waiting call, and waits for the worker up to `ms`.
  void Stop(DWORD ms);
};

void WinHttpClient::Job::Stop(DWORD ms) {
  {
    std::lock_guard lock(stopLock);
    abandoned = true;
    stopped = true;
    if (open) WinHttpCloseHandle(std::exchange(open, nullptr));
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
  std::vector<char> buffer(kChunk);
  bool done = false;
  while (!done && !abandoned) {
    // What has arrived, not a whole chunk: a slow server is read as it sends, so an abandoned
    // request notices soon.
    DWORD available = 0, read = 0;
    if (!WinHttpQueryDataAvailable(handle, &available) ||
        !WinHttpReadData(handle, buffer.data(), std::clamp<DWORD>(available, 1, kChunk), &read)) {
      error = ErrorText("WinHttpReadData", GetLastError());
      break;
    }
    if (read == 0) {
      done = true;
    } else if (request.mode == HttpMode::Text) {
      const std::size_t room = request.textLimit + 1 - body.size();
      body.append(buffer.data(), std::min<std::size_t>(read, room));
      done = body.size() > request.textLimit;  // too long: the caller sees one byte more
    } else {
      DWORD written = 0;
      if (!WriteFile(out, buffer.data(), read, &written, nullptr) || written != read) {
        error = ErrorText("WriteFile", GetLastError());
        break;
      }
    }
  }
  if (out != INVALID_HANDLE_VALUE) {
    CloseHandle(out);
    // No partial download stays behind. An abandoned one is left to a newer download of the
    // same file, unless the program is ending.
    if (!done && (!abandoned || stopped)) DeleteFileW(file.c_str());
  }
  return done;
}

void WinHttpClient::Job::Run() {
  Internet session(OpenSession(request.proxy));
  if (!session) {
    error = ErrorText("WinHttpOpen", GetLastError());
    return;
  }
  WinHttpSetTimeouts(session.get(), timeouts.resolveMs, timeouts.connectMs, timeouts.sendMs, timeouts.receiveMs);
  Internet connection(WinHttpConnect(session.get(), host.c_str(), port, 0));
  Internet handle(connection ? WinHttpOpenRequest(connection.get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                                  WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0)
                             : nullptr);
  if (handle) {
    // The wait for the response's headers has a time-out of its own (90 s by default).
    DWORD headersMs = static_cast<DWORD>(timeouts.receiveMs);
    WinHttpSetOption(handle.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headersMs, sizeof headersMs);
    std::lock_guard lock(stopLock);
    if (stopped) return;
    open = handle.get();
  }
  // Whatever way Run ends: a handle the exit closed already is not closed again.
  struct Release {
    Job& job;
    Internet& handle;
    ~Release() {
      std::lock_guard lock(job.stopLock);
      if (!job.open) (void)handle.release();
      job.open = nullptr;
    }
  } release{*this, handle};
  if (!handle || !WinHttpSendRequest(handle.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
      !WinHttpReceiveResponse(handle.get(), nullptr)) {
    error = ErrorText("HTTP request", GetLastError());
    return;
  }
  DWORD status = 0, size = sizeof status;
  if (!WinHttpQueryHeaders(handle.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX) ||
      status < 200 || status > 299) {
    error = "HTTP status " + std::to_string(status);
    return;
  }
  ok = Receive(handle.get());
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
  std::wstring url = Widen(request.url);
  if (const auto hash = url.find(L'#'); hash != std::wstring::npos) url.resize(hash);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (url.empty() || !WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return false;
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return false;
  if (!parts.lpszHostName || parts.dwHostNameLength == 0) return false;
  if (request.mode == HttpMode::File && request.filePath.empty()) return false;

  auto job = std::make_shared<Job>();
  job->request = request;
  job->timeouts = timeouts_;
  job->host.assign(parts.lpszHostName, parts.dwHostNameLength);
  if (parts.lpszUrlPath) job->path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
  if (parts.lpszExtraInfo) job->path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (job->path.empty()) job->path = L"/";
  job->port = parts.nPort;
  job->secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
  job->file = Widen(request.filePath);
  job->notify = window_;
  try {
    std::thread([job] {
      job->Run();
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
    controls::win32::RunGuarded(guard_, "HttpDone", [&] { listener->HttpDone(job->body); });
  } else {
    controls::win32::RunGuarded(guard_, "HttpFailed", [&] { listener->HttpFailed(job->error); });
  }
}

LRESULT CALLBACK WinHttpClient::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kFinishedMessage) return DefWindowProcW(hwnd, msg, wParam, lParam);
  std::unique_ptr<std::shared_ptr<Job>> job(reinterpret_cast<std::shared_ptr<Job>*>(lParam));
  if (auto* self = MessageWindowOwner<WinHttpClient>(hwnd)) self->Finished(*job);
  return 0;
}

}  // namespace tovr::update::win32
