// A local date and time (a file's last-write time, a release date). Ordered by its fields,
// year first, so `a > b` means "later".
#pragma once

#include <compare>

namespace tovr {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
  friend auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

}  // namespace tovr
