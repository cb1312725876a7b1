#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "base/Error.h"
#include "base/win32/Wide.h"
#include "platform/AtomicReplace.h"

namespace tovr {

namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : h_(h) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  bool Close() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h == INVALID_HANDLE_VALUE || CloseHandle(h);
  }

 private:
  HANDLE h_;
};

class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A save's temporary file is "<target>.~XXXX.tmp" beside the target. A save killed half-way
// (the process ended, the machine lost power) leaves its file behind: the next save of the
// same target deletes those first. A file that another process is still writing is open
// without sharing, so its deletion fails and it stays.
constexpr wchar_t kTempSuffix[] = L".~*.tmp";

void RemoveLeftoverTemps(const std::wstring& target) {
  WIN32_FIND_DATAW data{};
  FindHandle find(FindFirstFileExW((target + kTempSuffix).c_str(), FindExInfoBasic, &data,
                                   FindExSearchNameMatch, nullptr, 0));
  if (find.Get() == INVALID_HANDLE_VALUE) return;
  const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1);
  const std::wstring prefix = target.substr(folder.size()) + L".~";
  do {
    // The pattern also matches short (8.3) names: only a long name of the target's own form counts.
    const std::wstring name = data.cFileName;
    const bool ours = name.size() > prefix.size() + 4 && name.compare(0, prefix.size(), prefix) == 0 &&
                      name.compare(name.size() - 4, 4, L".tmp") == 0;
    if (ours && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + name).c_str());
  } while (FindNextFileW(find.Get(), &data));
}

// Creates and opens "<target>.~XXXX.tmp" with a name no file has; empty name on failure.
HANDLE CreateTempFor(const std::wstring& target, std::wstring& name, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
  const DWORD seed = GetCurrentProcessId() * 2654435761u ^ GetTickCount();
  for (DWORD i = 0; i < 64; ++i) {
    wchar_t suffix[16];
    swprintf(suffix, 16, L".~%04lx.tmp", static_cast<unsigned long>((seed + i) & 0xFFFF));
    name = target + suffix;
    HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, flags, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  name.clear();
  return INVALID_HANDLE_VALUE;
}

// The Win32 steps of an atomic replacement: a new temporary file beside the target,
// FlushFileBuffers, then MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
class Win32ReplaceSteps final : public IReplaceSteps {
 public:
  Target Inspect(const std::string& target) override {
    attrs_ = GetFileAttributesW(Widen(target).c_str());
    if (attrs_ == INVALID_FILE_ATTRIBUTES) return Target::Missing;
    // A read-only target is refused here, since a rename would replace it (Wine allows that;
    // Windows does not).
    if (attrs_ & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return Target::Refused;
    return Target::Replaceable;
  }
  bool CreateTempBeside(const std::string& target) override {
    const std::wstring wide = Widen(target);
    RemoveLeftoverTemps(wide);
    file_ = CreateTempFor(wide, temp_);
    return file_ != INVALID_HANDLE_VALUE;
  }
  bool Write(std::string_view bytes, std::size_t& written) override {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD done = 0;
    if (!::WriteFile(file_, bytes.data(), chunk, &done, nullptr)) return false;
    written = done;
    return true;
  }
  bool FlushAndClose() override {
    bool flushed = FlushFileBuffers(file_) != 0;
    bool closed = CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) != 0;
    return flushed && closed;
  }
  bool RenameOver(const std::string& target) override {
    if (attrs_ != INVALID_FILE_ATTRIBUTES) {
      const DWORD kept = attrs_ & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                   FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
      if (kept) SetFileAttributesW(temp_.c_str(), kept);
    }
    return MoveFileExW(temp_.c_str(), Widen(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  void Discard() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE));
    if (!temp_.empty()) DeleteFileW(temp_.c_str());
  }

 private:
  std::wstring temp_;
  DWORD attrs_ = INVALID_FILE_ATTRIBUTES;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder + name;
  return folder + L'\\' + name;
}

}  // namespace

std::optional<std::string> Win32FileSystem::ReadFile(const std::string& path) {
  FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw Error(FormatMessage1("Unable to read %s", path));
  }
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31)) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) {
      throw Error(FormatMessage1("Unable to read %s", path));
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return bytes;
}

bool Win32FileSystem::FileExists(const std::string& path) {
  DWORD attrs = GetFileAttributesW(Widen(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
  DWORD attrs = GetFileAttributesW(Widen(path).c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

void Win32FileSystem::WriteFileAtomic(const std::string& path, std::string_view bytes) {
  Win32ReplaceSteps steps;
  ReplaceFileAtomically(steps, path, bytes);
}

bool Win32FileSystem::CheckWritable(const std::string& path) {
  const std::wstring target = Widen(path);
  const DWORD attrs = GetFileAttributesW(target.c_str());
  if (attrs != INVALID_FILE_ATTRIBUTES) {
    if (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return false;
    FileHandle file(CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
  }
  // The folder accepts a new file; the system deletes it when the handle closes, also when
  // the process is killed first.
  std::wstring probe;
  FileHandle file(CreateTempFor(target, probe, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE));
  return file.Valid();
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
  return CreateDirectoryW(Widen(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32FileSystem::RemoveFile(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) != 0;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  FindHandle find(FindFirstFileExW(JoinPath(Widen(folder), Widen(pattern)).c_str(),
                                   FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0));
  if (find.Get() == INVALID_HANDLE_VALUE) return names;
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = Narrow(data.cFileName);
    if (WildcardMatch(name, pattern)) names.push_back(std::move(name));
  } while (FindNextFileW(find.Get(), &data));
  return names;
}

bool Win32FileSystem::FixedDrive(char letter) {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
  const UINT type = GetDriveTypeW(root);
  return type == DRIVE_FIXED || type == DRIVE_RAMDISK;
}

}  // namespace tovr
