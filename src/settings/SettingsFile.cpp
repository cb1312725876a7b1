#include "settings/SettingsFile.h"

#include <limits>
#include <utility>

#include "base/Error.h"

namespace tovr {

namespace {

// Cuts UTF-8 text after `count` characters.
std::string FirstCharacters(std::string text, std::size_t count) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (chars++ == count) {
      text.resize(i);
      break;
    }
  }
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TSettingsFile::Operation::Operation(Operation&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)) {}

TSettingsFile::Operation::~Operation() {
  if (!file_) return;
  try {
    file_->EndOperation(true);
  } catch (...) {
    // Best effort: the exception that ended the operation early is the one to report.
  }
}

void TSettingsFile::Operation::Commit() {
  if (TSettingsFile* file = std::exchange(file_, nullptr)) file->EndOperation(true);
}

TSettingsFile::TSettingsFile(IFileSystem& fs, std::string path)
    : fs_(fs), path_(std::move(path)) {}

bool TSettingsFile::Exists() { return fs_.FileExists(path_); }

TSettingsFile::Operation TSettingsFile::BeginOperation() {
  ++depth_;
  return Operation(this);
}

IniDocument& TSettingsFile::Document() {
  if (!doc_) {
    std::optional<std::string> bytes = fs_.ReadFile(path_);
    doc_ = bytes ? IniDocument::Parse(*bytes) : IniDocument();
  }
  return *doc_;
}

void TSettingsFile::PrepareWrite() {
  if (writeChecked_) return;
  if (!fs_.CheckWritable(path_)) ThrowWriteError();
  writeChecked_ = true;
}

void TSettingsFile::EndOperation(bool write) {
  if (--depth_ > 0) return;
  std::optional<IniDocument> doc = std::move(doc_);
  bool dirty = std::exchange(dirty_, false);
  doc_.reset();
  writeChecked_ = false;
  if (!write || !dirty || !doc) return;
  try {
    fs_.WriteFileAtomic(path_, doc->Serialize());
  } catch (const Error&) {
    ThrowWriteError();
  }
}

void TSettingsFile::ThrowWriteError() const {
  throw Error(FormatMessage1("Unable to write to %s", path_));
}

std::string TSettingsFile::GetText(std::string_view section, std::string_view key,
                                   std::string_view def) {
  Operation op = BeginOperation();
  std::optional<std::string> value = Document().Value(section, key);
  op.Commit();
  return value ? FirstCharacters(std::move(*value), kMaxTextLength) : std::string(def);
}

std::optional<std::int32_t> TSettingsFile::ParseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::uint64_t value = 0;
    for (char c : text.substr(2)) {
      int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value * 16 + static_cast<std::uint64_t>(digit);
      if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
  }
  bool negative = text[0] == '-';
  if (text[0] == '+' || text[0] == '-') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t TSettingsFile::GetNumber(std::string_view section, std::string_view key,
                                      std::int32_t def) {
  return ParseNumber(GetText(section, key, "")).value_or(def);
}

bool TSettingsFile::GetFlag(std::string_view section, std::string_view key, bool def) {
  return GetNumber(section, key, def ? 1 : 0) != 0;
}

bool TSettingsFile::HasKey(std::string_view section, std::string_view key) {
  Operation op = BeginOperation();
  bool found = Document().HasKey(section, key);
  op.Commit();
  return found;
}

std::vector<std::string> TSettingsFile::SectionKeys(std::string_view section) {
  Operation op = BeginOperation();
  std::vector<std::string> keys = Document().Keys(section);
  op.Commit();
  return keys;
}

std::vector<std::pair<std::string, std::string>> TSettingsFile::SectionEntries(
    std::string_view section) {
  Operation op = BeginOperation();
  auto entries = Document().Entries(section);
  op.Commit();
  for (auto& entry : entries) entry.second = FirstCharacters(std::move(entry.second), kMaxTextLength);
  return entries;
}

std::vector<std::string> TSettingsFile::SectionNames() {
  Operation op = BeginOperation();
  std::vector<std::string> names = Document().SectionNames();
  op.Commit();
  return names;
}

void TSettingsFile::PutText(std::string_view section, std::string_view key,
                            std::string_view value) {
  Operation op = BeginOperation();
  PrepareWrite();
  if (Document().Set(section, key, value)) dirty_ = true;
  op.Commit();
}

void TSettingsFile::PutNumber(std::string_view section, std::string_view key,
                              std::int32_t value) {
  PutText(section, key, std::to_string(value));
}

void TSettingsFile::PutFlag(std::string_view section, std::string_view key, bool value) {
  PutText(section, key, value ? "1" : "0");
}

void TSettingsFile::ClearSection(std::string_view section) {
  Operation op = BeginOperation();
  PrepareWrite();
  if (Document().RemoveSection(section)) dirty_ = true;
  op.Commit();
}

}  // namespace tovr
