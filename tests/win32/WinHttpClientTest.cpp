// The update's HTTP client against a server of the test's own on 127.0.0.1: every request is
// bounded (a stall, a trickling text, a file longer than its limit), redirects are judged here
// and not by WinHTTP, a file's hash comes with it, and at exit a running download is told to
// stop, waited for only a short while, and its partial file goes.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/win32/Wide.h"
#include "update/win32/WinHttpClient.h"

namespace tovr::update::win32 {
namespace {

// One answer: the head and body sent, the body a byte at a time every `trickleMs` when set;
// `hold` keeps the connection open after it until the client closes it.
struct Answer {
  std::string head, body;
  int trickleMs = 0;
  bool hold = false;
};

// A server on 127.0.0.1 that gives each connection the next answer.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<Answer> answers) : answers_(std::move(answers)) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    int size = sizeof at;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size);
    port_ = ntohs(at.sin_port);
    listen(listener_, 4);
    thread_ = std::thread([this] {
      for (const Answer& answer : answers_) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        char request[2048];
        recv(client, request, sizeof request, 0);
        send(client, answer.head.data(), static_cast<int>(answer.head.size()), 0);
        if (answer.trickleMs == 0) {
          send(client, answer.body.data(), static_cast<int>(answer.body.size()), 0);
        } else {
          for (std::size_t i = 0; i < answer.body.size() && !stop_; ++i) {
            if (send(client, &answer.body[i], 1, 0) != 1) break;
            Sleep(answer.trickleMs);
          }
        }
        if (answer.hold) {
          while (recv(client, request, sizeof request, 0) > 0) {
          }
        }
        closesocket(client);
      }
    });
  }
  ~ScriptedServer() {
    stop_ = true;
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }

 private:
  std::vector<Answer> answers_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

std::string Head(int status, std::size_t length, const std::string& extra = {}) {
  return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Length: " + std::to_string(length) + "\r\n" + extra + "\r\n";
}

struct Recorder final : IHttpListener {
  std::optional<HttpResult> done;
  std::optional<std::pair<HttpFailure, std::string>> failed;
  std::vector<std::uint64_t> progress;
  void HttpDone(const HttpResult& result) override { done = result; }
  void HttpFailed(HttpFailure failure, const std::string& reason) override { failed = {failure, reason}; }
  void HttpProgress(std::uint64_t bytes) override { progress.push_back(bytes); }
  bool Ended() const { return done || failed; }
};

std::wstring TempFile(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + name + std::to_wstring(GetCurrentProcessId()) + L".tmp";
}

