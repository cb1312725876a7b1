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

// The folder part of a path, for the temporary file: "." when the path has none.
std::wstring FolderOf(const std::wstring& path) {
  auto at = path.find_last_of(L"\\/");
  if (at == std::wstring::npos) return L".";
  if (at == 0 || (at == 2 && path[1] == L':')) return path.substr(0, at + 1);  // "\" or "C:\"
  return path.substr(0, at);
}

// A new, empty file with a unique name in `folder`, or an empty string.
std::wstring NewTempFile(const std::wstring& folder) {
  wchar_t name[MAX_PATH];
  if (!GetTempFileNameW(folder.c_str(), L"tov", 0, name)) return {};
  return name;
}

// The Win32 steps of an atomic replacement: GetTempFileNameW in the target's folder,
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
    temp_ = NewTempFile(FolderOf(Widen(target)));
    if (temp_.empty()) return false;
    file_ = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
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
  std::wstring probe = NewTempFile(FolderOf(target));
  if (probe.empty()) return false;
  DeleteFileW(probe.c_str());
  return true;
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

}  // namespace tovr
