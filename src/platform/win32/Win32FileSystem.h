// The file-system port on the Win32 wide-character file functions.
#pragma once

#include "platform/FileSystem.h"

namespace tovr {

class Win32FileSystem final : public IFileSystem {
 public:
  std::optional<std::string> ReadFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  // ReplaceFileAtomically with a temporary file "<target>.~XXXX.tmp" (the leftovers of a killed
  // save of the same target are deleted first), FlushFileBuffers, then
  // MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
  // The target's hidden, system and archive attributes are carried over. A read-only target
  // is refused, since a rename would replace it (Wine allows that; Windows does not).
  void WriteFileAtomic(const std::string& path, std::string_view bytes) override;
  // The target is not read-only and opens for writing and deletion; the folder accepts a new
  // (temporary, at once deleted) file.
  bool CheckWritable(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
  bool FixedDrive(char letter) override;  // GetDriveTypeW
};

}  // namespace tovr
