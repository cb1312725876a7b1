#include "settings/IniDocument.h"

#include <algorithm>
#include <utility>

#include "base/Text.h"

namespace tovr {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// CR and LF inside a name or value would split its line; they are written as spaces.
std::string OneLine(std::string_view s) {
  std::string out(s);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

// Splits `count` code units into lines; unitAt(i) gives unit i; emit(begin, end, eol).
template <class UnitAt, class Emit>
void SplitLines(std::size_t count, UnitAt unitAt, Emit emit) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < count; ++i) {
    auto u = unitAt(i);
    if (u == '\n') {
      emit(begin, i, 2);
      begin = i + 1;
    } else if (u == '\r') {
      bool crlf = i + 1 < count && unitAt(i + 1) == '\n';
      emit(begin, i, crlf ? 1 : 3);
      if (crlf) ++i;
      begin = i + 1;
    }
  }
  if (begin < count) emit(begin, count, 0);
}

}  // namespace

IniDocument::IniDocument() { sections_.emplace_back(); }

std::string IniDocument::Fold(std::string_view name) { return text::AsciiLower(Trim(name)); }

void IniDocument::Classify(Line& line) {
  std::string_view t = line.text;
  std::size_t b = 0, e = t.size();
  while (b < e && IsBlank(t[b])) ++b;
  while (e > b && IsBlank(t[e - 1])) --e;
  line.kind = Kind::Other;
  line.nameBegin = line.nameEnd = line.valueBegin = line.valueEnd = 0;
  if (b == e) {
    line.kind = Kind::Blank;
  } else if (t[b] == '[') {
    std::size_t close = t.substr(0, e).rfind(']');
    if (close == std::string_view::npos || close <= b) return;  // no ']': ignored
    std::size_t nb = b + 1, ne = close;
    while (nb < ne && IsBlank(t[nb])) ++nb;
    while (ne > nb && IsBlank(t[ne - 1])) --ne;
    line.kind = Kind::Section;
    line.nameBegin = static_cast<std::uint32_t>(nb);
    line.nameEnd = static_cast<std::uint32_t>(ne);
  } else if (t[b] != ';') {
    std::size_t eq = t.substr(0, e).find('=', b);
    if (eq == std::string_view::npos) return;  // no '=': ignored
    std::size_t ne = eq, vb = eq + 1;
    while (ne > b && IsBlank(t[ne - 1])) --ne;
    while (vb < e && IsBlank(t[vb])) ++vb;
    line.kind = Kind::Key;
    line.nameBegin = static_cast<std::uint32_t>(b);
    line.nameEnd = static_cast<std::uint32_t>(ne);
    line.valueBegin = static_cast<std::uint32_t>(std::min(vb, e));
    line.valueEnd = static_cast<std::uint32_t>(e);
  }
}

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  bool sawEol = false;
  auto add = [&doc, &sawEol](std::string raw, std::string text, int eol) {
    Line line;
    line.rawIsText = raw == text;
    if (!line.rawIsText) line.raw = std::move(raw);
    line.text = std::move(text);
    line.keepRaw = true;
    line.eol = static_cast<Eol>(eol);
    if (!sawEol && eol != 0) {
      doc.newline_ = line.eol;
      sawEol = true;
    }
    doc.AddLine(std::move(line));
  };

  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    doc.encoding_ = IniEncoding::Utf16LeBom;
    std::string_view data = bytes.substr(2);
    auto unitAt = [data](std::size_t i) {
      return static_cast<char16_t>(static_cast<unsigned char>(data[2 * i]) |
                                   static_cast<unsigned char>(data[2 * i + 1]) << 8);
    };
    SplitLines(data.size() / 2, unitAt, [&](std::size_t b, std::size_t e, int eol) {
      std::u16string units;
      units.reserve(e - b);
      for (std::size_t i = b; i < e; ++i) units += unitAt(i);
      add(std::string(data.substr(2 * b, 2 * (e - b))), text::Utf16ToUtf8(units), eol);
    });
    return doc;
  }

  bool utf8 = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (utf8) {
    doc.encoding_ = IniEncoding::Utf8Bom;
    bytes.remove_prefix(3);
  }
  SplitLines(
      bytes.size(), [bytes](std::size_t i) { return bytes[i]; },
      [&](std::size_t b, std::size_t e, int eol) {
        std::string_view raw = bytes.substr(b, e - b);
        // Ill-formed UTF-8 becomes U+FFFD here, so the text inside is always well formed.
        add(std::string(raw),
            utf8 ? text::Utf16ToUtf8(text::Utf8ToUtf16(raw)) : text::GbkToUtf8(raw), eol);
      });
  return doc;
}

