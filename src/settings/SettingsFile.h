// The settings file object: "Config.ini" (or any INI file) read and written key by key.
//
// Rules:
// - Section and key names compare with ASCII letters folded; blanks around them are ignored.
// - GetText: the text after the first '=' of the key's line, blanks trimmed, cut to 2047
//   characters; the default when the file, the section or the key is missing. A line without
//   '=' is not a key. The first section of a name, and in it the first key of a name, wins.
// - GetNumber: GetText with an empty default; a text longer than two characters starting with
//   "0x" or "0X" is hexadecimal from its third character, any other text decimal with an
//   optional sign; the default when the text is empty or not a valid 32-bit integer. Hex texts
//   are 32-bit patterns: up to 0xFFFFFFFF is accepted, 0x80000000 and above read as negative
//   (0xFFFFFFFF is -1), as a colour or a flag word written in hex means. Decimal texts must be
//   in -2147483648..2147483647. No quotes are stripped (GetPrivateProfileString strips them).
// - GetFlag: GetNumber with 1 or 0 as the default; true when not 0.
// - PutText replaces a key's value in place, else adds the key at the end of its section, else
//   adds the section at the end of the file; the file is created when missing. PutNumber writes
//   decimal, PutFlag "1" or "0".
// - SectionKeys: the key names in file order, without a length limit (Windows' listing buffer
//   of 16384 bytes would silently drop the end of a long shortcut list, which the next save
//   would then lose). HasKey: the key is among them.
// - ClearSection removes the section line and all its lines, for every section of that name.
// - Every failed write raises tovr::Error "Unable to write to <path>". A file that cannot be
//   read (other than missing) raises "Unable to read <path>": treating it as empty would let
//   the next save wipe it.
// - The file is replaced atomically, never truncated in place. Its encoding is kept (see
//   IniDocument): GBK, or UTF-16LE when it was UTF-16LE or when a text needs characters GBK
//   lacks.
//
// Operations: outside an operation every call reads the file anew and every put writes it.
// Inside one (a load, a save, a refresh) the file is read at most once and written at most
// once, at Commit; the first write of the operation checks that the file can be written and
// throws "Unable to write to <path>" at once when not, so the caller's later steps do not run.
// When an operation ends without Commit (an exception from a later step), what was put so far
// is still written, as far as possible. Operations nest; the outermost one writes.
//
// Use one object per file: two objects with overlapping operations on the same file would
// overwrite each other's changes. An Operation must end before its TSettingsFile goes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/IniDocument.h"
#include "platform/FileSystem.h"

namespace tovr {

class TSettingsFile {
 public:
  static constexpr std::size_t kMaxTextLength = 2047;  // characters returned by GetText

  class Operation {
   public:
    Operation(Operation&& other) noexcept;
    Operation& operator=(Operation&&) = delete;
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
    // Ends the operation if still open, writing what was put; a failure is swallowed here.
    ~Operation();
    // Ends the operation; the outermost one writes what was put. Throws tovr::Error
    // "Unable to write to <path>" when that fails.
    void Commit();

   private:
    friend class TSettingsFile;
    explicit Operation(TSettingsFile* file) : file_(file) {}
    TSettingsFile* file_;
  };

  TSettingsFile(IFileSystem& fs, std::string path);
  TSettingsFile(const TSettingsFile&) = delete;
  TSettingsFile& operator=(const TSettingsFile&) = delete;

  const std::string& Path() const { return path_; }
  // True when the file exists (asks the file system; does not read the file).
  bool Exists();

  [[nodiscard]] Operation BeginOperation();

  std::string GetText(std::string_view section, std::string_view key, std::string_view def);
  std::int32_t GetNumber(std::string_view section, std::string_view key, std::int32_t def);
  bool GetFlag(std::string_view section, std::string_view key, bool def);
  bool HasKey(std::string_view section, std::string_view key);
  std::vector<std::string> SectionKeys(std::string_view section);
  // SectionKeys with GetText of each key, read in one pass (a list's load).
  std::vector<std::pair<std::string, std::string>> SectionEntries(std::string_view section);
  // Names of all sections in file order (duplicates included).
  std::vector<std::string> SectionNames();

  void PutText(std::string_view section, std::string_view key, std::string_view value);
  void PutNumber(std::string_view section, std::string_view key, std::int32_t value);
  void PutFlag(std::string_view section, std::string_view key, bool value);
  void ClearSection(std::string_view section);

  // The number rule of GetNumber; nullopt where GetNumber gives the default.
  static std::optional<std::int32_t> ParseNumber(std::string_view text);

 private:
  IniDocument& Document();
  void PrepareWrite();
  void EndOperation(bool write);
  [[noreturn]] void ThrowWriteError() const;

  IFileSystem& fs_;
  std::string path_;
  int depth_ = 0;                    // open operations
  std::optional<IniDocument> doc_;   // the file as read by the open operation
  bool writeChecked_ = false;
  bool dirty_ = false;
};

}  // namespace tovr
