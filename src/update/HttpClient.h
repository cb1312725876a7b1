// The HTTP client of the update check and the download, as a port. The Win32 adapter
// (update/win32/WinHttpClient) works on WinHTTP with one worker thread per request and posts
// its notifications back to the user-interface thread, so the window never waits on the
// network; tests use tests/fakes/FakeUpdate.h.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace tovr::update {

enum class HttpMode {
  Text,  // the body is delivered with the success notification
  File,  // the body is streamed into `filePath` (replaced); it is never held in memory
};

struct HttpProxy {
  std::string host;
  std::string port;  // empty: the scheme's default
};

struct HttpRequest {
  std::string url;  // http:// or https://
  HttpMode mode = HttpMode::Text;
  std::string filePath;          // File mode
  std::size_t textLimit = 0;     // Text mode: reading stops after textLimit + 1 bytes
  std::optional<HttpProxy> proxy;  // none: the system's proxy settings
};

// Where the notifications go; called on the user-interface thread, one per started request.
class IHttpListener {
 public:
  virtual ~IHttpListener() = default;
  // The whole body arrived with a success status (2xx). Text mode: the body (at most
  // textLimit + 1 bytes); File mode: empty, the file is complete and closed.
  virtual void HttpDone(const std::string& body) = 0;
  // The request failed after it was started (no connection, a time-out, a status other than
  // 2xx, a failed write). File mode: the partial file has been removed.
  virtual void HttpFailed(const std::string& reason) = 0;
};

class IHttpClient {
 public:
  virtual ~IHttpClient() = default;
  virtual void SetListener(IHttpListener* listener) = 0;
  // Starts a GET and returns at once. False when it cannot start: a URL that is not http or
  // https, no network stack, or a request of this client still running.
  virtual bool Get(const HttpRequest& request) = 0;
  // Closes the connection: a running request is abandoned and notifies nothing.
  virtual void Disconnect() = 0;
};

}  // namespace tovr::update
