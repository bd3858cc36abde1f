// Date-time values as the core keeps them, and the few conversions that the
// banner and the build stamp need.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/state.h"

// A date-time value: days since 30 December 1899 and the time of day.
struct TDateTime {
  std::int32_t Day = 0;
  std::int32_t Millisecond = 0;  // 0 .. 86,399,999

  friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

// The day count of a date of the Gregorian calendar.
std::int32_t DayNumber(int year, int month, int day);

// Renders a value with a pattern: "yyyy", "mmm" (abbreviated month name of
// the settings), "mm", "dd", "hh" (24-hour clock), "nn", "ss" and "zzz" are
// replaced, ":" becomes the settings' time separator, and every other
// character is written as it is.
std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings);

// Reads "<date> <time>", a date alone, or a time alone (a text without a space
// that holds a ":", on day zero). The date is three numbers separated by "/",
// in the order that dateOrder names them with the letters y, m and d; the time
// is hours:minutes[:seconds[.milliseconds]]. Empty when the text is not such a
// date-time or names a day or time that does not exist.
std::optional<TDateTime> ReadDateTime(std::string_view text, std::string_view dateOrder);
