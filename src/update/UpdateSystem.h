// What the update check asks of the system besides HTTP: the folder chooser, the move of the
// download, the short date format the version file's date is written in, the check of the
// version file's signature and the Internet zone mark of the download. The Win32
// adapter is update/win32/Win32UpdateSystem; tests use tests/fakes/FakeUpdate.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "update/UpdateTrust.h"

namespace tovr::update {

class IUpdateSystem {
 public:
  virtual ~IUpdateSystem() = default;
  // The shell's folder chooser with `title` and no preset folder; none when cancelled.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
  // Moves a file (across volumes too; an existing target is not replaced). None on success,
  // else the system's text of the failure.
  virtual std::optional<std::string> MoveFileTo(const std::string& from, const std::string& to) = 0;
  // The user's short date pattern ("yyyy/M/d").
  virtual std::string ShortDateFormat() = 0;
  // True when `signature` is a valid ECDSA P-256 signature, by `key`, over the SHA-256 of
  // `message`. False for every other answer, a key that is no point of the curve included.
  virtual bool VerifySignature(const Bytes64& key, std::string_view message, const Bytes64& signature) = 0;
  // Writes `mark` as the file's Zone.Identifier stream; nothing happens where the file system
  // has no named streams or the write fails.
  virtual void MarkFromInternet(const std::string& path, const std::string& mark) = 0;
};

class IHttpClient;      // update/HttpClient.h
class INotifierWindow;  // update/Notifier.h

// The update check's own ports, wired once for the program (app/win32/WinMain.cpp) and once for
// the tests (tests/fakes/FakeToolPorts.h); UpdatePorts adds the shared ones.
struct UpdateSystemPorts {
  IHttpClient& http;
  IUpdateSystem& system;
  INotifierWindow& notifierWindow;
};

}  // namespace tovr::update