void IniDocument::AddLine(Line line) {
  Classify(line);
  if (line.kind == Kind::Section) {
    Section& s = sections_.emplace_back();
    s.hasHeader = true;
    s.header = std::move(line);
    sectionIndex_.emplace(Fold(s.header.Name()), sections_.size() - 1);
    return;
  }
  Section& s = sections_.back();
  s.body.push_back(std::move(line));
  if (s.body.back().kind == Kind::Key) IndexKey(s, s.body.size() - 1);
}

void IniDocument::IndexKey(Section& section, std::size_t at) {
  // A name the format cannot hold ("[x]", ";x", "a=b") does not come back as that key.
  if (section.body[at].kind != Kind::Key) return;
  // The first one stays; a later one reads as the first.
  if (!section.keyIndex.emplace(Fold(section.body[at].Name()), at).second) {
    section.body[at].duplicate = true;
  }
}

void IniDocument::RebuildSectionIndex() {
  sectionIndex_.clear();
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    sectionIndex_.emplace(Fold(sections_[i].header.Name()), i);
  }
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  std::string folded = Fold(section);
  if (folded.empty()) return 0;  // the lines before the first section
  auto it = sectionIndex_.find(folded);
  return it == sectionIndex_.end() ? kNone : it->second;
}

IniDocument::Line* IniDocument::LastLine() {
  for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
    if (!s->body.empty()) return &s->body.back();
    if (s->hasHeader) return &s->header;
  }
  return nullptr;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  std::size_t at = FindSection(section);
  if (at == kNone) return std::nullopt;
  const Section& s = sections_[at];
  auto it = s.keyIndex.find(Fold(key));
  if (it == s.keyIndex.end()) return std::nullopt;
  return std::string(s.body[it->second].ValueText());
}

bool IniDocument::HasKey(std::string_view section, std::string_view key) const {
  return !Trim(key).empty() && Value(section, key).has_value();
}

