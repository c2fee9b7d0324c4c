// The clock and the locale's ways of writing dates, times and numbers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/date_time.h"

namespace veltrane {

class IClock {
 public:
  virtual ~IClock() = default;
  // The current local date and time.
  virtual DateTime Now() = 0;
  // A steady count of milliseconds, for pacing; unrelated to the calendar.
  virtual uint64_t MonotonicMs() = 0;
  // How many minutes local time is ahead of UTC now (negative west of Greenwich).
  virtual int UtcOffsetMinutes() = 0;
  // Date and time in the system's general date format.
  virtual std::string GeneralDate(const DateTime& value) = 0;
  virtual char ThousandsSeparator() = 0;
  virtual char DateSeparator() = 0;
  virtual char TimeSeparator() = 0;
};

}  // namespace veltrane
