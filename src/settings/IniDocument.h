// An INI file held in memory: parsed the way Windows' profile functions read it, edited key by
// key, and written back with every line that was not edited kept byte for byte.
//
// Reading rules (as Windows reads profiles):
// - Lines end at CR LF, LF or a lone CR; the last line needs no line break.
// - Blanks are space, tab, vertical tab, form feed and Ctrl-Z (an old end-of-file mark); they
//   are trimmed from both ends of every line.
// - A line starting with '[' and holding a ']' opens a section named by the text between the
//   '[' and the last ']', blanks trimmed. A '[' line without ']' is ignored.
// - A line starting with ';' is a comment. Any other line holding '=' is a key: the name before
//   the first '=' and the value after it, blanks trimmed around both. Lines without '=' are
//   ignored.
// - Lines before the first section belong to a section named "" (as on Windows).
// - Section and key names compare with ASCII letters folded (a GBK trail byte is never folded:
//   names are compared as UTF-8, where multi-byte characters hold no ASCII bytes). Blanks
//   around a requested name are ignored.
// - Duplicates: the first section of a name is the one read and written; within it, the first
//   key of a name. Keys lists duplicate names as often as they occur.
//
// Encoding: the file is GBK (code page 936) unless it starts with a byte order mark: FF FE is
// UTF-16LE, EF BB BF is UTF-8. Text inside is UTF-8. Serialize() writes GBK, except that a
// UTF-16LE file stays UTF-16LE, and a file whose text GBK cannot hold (an emoji, a character
// outside GBK) is written as UTF-16LE with its byte order mark instead of losing characters.
//
// Lookups go through a hash index per section, so reading or writing n keys costs O(n).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tovr {

enum class IniEncoding : std::uint8_t { Gbk, Utf8Bom, Utf16LeBom };

class IniDocument {
 public:
  // An empty document: a new file, GBK, CR LF line breaks.
  IniDocument();
  static IniDocument Parse(std::string_view bytes);

  // The bytes of the file as it stands now.
  std::string Serialize() const;
  // The encoding the file was read in (Gbk for a new document).
  IniEncoding SourceEncoding() const { return encoding_; }

  // The value of a key of the first section of that name; nullopt when either is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // True when the key is among Keys(section).
  bool HasKey(std::string_view section, std::string_view key) const;
  // The non-empty key names of the first section of that name, in file order.
  std::vector<std::string> Keys(std::string_view section) const;
  // Keys(section) with the value Value(section, key) gives for each, in one pass.
  std::vector<std::pair<std::string, std::string>> Entries(std::string_view section) const;
  // The names of all sections in file order (duplicates included, "" left out).
  std::vector<std::string> SectionNames() const;

  // Sets a key: replaces the value of an existing key in its line (the text up to the value is
  // kept), or adds "key=value" after the last non-blank line of the section, or adds the
  // section at the end of the document. Names are trimmed; CR and LF in names and values
  // become spaces, since they would break the line apart. Like Windows, a key name the format
  // cannot hold (starting with '[' or ';', or holding '=') is written as given and does not
  // read back as that key. Returns false when nothing changed.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes every section of that name: its header line and all the lines up to the next
  // section. Returns false when there was none.
  bool RemoveSection(std::string_view section);

 private:
  enum class Eol : std::uint8_t { None, CrLf, Lf, Cr };
  enum class Kind : std::uint8_t { Blank, Other, Section, Key };

  struct Line {
    std::string text;   // UTF-8, without the line break
    std::string raw;    // the bytes as read, in the source encoding; used while keepRaw
    bool keepRaw = false;
    bool rawIsText = false;  // raw is not stored: it equals text (an ASCII line)
    Eol eol = Eol::None;
    Kind kind = Kind::Blank;
    std::uint32_t nameBegin = 0, nameEnd = 0;    // spans into text
    std::uint32_t valueBegin = 0, valueEnd = 0;  // (value: keys only)
    bool duplicate = false;  // a later key of a name its section already has
    std::string_view Name() const {
      return std::string_view(text).substr(nameBegin, nameEnd - nameBegin);
    }
    std::string_view ValueText() const {
      return std::string_view(text).substr(valueBegin, valueEnd - valueBegin);
    }
    std::string_view Raw() const { return rawIsText ? std::string_view(text) : raw; }
  };

  struct Section {
    bool hasHeader = false;  // false only for the lines before the first section
    Line header;
    std::vector<Line> body;
    std::unordered_map<std::string, std::size_t> keyIndex;  // folded name -> first key line
  };

  static void Classify(Line& line);
  static std::string Fold(std::string_view name);
  void AddLine(Line line);
  void IndexKey(Section& section, std::size_t at);
  void RebuildSectionIndex();
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t FindSection(std::string_view section) const;  // kNone when missing
  Line* LastLine();  // nullptr in an empty document
  bool EncodeGbk(std::string& out) const;
  void EncodeUtf16(std::string& out) const;
  std::string_view EolText(Eol eol) const;

  IniEncoding encoding_ = IniEncoding::Gbk;
  Eol newline_ = Eol::CrLf;            // style for new lines: the file's first line break
  std::vector<Section> sections_;      // sections_[0] holds the lines before any section
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // folded -> first section
};

}  // namespace tovr
