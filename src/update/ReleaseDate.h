// The release date of a version file read in the system's short date format, and the date of
// the running version as the notifier shows it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/LocalDateTime.h"

namespace tovr::update {

// Reads "date[ time]" with the field order of `shortDateFormat` (the system's short date
// pattern, such as "yyyy/M/d", "M/d/yyyy" or "dd.MM.yyyy"); a date that begins with four
// digits is year, month, day whatever the pattern. The three date numbers are
// separated by one of "/", "-", "." or the pattern's own separator; a one- or two-digit year
// means 2000-2049 below 50 and 1950-1999 otherwise. The optional time is H:mm or H:mm:ss,
// 24-hour. Blanks and line breaks around the text are skipped. None when the text is not a
// real date and time (month 13, 30 February, 24:00, letters).
std::optional<LocalDateTime> ParseShortDateTime(std::string_view text, std::string_view shortDateFormat);

// "2004年05月01日": four-digit year, two-digit month and day.
std::string ChineseDate(const LocalDateTime& date);

}  // namespace tovr::update
