// Arbitrary bytes as the content of the settings file, read and edited through TSettingsFile.
// Invariants checked:
// - an untouched GBK file serializes back to exactly its bytes;
// - every listed key reads back, HasKey agrees with the listing, GetNumber never fails;
// - a key put reads back (trimmed), and every other key keeps its value and every section its
//   key list (the put section gains at most the new key at its end);
// - a cleared section is gone, and the other sections are untouched.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "settings/IniDocument.h"
#include "settings/SettingsFile.h"
#include "base/Text.h"
#include "fakes/MemoryFileSystem.h"
#include "FuzzCheck.h"

namespace {

// Section -> key list, and (section, key) -> value, for every section as read now.
struct Snapshot {
  std::map<std::string, std::vector<std::string>> keys;
  std::map<std::pair<std::string, std::string>, std::string> values;
};

Snapshot Take(tovr::TSettingsFile& ini) {
  Snapshot s;
  auto op = ini.BeginOperation();
  std::vector<std::string> sections = ini.SectionNames();
  sections.emplace_back("");  // the lines before the first section
  for (const std::string& section : sections) {
    std::string folded = tovr::text::AsciiLower(section);
    if (s.keys.count(folded)) continue;  // a later duplicate: the first one is read
    std::vector<std::string>& keys = s.keys[folded] = ini.SectionKeys(section);
    for (const std::string& key : keys) {
      Check(ini.HasKey(section, key), "a listed key is found");
      s.values.emplace(std::make_pair(folded, tovr::text::AsciiLower(key)),
                       ini.GetText(section, key, "<missing>"));
      (void)ini.GetNumber(section, key, 0);
    }
  }
  op.Commit();
  return s;
}

std::string Trimmed(std::string v) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == 0x1a; };
  while (!v.empty() && blank(v.back())) v.pop_back();
  std::size_t b = 0;
  while (b < v.size() && blank(v[b])) ++b;
  return v.substr(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);

  tovr::IniDocument doc = tovr::IniDocument::Parse(input);
  if (doc.SourceEncoding() == tovr::IniEncoding::Gbk) {
    Check(doc.Serialize() == input, "an untouched GBK file is written back byte for byte");
  }

  tovr::MemoryFileSystem fs;
  fs.SetFile("C:\\fuzz\\Config.ini", input);
  tovr::TSettingsFile ini(fs, "C:\\fuzz\\Config.ini");
  const Snapshot before = Take(ini);
  std::vector<std::string> sections = ini.SectionNames();

  // Put one key: into an existing section or a new one, with a value derived from the input.
  const std::string section = sections.empty() ? "New" : sections[size % sections.size()];
  const std::string key = "k" + std::to_string(size % 7);
  std::string value;
  for (std::size_t i = 0; i < size && i < 12; ++i) {
    value += static_cast<char>(0x20 + data[i] % 0x5F);
  }
  if (size % 3 == 0) value += "\xF0\x9F\x98\x80";  // an emoji: the file turns UTF-16LE
  ini.PutText(section, key, value);
  Check(ini.GetText(section, key, "<missing>") == Trimmed(value), "a put key reads back");

  const Snapshot after = Take(ini);
  const std::string putSection = tovr::text::AsciiLower(section);
  for (const auto& [name, keys] : before.keys) {
    auto it = after.keys.find(name);
    Check(it != after.keys.end(), "no section is lost by a put");
    std::vector<std::string> want = keys;
    if (name == putSection && want.size() != it->second.size()) want.push_back(key);
    Check(it->second == want, "key lists are kept by a put");
  }
  for (const auto& [where, v] : before.values) {
    if (where.first == putSection && where.second == key) continue;
    auto it = after.values.find(where);
    Check(it != after.values.end() && it->second == v, "other values are kept by a put");
  }

  // Clear one section.
  if (!sections.empty()) {
    const std::string cleared = sections[(size / 7) % sections.size()];
    const std::string folded = tovr::text::AsciiLower(cleared);
    ini.ClearSection(cleared);
    Check(ini.SectionKeys(cleared).empty(), "a cleared section has no keys");
    const Snapshot rest = Take(ini);
    for (const auto& [name, keys] : after.keys) {
      if (name == folded) continue;
      auto it = rest.keys.find(name);
      Check(it != rest.keys.end() && it->second == keys, "other sections survive a clear");
    }
  }
  return 0;
}
