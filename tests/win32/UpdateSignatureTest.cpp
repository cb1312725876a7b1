// The version file's signature checked by the system's cryptography. The vectors were made with
// a key of the tests' own (not the release key): scripts/sign-version wrote the signature, and
// `scripts/sign-version --public-key` printed the key.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "base/win32/Wide.h"
#include "update/UpdateTrust.h"
#include "update/win32/Win32UpdateSystem.h"

namespace tovr::update::win32 {
namespace {

const std::string kVersionFile =
    "2.60[Version]2030/6/1[DateTime]https://update.example.com/tovr260.zip[URL]"
    "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08[SHA256]300000[Size]";
const std::string kSignature =
    "b5a727025df34628bcd048b1d66f3df6f355701fc216c62473159d846c7b1509"
    "73c223106e414cbab7dbdd4411125347c82da99befebaa29f105690ebf82941d\n";
const std::string kKey =
    "47b558c7e65a98d42e0bb87c42c2e4d9e65072406378dc727f9b0f1aa95583c9"
    "6980d2e497c3f0b9fcc4565a2ec699a97621b4d2ccdb60d1e7234bfc8a10d21d";

// As the update check reads them: the key and the signature file's text, then the system's check.
bool Verified(const std::string& key, const std::string& message, const std::string& signature) {
  const std::optional<Bytes64> k = ParseHex64(key), s = ParseHex64(signature);
  Win32UpdateSystem system;
  return k && s && system.VerifySignature(*k, message, *s);
}

TEST(UpdateSignatureTest, OnlyTheSignedBytesWithTheRightKeyAndSignaturePass) {
  EXPECT_TRUE(Verified(kKey, kVersionFile, kSignature));
  std::string upper = kSignature;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_TRUE(Verified(kKey, kVersionFile, "  " + upper));  // either case, blanks around

  std::string changed = kVersionFile;
  changed[2] = '7';  // 2.70
  EXPECT_FALSE(Verified(kKey, changed, kSignature));
  EXPECT_FALSE(Verified(kKey, kVersionFile + "\r\n", kSignature));
  std::string digit = kSignature;
  digit[70] = digit[70] == '0' ? '1' : '0';
  EXPECT_FALSE(Verified(kKey, kVersionFile, digit));
  EXPECT_FALSE(Verified(kKey, kVersionFile, ""));                      // no signature
  EXPECT_FALSE(Verified(kKey.substr(2), kVersionFile, kSignature));    // a key of 63 bytes
  EXPECT_FALSE(Verified(kKey + "00", kVersionFile, kSignature));       // of 65
  EXPECT_FALSE(Verified(kReleaseKey, kVersionFile, kSignature));       // another key
  EXPECT_FALSE(Verified(std::string(128, '1'), kVersionFile, kSignature));  // no point of the curve
}

TEST(UpdateSignatureTest, TheZoneMarkNeverFailsAndLeavesNoFileOfItsOwn) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file = std::wstring(temp) + L"tovr-mark-" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  Win32UpdateSystem system;
  system.MarkFromInternet(Narrow(file), InternetZoneMark("https://h/nb.exe", "https://h/tovr.ver"));
  wchar_t volume[MAX_PATH] = {};
  DWORD flags = 0;
  ASSERT_TRUE(GetVolumePathNameW(file.c_str(), volume, MAX_PATH));
  ASSERT_TRUE(GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0));
  const HANDLE stream = CreateFileW((file + L":Zone.Identifier").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
  if (flags & FILE_NAMED_STREAMS) {
    // Where streams exist (Windows' NTFS), the mark is there.
    ASSERT_NE(stream, INVALID_HANDLE_VALUE);
    char text[256] = {};
    DWORD read = 0;
    ReadFile(stream, text, sizeof text - 1, &read, nullptr);
    CloseHandle(stream);
    EXPECT_NE(std::string(text).find("ZoneId=3"), std::string::npos) << text;
  } else {
    // Elsewhere nothing is written, not even a file named after the stream.
    EXPECT_EQ(stream, INVALID_HANDLE_VALUE);
  }
  DeleteFileW(file.c_str());
}

}  // namespace
}  // namespace tovr::update::win32
