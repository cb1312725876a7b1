// The system's cryptography (BCrypt, Windows 7 and later) as the update check needs it: the
// SHA-256 of a stream of bytes and the check of an ECDSA P-256 signature.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "update/UpdateTrust.h"

namespace tovr::update::win32 {

using Digest = std::array<std::uint8_t, 32>;

// A SHA-256 fed in pieces. Valid() is false when the system has no SHA-256 provider; Finish
// then answers none.
class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  bool Valid() const { return hash_ != nullptr; }
  void Add(const void* data, std::size_t size);
  // The digest of everything added; the object takes no more bytes after it.
  std::optional<Digest> Finish();

 private:
  void* algorithm_ = nullptr;
  void* hash_ = nullptr;
  bool failed_ = false;
};

std::string HexOf(const Digest& digest);

// True when `signature` (r then s) is a valid ECDSA P-256 signature by the public point `key`
// (X then Y) over the SHA-256 of `message`.
bool VerifyEcdsaP256(const Bytes64& key, std::string_view message, const Bytes64& signature);

}  // namespace tovr::update::win32
