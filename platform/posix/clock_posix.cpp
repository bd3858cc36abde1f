// Clock and locale conventions. The program runs in the C locale whatever
// the environment says, so the month names and the time separator are fixed.
#include <ctime>

#include "platform/console.h"
#include "platform/diagnostic.h"

namespace plat {

LocalTime Now() {
  timespec now{};
  (void)::clock_gettime(CLOCK_REALTIME, &now);  // cannot fail for this clock
  tm local{};
  (void)::localtime_r(&now.tv_sec, &local);  // a null result leaves the zero date
  LocalTime t;
  t.Year = local.tm_year + 1900;
  t.Month = local.tm_mon + 1;
  t.Day = local.tm_mday;
  t.Hour = local.tm_hour;
  t.Minute = local.tm_min;
  t.Second = local.tm_sec;
  t.Millisecond = static_cast<int>(now.tv_nsec / 1000000);
  return t;
}

std::string ShortMonthName(int month) {
  static const char* const kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  if (month < 1 || month > 12) return {};
  return kNames[month - 1];
}

std::string TimeSeparator() { return ":"; }

const bool kTextEqualIsAscii = true;
bool TextEqualNoCase(std::string_view a, std::string_view b) { return AsciiEqualNoCase(a, b); }

}  // namespace plat
