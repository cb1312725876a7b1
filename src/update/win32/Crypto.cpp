#include "update/win32/Crypto.h"

#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/win32/LateBound.h"

namespace tovr::update::win32 {

namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

struct Provider {
  BCRYPT_ALG_HANDLE handle = nullptr;
  explicit Provider(const wchar_t* algorithm) {
    if (!Succeeded(TOVR_LATE(bcrypt, BCryptOpenAlgorithmProvider)(&handle, algorithm, nullptr, 0))) handle = nullptr;
  }
  ~Provider() {
    if (handle) TOVR_LATE(bcrypt, BCryptCloseAlgorithmProvider)(handle, 0);
  }
  Provider(const Provider&) = delete;
  Provider& operator=(const Provider&) = delete;
};

}  // namespace

Sha256::Sha256() {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  if (!Succeeded(TOVR_LATE(bcrypt, BCryptOpenAlgorithmProvider)(&algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0))) {
    return;
  }
  algorithm_ = algorithm;
  BCRYPT_HASH_HANDLE hash = nullptr;
  if (Succeeded(TOVR_LATE(bcrypt, BCryptCreateHash)(algorithm, &hash, nullptr, 0, nullptr, 0, 0))) hash_ = hash;
}

Sha256::~Sha256() {
  if (hash_) TOVR_LATE(bcrypt, BCryptDestroyHash)(hash_);
  if (algorithm_) TOVR_LATE(bcrypt, BCryptCloseAlgorithmProvider)(algorithm_, 0);
}

void Sha256::Add(const void* data, std::size_t size) {
  if (!hash_ || failed_) return;
  auto* bytes = static_cast<UCHAR*>(const_cast<void*>(data));
  while (size > 0) {
    const ULONG piece = static_cast<ULONG>(std::min<std::size_t>(size, 1u << 30));
    if (!Succeeded(TOVR_LATE(bcrypt, BCryptHashData)(hash_, bytes, piece, 0))) failed_ = true;
    bytes += piece;
    size -= piece;
  }
}

std::optional<Digest> Sha256::Finish() {
  Digest digest{};
  if (!hash_ || failed_ || !Succeeded(TOVR_LATE(bcrypt, BCryptFinishHash)(hash_, digest.data(), digest.size(), 0))) {
    return std::nullopt;
  }
  failed_ = true;  // a finished hash takes nothing more
  return digest;
}

std::string HexOf(const Digest& digest) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const std::uint8_t b : digest) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

bool VerifyEcdsaP256(const Bytes64& key, std::string_view message, const Bytes64& signature) {
  Sha256 sha;
  sha.Add(message.data(), message.size());
  std::optional<Digest> digest = sha.Finish();
  Provider ecdsa(BCRYPT_ECDSA_P256_ALGORITHM);
  if (!digest || !ecdsa.handle) return false;
  std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
  const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
  std::memcpy(blob.data(), &header, sizeof header);
  std::memcpy(blob.data() + sizeof header, key.data(), key.size());
  BCRYPT_KEY_HANDLE handle = nullptr;
  if (!Succeeded(TOVR_LATE(bcrypt, BCryptImportKeyPair)(ecdsa.handle, nullptr, BCRYPT_ECCPUBLIC_BLOB, &handle,
                                                        blob.data(), static_cast<ULONG>(blob.size()), 0))) {
    return false;
  }
  Bytes64 sig = signature;
  const bool valid =
      TOVR_LATE(bcrypt, BCryptVerifySignature)(handle, nullptr, digest->data(), static_cast<ULONG>(digest->size()),
                                               sig.data(), static_cast<ULONG>(sig.size()), 0) == 0;
  TOVR_LATE(bcrypt, BCryptDestroyKey)(handle);
  return valid;
}

}  // namespace tovr::update::win32