// Runs `request` to its end, pumping the thread's messages; the seconds it took.
double RunToEnd(WinHttpClient& client, Recorder& recorder, const HttpRequest& request) {
  client.SetListener(&recorder);
  const DWORD start = GetTickCount();
  EXPECT_TRUE(client.Get(request));
  while (!recorder.Ended() && GetTickCount() - start < 20000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  EXPECT_TRUE(recorder.Ended()) << request.url;
  return (GetTickCount() - start) / 1000.0;
}

HttpRequest FileRequest(const std::string& url, const std::wstring& file, std::uint64_t limit) {
  HttpRequest request;
  request.url = url;
  request.mode = HttpMode::File;
  request.filePath = Narrow(file);
  request.fileLimit = limit;
  return request;
}

HttpRequest TextRequest(const std::string& url, std::size_t limit) {
  HttpRequest request;
  request.url = url;
  request.textLimit = limit;
  return request;
}

TEST(WinHttpClientTest, StallsTricklesAndOverlongFilesEndTheRequest) {
  HttpTimeouts timeouts;
  timeouts.receiveMs = 1000;
  timeouts.stallMs = 2500;
  timeouts.textDeadlineMs = 1500;
  const std::wstring file = TempFile(L"tovr-bounded-");
  {
    // No headers at all: their own limit, not the body's stall limit.
    ScriptedServer server({{"", "", 0, true}});
    WinHttpClient client(timeouts);
    Recorder recorder;
    const double seconds = RunToEnd(client, recorder, FileRequest(server.Url("/nb.exe"), file, 1000));
    ASSERT_TRUE(recorder.failed);
    EXPECT_LT(seconds, 2.4);
  }
  {
    // One byte of a thousand, then nothing: the stall limit ends it, with no file left.
    ScriptedServer server({{Head(200, 1000), "x", 0, true}});
    WinHttpClient client(timeouts);
    Recorder recorder;
    const double seconds = RunToEnd(client, recorder, FileRequest(server.Url("/nb.exe"), file, 1000));
    ASSERT_TRUE(recorder.failed);
    EXPECT_EQ(recorder.failed->first, HttpFailure::Network);
    EXPECT_GE(seconds, 2.2);
    EXPECT_LT(seconds, 6.0);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  }
  {
    // A version file that trickles a byte every 100 ms never stalls, but has a deadline.
    ScriptedServer server({{Head(200, 200), std::string(200, 'v'), 100, false}});
    WinHttpClient client(timeouts);
    Recorder recorder;
    const double seconds = RunToEnd(client, recorder, TextRequest(server.Url("/tovr.ver"), 65536));
    ASSERT_TRUE(recorder.failed);
    EXPECT_LT(seconds, 4.0);
  }
  {
    // More bytes than the limit: too large, and the file goes.
    ScriptedServer server({{Head(200, 100), std::string(100, 'z')}});
    WinHttpClient client(timeouts);
    Recorder recorder;
    RunToEnd(client, recorder, FileRequest(server.Url("/nb.exe"), file, 99));
    ASSERT_TRUE(recorder.failed);
    EXPECT_EQ(recorder.failed->first, HttpFailure::TooLarge);
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

TEST(WinHttpClientTest, RedirectsAreFollowedOnlyWhereTheyMayGoAndTheFileComesWithItsHash) {
  const std::wstring file = TempFile(L"tovr-redirect-");
  {
    ScriptedServer server({{Head(302, 0, "Location: /soft/nb.exe\r\n"), ""}, {Head(200, 3), "abc"}});
    WinHttpClient client;
    Recorder recorder;
    RunToEnd(client, recorder, FileRequest(server.Url("/get"), file, 3));
    ASSERT_TRUE(recorder.done) << (recorder.failed ? recorder.failed->second : "");
    EXPECT_EQ(recorder.done->bytes, 3u);
    EXPECT_EQ(recorder.done->sha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    DeleteFileW(file.c_str());
  }
  {
    // To plain http elsewhere: refused before any connection is made there.
    ScriptedServer server({{Head(301, 0, "Location: http://192.0.2.1/nb.exe\r\n"), ""}});
    WinHttpClient client;
    Recorder recorder;
    RunToEnd(client, recorder, TextRequest(server.Url("/tovr.ver"), 100));
    ASSERT_TRUE(recorder.failed);
    EXPECT_EQ(recorder.failed->first, HttpFailure::Insecure);
    EXPECT_EQ(recorder.failed->second, "http://192.0.2.1/nb.exe");
  }
  {
    ScriptedServer server({{Head(404, 2), "no"}});
    WinHttpClient client;
    Recorder recorder;
    RunToEnd(client, recorder, TextRequest(server.Url("/tovr.ver.sig"), 100));
    ASSERT_TRUE(recorder.failed);
    EXPECT_EQ(recorder.failed->first, HttpFailure::Status);
  }
}

TEST(WinHttpClientTest, ARunningDownloadReportsProgressAndStopsAtExitLeavingNoPartialFile) {
  ScriptedServer server({{Head(200, 100000), std::string(100000, 'x'), 50, false}});
  const std::wstring file = TempFile(L"tovr-exit-");
  Recorder recorder;
  auto client = std::make_unique<WinHttpClient>();
  client->SetListener(&recorder);
  ASSERT_TRUE(client->Get(FileRequest(server.Url("/soft/nb.exe"), file, 100000)));
  for (int i = 0; i < 100 && recorder.progress.empty(); ++i) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(50);
  }
  ASSERT_FALSE(recorder.progress.empty()) << "no progress";
  EXPECT_GT(recorder.progress.back(), 0u);
  ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the download did not start";

  const DWORD exiting = GetTickCount();
  client.reset();
  EXPECT_LT(GetTickCount() - exiting, 2500u) << "the exit waited past its deadline";
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the partial download stayed";
  DeleteFileW(file.c_str());
}

}  // namespace
}  // namespace tovr::update::win32