std::vector<std::string> IniDocument::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  std::size_t at = FindSection(section);
  if (at == kNone) return keys;
  for (const Line& line : sections_[at].body) {
    if (line.kind == Kind::Key && line.nameEnd > line.nameBegin) keys.emplace_back(line.Name());
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> IniDocument::Entries(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> entries;
  std::size_t at = FindSection(section);
  if (at == kNone) return entries;
  const Section& s = sections_[at];
  for (const Line& line : s.body) {
    if (line.kind != Kind::Key || line.nameEnd == line.nameBegin) continue;
    const Line& first = line.duplicate ? s.body[s.keyIndex.at(Fold(line.Name()))] : line;
    entries.emplace_back(line.Name(), first.ValueText());
  }
  return entries;
}

std::vector<std::string> IniDocument::SectionNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    if (sections_[i].header.nameEnd > sections_[i].header.nameBegin) {
      names.emplace_back(sections_[i].header.Name());
    }
  }
  return names;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string sectionName = OneLine(Trim(section));
  std::string keyName = OneLine(Trim(key));
  std::string text = OneLine(value);

  std::size_t index = FindSection(sectionName);
  if (index == kNone) {
    Line* last = LastLine();
    if (last && last->eol == Eol::None) last->eol = newline_;
    Section& added = sections_.emplace_back();
    added.hasHeader = true;
    added.header.text = "[" + sectionName + "]";
    added.header.eol = newline_;
    Classify(added.header);
    index = sections_.size() - 1;
    sectionIndex_.emplace(Fold(sectionName), index);
  }
  Section* s = &sections_[index];

  std::string folded = Fold(keyName);
  auto found = s->keyIndex.find(folded);
  if (found != s->keyIndex.end()) {
    Line& line = s->body[found->second];
    std::string replaced = line.text.substr(0, line.valueBegin) + text;
    if (replaced == line.text) return false;
    line.text = std::move(replaced);
    line.keepRaw = false;
    line.rawIsText = false;
    line.raw.clear();
    Classify(line);
    return true;
  }

  // After the section's last non-blank line, so blank lines between sections stay between.
  std::size_t at = s->body.size();
  while (at > 0 && s->body[at - 1].kind == Kind::Blank) --at;
  Line* before = at > 0 ? &s->body[at - 1] : (s->hasHeader ? &s->header : nullptr);
  if (before && before->eol == Eol::None) before->eol = newline_;
  Line line;
  line.text = keyName + "=" + text;
  line.eol = newline_;
  Classify(line);
  s->body.insert(s->body.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  // Only blank lines follow `at`, so no other key's position moves.
  if (s->body[at].kind == Kind::Key && s->body[at].Name() == keyName) {
    s->keyIndex.emplace(std::move(folded), at);
  } else {
    IndexKey(*s, at);
  }
  return true;
}

bool IniDocument::RemoveSection(std::string_view section) {
  std::string folded = Fold(section);
  auto first = sections_.begin() + 1;
  auto removed = std::remove_if(first, sections_.end(), [&folded](const Section& s) {
    return Fold(s.header.Name()) == folded;
  });
  if (removed == sections_.end()) return false;
  sections_.erase(removed, sections_.end());
  RebuildSectionIndex();
  return true;
}

std::string_view IniDocument::EolText(Eol eol) const {
  switch (eol) {
    case Eol::CrLf: return "\r\n";
    case Eol::Lf: return "\n";
    case Eol::Cr: return "\r";
    case Eol::None: break;
  }
  return {};
}

bool IniDocument::EncodeGbk(std::string& out) const {
  auto put = [this, &out](const Line& line) {
    if (line.keepRaw && encoding_ == IniEncoding::Gbk) {
      out += line.Raw();
    } else {
      bool lossless = true;
      out += text::Utf8ToGbk(line.text, &lossless);
      if (!lossless) return false;
    }
    out += EolText(line.eol);
    return true;
  };
  for (const Section& s : sections_) {
    if (s.hasHeader && !put(s.header)) return false;
    for (const Line& line : s.body) {
      if (!put(line)) return false;
    }
  }
  return true;
}

void IniDocument::EncodeUtf16(std::string& out) const {
  out += "\xFF\xFE";
  auto put = [this, &out](const Line& line) {
    if (line.keepRaw && encoding_ == IniEncoding::Utf16LeBom) {
      out += line.Raw();
    } else {
      text::AppendUtf16Le(out, text::Utf8ToUtf16(line.text));
    }
    for (char c : EolText(line.eol)) {
      out += c;
      out += '\0';
    }
  };
  for (const Section& s : sections_) {
    if (s.hasHeader) put(s.header);
    for (const Line& line : s.body) put(line);
  }
}

std::string IniDocument::Serialize() const {
  std::string out;
  std::size_t size = 2;
  for (const Section& s : sections_) {
    size += s.header.text.size() + 2;
    for (const Line& line : s.body) size += line.text.size() + 2;
  }
  out.reserve(size);
  if (encoding_ != IniEncoding::Utf16LeBom && EncodeGbk(out)) return out;
  out.clear();
  EncodeUtf16(out);
  return out;
}

}  // namespace tovr
