// The build-stamp parser on arbitrary text. Whatever the text, the value is a
// real date-time between the years 1 and 9999, and a value that the parser
// gives reads back to itself when it is written out as a stamp.
//
// Input layout: byte 0 picks the date pattern for today's date (the banner's
// "mm/dd/yyyy", two other orders, or, for values above 2, a pattern taken
// from the input up to its first NUL byte); the rest is the stamp.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/identity.h"
#include "core/state.h"
#include "platform/fake/fake_console.h"

namespace {

[[noreturn]] void Fail(const char* what, std::string_view stamp, TDateTime value) {
  std::fprintf(stderr, "build_stamp_fuzz: %s: \"%.*s\" gave day %d, millisecond %d\n", what,
               static_cast<int>(stamp.size()), stamp.data(), static_cast<int>(value.Day),
               static_cast<int>(value.Millisecond));
  std::abort();
}

// Today's date comes from the fake clock; the month names from the start-up.
bool Started() {
  fake::Reset();
  CoreStartup();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = Started();
  (void)started;  // only the one-time start-up matters
  if (size == 0) return 0;

  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string_view pattern;
  switch (data[0]) {
    case 0: pattern = "mm/dd/yyyy"; break;
    case 1: pattern = "dd/mm/yyyy"; break;
    case 2: pattern = "yyyy/mm/dd"; break;
    default: {
      const std::size_t nul = rest.find('\0');
      if (nul == std::string_view::npos) return 0;
      pattern = rest.substr(0, nul);
      rest.remove_prefix(nul + 1);
    }
  }
  const std::string_view stamp = rest;
  const TDateTime value = ParseBuildStamp(stamp, pattern);

  if (value.Millisecond < 0 || value.Millisecond > 86'399'999)
    Fail("time of day out of range", stamp, value);
  if (value.Day < DayNumber(1, 1, 1) || value.Day > DayNumber(9999, 12, 31))
    Fail("day out of range", stamp, value);

  // Day zero is what a text that cannot be read gives, and a stamp that
  // names day zero itself; any other value must survive being written out.
  if (value.Day != 0) {
    TFormatSettings settings;
    settings.TimeSeparator = ":";
    const std::string again = FormatDateTime("yyyy/mm/dd hh:nn:ss.zzz", value, settings);
    if (!(ParseBuildStamp(again, "mm/dd/yyyy") == value))
      Fail("the value does not read back", stamp, value);
  }
  return 0;
}
