// Calendar date and time as the platform reports it (local or UTC, as each caller documents).
#pragma once

namespace veltrane {

struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

}  // namespace veltrane
