#include "update/UpdateTrust.h"

#include "base/Text.h"

namespace tovr::update {

namespace {

struct Address {
  std::string scheme;  // lower case
  std::string host;    // lower case, IPv6 with its brackets
};

std::optional<Address> ParseAddress(std::string_view url) {
  const std::size_t colon = url.find("://");
  if (colon == std::string_view::npos) return std::nullopt;
  Address out{text::AsciiLower(url.substr(0, colon)), {}};
  std::string_view authority = url.substr(colon + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  for (const char c : authority) {
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F || c == '@' || c == '\\') return std::nullopt;
  }
  std::string_view host = authority;
  if (!host.empty() && host.front() == '[') {
    const std::size_t close = host.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = host.substr(0, close + 1);
  } else {
    host = host.substr(0, host.find(':'));
  }
  if (host.empty()) return std::nullopt;
  out.host = text::AsciiLower(host);
  return out;
}

// A dotted IPv4 address of four decimal parts, 0-255, the first 127.
bool IsLoopbackIpv4(std::string_view host) {
  int parts = 0;
  while (true) {
    const std::size_t dot = host.find('.');
    const std::string_view part = host.substr(0, dot);
    if (part.empty() || part.size() > 3) return false;
    int value = 0;
    for (const char c : part) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    if (value > 255 || (parts == 0 && value != 127)) return false;
    ++parts;
    if (dot == std::string_view::npos) break;
    host.remove_prefix(dot + 1);
  }
  return parts == 4;
}

bool IsLoopback(std::string_view host) {
  return host == "localhost" || host == "[::1]" || IsLoopbackIpv4(host);
}

}  // namespace

std::optional<Bytes64> ParseHex64(std::string_view written) {
  const std::string_view digits = text::TrimBlanks(written);
  if (digits.size() != 128) return std::nullopt;
  Bytes64 out{};
  for (std::size_t i = 0; i < out.size(); ++i) {
    const int high = text::HexDigitValue(digits[2 * i]), low = text::HexDigitValue(digits[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return out;
}

bool SecureEnough(std::string_view url) {
  const std::optional<Address> address = ParseAddress(url);
  if (!address) return false;
  return address->scheme == "https" || (address->scheme == "http" && IsLoopback(address->host));
}

bool RedirectAllowed(std::string_view from, std::string_view to) {
  if (!SecureEnough(to)) return false;
  const std::optional<Address> source = ParseAddress(from);
  return !(source && source->scheme == "https" && ParseAddress(to)->scheme != "https");
}

std::optional<std::string> RedirectTarget(std::string_view current, std::string_view location) {
  if (location.empty()) return std::nullopt;
  if (location.find("://") != std::string_view::npos &&
      location.find("://") < location.find_first_of("/?#")) {
    return std::string(location);
  }
  const std::size_t colon = current.find("://");
  if (colon == std::string_view::npos) return std::nullopt;
  const std::size_t pathStart = current.find_first_of("/?#", colon + 3);
  const std::string_view origin = current.substr(0, pathStart);
  if (location.substr(0, 2) == "//") return std::string(current.substr(0, colon + 1)) + std::string(location);
  if (location.front() == '/') return std::string(origin) + std::string(location);
  // Relative: beside the last "/" of the current path, its query and fragment left out.
  std::string_view path = pathStart == std::string_view::npos ? std::string_view("/") : current.substr(pathStart);
  path = path.substr(0, path.find_first_of("?#"));
  if (path.empty()) path = "/";
  return std::string(origin) + std::string(path.substr(0, path.rfind('/') + 1)) + std::string(location);
}

std::string InternetZoneMark(std::string_view hostUrl, std::string_view referrerUrl) {
  return "[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=" + std::string(referrerUrl) + "\r\nHostUrl=" +
         std::string(hostUrl) + "\r\n";
}

std::string DownloadProgressHint(int percent) {
  return "Tovrane 正在下载新版本… " + std::to_string(percent) + "%";
}

}  // namespace tovr::update
