// The HTTP client of the update check and the download, as a port. The Win32 adapter
// (update/win32/WinHttpClient) works on WinHTTP with one worker thread per request and posts
// its notifications back to the user-interface thread, so the window never waits on the
// network; tests use tests/fakes/FakeUpdate.h.
#pragma once

#include <cstddef>
#include <cstdint>
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
  std::uint64_t fileLimit = 0;   // File mode: a body longer than this fails (TooLarge)
  std::optional<HttpProxy> proxy;  // none: the system's proxy settings
};

struct HttpResult {
  std::string body;          // Text mode: at most textLimit + 1 bytes; File mode: empty
  std::uint64_t bytes = 0;   // the body's length as received
  std::string sha256;        // File mode: the body's SHA-256, 64 lower-case hexadecimal digits
};

enum class HttpFailure {
  Network,    // no connection, a time-out, no byte for the stall limit, a failed write
  Status,     // the server answered with a status other than 2xx
  TooLarge,   // File mode: the body went past fileLimit
  Insecure,   // a redirect to an address that is not secure enough (the reason names it)
};

// Where the notifications go; called on the user-interface thread. Every started request ends
// with exactly one HttpDone or HttpFailed; HttpProgress may come before, a few times a second.
class IHttpListener {
 public:
  virtual ~IHttpListener() = default;
  // The whole body arrived with a success status (2xx). File mode: the file is complete and
  // closed.
  virtual void HttpDone(const HttpResult& result) = 0;
  // The request failed after it was started. File mode: the partial file has been removed.
  virtual void HttpFailed(HttpFailure failure, const std::string& reason) = 0;
  // File mode: `bytes` of the body have been written so far.
  virtual void HttpProgress(std::uint64_t bytes) = 0;
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
