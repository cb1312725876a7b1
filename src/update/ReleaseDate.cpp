#include "update/ReleaseDate.h"

#include <array>
#include <cstdio>

namespace tovr::update {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads 1..maxDigits digits at `at`.
std::optional<int> Number(std::string_view s, std::size_t& at, std::size_t maxDigits) {
  const std::size_t start = at;
  int value = 0;
  while (at < s.size() && IsDigit(s[at]) && at - start < maxDigits) value = value * 10 + (s[at++] - '0');
  if (at == start) return std::nullopt;
  return value;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && LeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// The order of the year ('y'), month ('M') and day ('d') fields in the pattern, and the first
// separator character it uses. Quoted literals are skipped.
struct DateOrder {
  std::array<char, 3> fields{'y', 'M', 'd'};
  char separator = '/';
};

DateOrder OrderOf(std::string_view pattern) {
  DateOrder order;
  std::string seen;
  bool quoted = false, haveSeparator = false;
  for (const char c : pattern) {
    if (c == '\'') {
      quoted = !quoted;
      continue;
    }
    if (quoted) continue;
    const char field = c == 'Y' ? 'y' : c == 'D' ? 'd' : c == 'm' ? 'M' : c;
    if (field == 'y' || field == 'M' || field == 'd') {
      if (seen.find(field) == std::string::npos) seen += field;
    } else if (!haveSeparator && !seen.empty() && !IsBlank(c)) {
      order.separator = c;
      haveSeparator = true;
    }
  }
  if (seen.size() == 3) order.fields = {seen[0], seen[1], seen[2]};
  return order;
}

}  // namespace

std::optional<LocalDateTime> ParseShortDateTime(std::string_view text, std::string_view shortDateFormat) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  DateOrder order = OrderOf(shortDateFormat);
  // A date that begins with a four-digit year ("2004-06-01", as version files are written) is
  // year, month, day in every region; the user's format decides only for the others.
  std::size_t lead = 0;
  while (lead < text.size() && IsDigit(text[lead])) ++lead;
  if (lead == 4) order.fields = {'y', 'M', 'd'};
  auto isSeparator = [&](char c) { return c == '/' || c == '-' || c == '.' || c == order.separator; };

  LocalDateTime t;
  std::size_t at = 0;
  int yearDigits = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (i > 0) {
      if (at >= text.size() || !isSeparator(text[at])) return std::nullopt;
      ++at;
    }
    const std::size_t start = at;
    const auto n = Number(text, at, order.fields[i] == 'y' ? 4 : 2);
    if (!n) return std::nullopt;
    switch (order.fields[i]) {
      case 'y': t.year = *n; yearDigits = static_cast<int>(at - start); break;
      case 'M': t.month = *n; break;
      default: t.day = *n; break;
    }
  }
  if (yearDigits <= 2) t.year += t.year < 50 ? 2000 : 1900;
  if (t.year < 1 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysIn(t.year, t.month)) return std::nullopt;

  if (at < text.size()) {
    if (!IsBlank(text[at])) return std::nullopt;
    while (at < text.size() && IsBlank(text[at])) ++at;
    const auto hour = Number(text, at, 2);
    if (!hour || at >= text.size() || text[at] != ':') return std::nullopt;
    ++at;
    const auto minute = Number(text, at, 2);
    if (!minute) return std::nullopt;
    std::optional<int> second = 0;
    if (at < text.size() && text[at] == ':') {
      ++at;
      second = Number(text, at, 2);
      if (!second) return std::nullopt;
    }
    if (at != text.size() || *hour > 23 || *minute > 59 || *second > 59) return std::nullopt;
    t.hour = *hour;
    t.minute = *minute;
    t.second = *second;
  }
  return t;
}

std::string ChineseDate(const LocalDateTime& date) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d年%02d月%02d日", date.year, date.month, date.day);
  return buffer;
}

}  // namespace tovr::update
