// Text handling. Inside the program text is UTF-8 in std::string; it is converted only at the
// edges: UTF-16 for Win32 calls, GBK (code page 936) for the 8-bit file formats.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovr::text {

constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the UTF-8 character at utf8[i] and advances i past it. An ill-formed sequence
// yields U+FFFD and advances past its maximal subpart (at least one byte). Requires i < size.
char32_t DecodeUtf8(std::string_view utf8, std::size_t& i);
// True when every sequence of `utf8` is well formed (a stored U+FFFD is).
bool IsWellFormedUtf8(std::string_view utf8);
// Appends the UTF-8 encoding of `c`; surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// UTF-8 <-> UTF-16. Invalid input never throws: each ill-formed UTF-8 sequence (maximal
// subpart) and each lone surrogate becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
// UTF-16 as little-endian bytes, the form of UTF-16 files: the units appended to `out`, and
// bytes read back as UTF-8 (an odd last byte is left out).
void AppendUtf16Le(std::string& out, std::u16string_view units);
std::string Utf16LeToUtf8(std::string_view bytes);

// UTF-8 <-> GBK as Windows' code page 936 defines it (0x80 is the euro sign, the user-defined
// areas map to the private-use characters U+E000..U+E864). No best-fit substitutions:
// characters GBK cannot encode (most supplementary characters, U+FFFD from ill-formed UTF-8)
// become '?' and set *lossless to false (when given; it is set to true otherwise).
std::string Utf8ToGbk(std::string_view utf8, bool* lossless = nullptr);
// Undefined GBK bytes become U+FFFD; a lead byte not followed by a trail byte (0x40..0x7E,
// 0x80..0xFE) likewise, and the byte after it is decoded on its own.
std::string GbkToUtf8(std::string_view gbk);
// True when every character of the UTF-8 text has a GBK encoding.
bool CanEncodeGbk(std::string_view utf8);

// Length in bytes of the GBK character starting at gbk[i]: 2 for a lead byte followed by a
// trail byte, else 1 (0 when i is past the end).
std::size_t GbkCharLength(std::string_view gbk, std::size_t i);
// ASCII letters folded to lower case, only on single-byte characters (a GBK trail byte in
// 0x40..0x7E is never touched).
std::string GbkFoldAscii(std::string_view gbk);
// Position of the last single-byte `c` in GBK bytes (skipping trail bytes), or npos.
std::size_t GbkFindLast(std::string_view gbk, char c);

// Ordering of two UTF-8 texts by their GBK encodings (as Utf8ToGbk produces them), bytes
// compared unsigned, ASCII letters folded on single-byte characters. Returns <0, 0, >0.
// Does not allocate.
int CompareGbkIgnoreAsciiCase(std::string_view a, std::string_view b);
// Equality with ASCII letters folded (safe on UTF-8: multi-byte sequences have no ASCII bytes).
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);
std::string AsciiLower(std::string_view s);
// `s` without the blanks, tabs and line breaks at both ends.
std::string_view TrimBlanks(std::string_view s);
// The value of a hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

}  // namespace tovr::text
