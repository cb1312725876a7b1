#include "update/win32/WinHttpClient.h"

#include <winhttp.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "base/win32/Wide.h"
#include "controls/win32/UniqueHandle.h"

namespace tovr::update::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TovrHttpClient";
constexpr wchar_t kAgent[] = L"Tovrane/2.53";
constexpr UINT kFinishedMessage = WM_APP + 0x48;
constexpr DWORD kAutomaticProxy = 4;  // WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, Windows 8.1 and later
constexpr DWORD kChunk = 64 * 1024;

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

  void Run();
  bool Receive(HINTERNET request);
};

bool WinHttpClient::Job::Receive(HINTERNET handle) {
  HANDLE out = INVALID_HANDLE_VALUE;
  if (request.mode == HttpMode::File) {
    out = CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
      error = ErrorText("CreateFile", GetLastError());
      return false;
    }
  }
  std::vector<char> buffer(kChunk);
  bool done = false;
  while (!done && !abandoned) {
    DWORD read = 0;
    if (!WinHttpReadData(handle, buffer.data(), kChunk, &read)) {
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
    if (!done && !abandoned) DeleteFileW(file.c_str());  // no partial download stays behind
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
  }
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

WinHttpClient::WinHttpClient(Timeouts timeouts) : timeouts_(timeouts) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &WinHttpClient::WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WinHttpClient::~WinHttpClient() {
  Disconnect();
  if (window_) {
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
    }).detach();
  } catch (const std::exception&) {
    return false;  // no thread: the request cannot start
  }
  current_ = std::move(job);
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
  if (auto* self = reinterpret_cast<WinHttpClient*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) self->Finished(*job);
  return 0;
}

}  // namespace tovr::update::win32
