// What the update check trusts: the signature of the version file and the key it is checked
// with, the addresses it fetches from and is redirected to, and the mark a download carries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovr::update {

// 64 bytes: an ECDSA P-256 signature (r then s) or public key (X then Y), each half big-endian.
using Bytes64 = std::array<std::uint8_t, 64>;

// The public half of the release key the version files are signed with (X then Y); UpdateKey in
// the settings replaces it.
inline constexpr char kReleaseKey[] =
    "324175404a96df17287cede5d897402e0816f170675f028187c256b5f6dfb011"
    "aa0262480916491da23b1f3fa7e2b8504cb38b0190f4d5c1ea87f117b0fb7d24";

// Exactly 128 hexadecimal digits of either case, with blanks and line breaks around them (never
// between them). None for anything else.
std::optional<Bytes64> ParseHex64(std::string_view text);

// An address the update check fetches from: https, or http to this computer (127.0.0.0/8, ::1,
// localhost). The host is what comes after the scheme up to the first "/", "?" or "#"; a host
// part with user information ("@"), a backslash, a blank or a control character is refused, so
// that no reader of the address can take another host from it.
bool SecureEnough(std::string_view url);

// A redirect from `from` to `to` is followed when `to` is secure enough and it does not go from
// https down to http.
bool RedirectAllowed(std::string_view from, std::string_view to);

// The absolute address a redirect's Location header names, read against the address that
// answered: an absolute URL, a scheme-relative "//host/path", an absolute path or a relative one.
// None for an empty location.
std::optional<std::string> RedirectTarget(std::string_view current, std::string_view location);

// The Zone.Identifier stream that makes Windows warn before it runs a file from the Internet.
std::string InternetZoneMark(std::string_view hostUrl, std::string_view referrerUrl);

// The tray icon's tip while a download runs: "Tovrane 正在下载新版本… 37%".
std::string DownloadProgressHint(int percent);

}  // namespace tovr::update
