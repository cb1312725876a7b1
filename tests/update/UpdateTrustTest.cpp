// The addresses the update check fetches from and follows, and the keys and signatures it reads.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "update/UpdateTrust.h"

namespace tovr::update {
namespace {

TEST(UpdateTrustTest, OnlyHttpsOrHttpToThisComputerIsSecureEnough) {
  const std::vector<std::pair<std::string, bool>> cases = {
      {"https://update.example.com/soft/tovr.ver", true},
      {"HTTPS://Update.Example.com:8443/x", true},
      {"http://127.0.0.1:8080/soft/tovr.ver", true},
      {"http://127.255.0.9/x", true},
      {"http://localhost/x", true},
      {"http://LOCALHOST:81", true},
      {"http://[::1]:8080/x", true},
      {"http://update.example.com/soft/tovr.ver", false},
      {"http://128.0.0.1/x", false},
      {"http://127.0.0.1.example.com/x", false},  // a name, not the loopback address
      {"http://127.0.0/x", false},
      {"http://127.0.0.256/x", false},
      {"http://localhost.example.com/x", false},
      {"http://[::2]/x", false},
      {"http://127.0.0.1@evil.example.com/x", false},  // user information: which host?
      {"https://user@update.example.com/x", false},
      {"http://127.0.0.1\\@evil.example.com/x", false},
      {"http://local host/x", false},
      {"ftp://127.0.0.1/x", false},
      {"file:///C:/x.exe", false},
      {"https:///x", false},
      {"update.example.com/x", false},
      {"", false},
  };
  for (const auto& [url, want] : cases) EXPECT_EQ(SecureEnough(url), want) << url;
}

TEST(UpdateTrustTest, RedirectsAreResolvedAndNeverGoDownToHttp) {
  EXPECT_EQ(RedirectTarget("https://a.example/soft/tovr.ver?x=1", "https://b.example/v"), "https://b.example/v");
  EXPECT_EQ(RedirectTarget("https://a.example/soft/tovr.ver", "//b.example/v"), "https://b.example/v");
  EXPECT_EQ(RedirectTarget("https://a.example:8443/soft/tovr.ver", "/v/2"), "https://a.example:8443/v/2");
  EXPECT_EQ(RedirectTarget("https://a.example/soft/tovr.ver?x=/y", "new.ver"), "https://a.example/soft/new.ver");
  EXPECT_EQ(RedirectTarget("https://a.example", "new.ver"), "https://a.example/new.ver");
  EXPECT_EQ(RedirectTarget("https://a.example/soft/", "/get?u=http://x"), "https://a.example/get?u=http://x");
  EXPECT_EQ(RedirectTarget("https://a.example/soft/", ""), std::nullopt);

  EXPECT_TRUE(RedirectAllowed("https://a.example/x", "https://b.example/y"));
  EXPECT_TRUE(RedirectAllowed("http://127.0.0.1:8/x", "https://b.example/y"));
  EXPECT_TRUE(RedirectAllowed("http://127.0.0.1:8/x", "http://localhost:9/y"));
  EXPECT_FALSE(RedirectAllowed("https://a.example/x", "http://b.example/y"));
  EXPECT_FALSE(RedirectAllowed("https://a.example/x", "http://127.0.0.1/y"));  // never from https to http
  EXPECT_FALSE(RedirectAllowed("http://127.0.0.1:8/x", "http://b.example/y"));
  EXPECT_FALSE(RedirectAllowed("https://a.example/x", "ftp://b.example/y"));
}

TEST(UpdateTrustTest, KeysAndSignaturesAre128HexDigitsWithBlanksOnlyAround) {
  const std::string digits = std::string(64, '0') + std::string(62, 'f') + "A9";
  const std::optional<Bytes64> parsed = ParseHex64(" \r\n" + digits + "\r\n\t");
  ASSERT_TRUE(parsed);
  EXPECT_EQ((*parsed)[0], 0x00);
  EXPECT_EQ((*parsed)[32], 0xFF);
  EXPECT_EQ((*parsed)[63], 0xA9);
  for (const std::string& bad : {digits.substr(1), digits + "0", digits.substr(0, 64) + " " + digits.substr(64),
                                 digits.substr(0, 127) + "g", std::string(), std::string("  \r\n")}) {
    EXPECT_FALSE(ParseHex64(bad)) << bad;
  }
  EXPECT_TRUE(ParseHex64(kReleaseKey));
}

TEST(UpdateTrustTest, ProgressTipAndZoneMark) {
  EXPECT_EQ(DownloadProgressHint(37), "Tovrane 正在下载新版本… 37%");
  EXPECT_EQ(InternetZoneMark("https://h/nb.exe", "https://h/tovr.ver"),
            "[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=https://h/tovr.ver\r\nHostUrl=https://h/nb.exe\r\n");
}

}  // namespace
}  // namespace tovr::update
