// The update's HTTP client at exit: a download that a server trickles is told to stop, the
// exit waits for it only a short while, and its partial file goes.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "base/win32/Wide.h"
#include "update/win32/WinHttpClient.h"

namespace tovr::update::win32 {
namespace {

// A server on 127.0.0.1 that answers one request with a long body, one byte every 50 ms.
class TricklingServer {
 public:
  TricklingServer() {
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
    listen(listener_, 1);
    thread_ = std::thread([this] {
      SOCKET client = accept(listener_, nullptr, nullptr);
      if (client == INVALID_SOCKET) return;
      char request[2048];
      recv(client, request, sizeof request, 0);
      const char head[] = "HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n";
      send(client, head, sizeof head - 1, 0);
      while (!stop_ && send(client, "x", 1, 0) == 1) Sleep(50);
      closesocket(client);
    });
  }
  ~TricklingServer() {
    stop_ = true;
    closesocket(listener_);
    thread_.join();
    WSACleanup();
  }
  int Port() const { return port_; }

 private:
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

struct NoListener final : IHttpListener {
  void HttpDone(const std::string&) override {}
  void HttpFailed(const std::string&) override {}
};

TEST(WinHttpClientExitTest, ARunningDownloadStopsAtExitAndLeavesNoPartialFile) {
  TricklingServer server;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"tovr-exit-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  NoListener listener;
  auto client = std::make_unique<WinHttpClient>();
  client->SetListener(&listener);
  HttpRequest request;
  request.url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/soft/nb.exe";
  request.mode = HttpMode::File;
  request.filePath = Narrow(file);
  ASSERT_TRUE(client->Get(request));
  for (int i = 0; i < 100 && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
  Sleep(300);  // a few bytes are in
  ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the download did not start";

  const DWORD exiting = GetTickCount();
  client.reset();
  EXPECT_LT(GetTickCount() - exiting, 2500u) << "the exit waited past its deadline";
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the partial download stayed";
  DeleteFileW(file.c_str());
}

}  // namespace
}  // namespace tovr::update::win32
