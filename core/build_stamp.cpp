// The build date-time text read as a date-time value.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/identity.h"
#include "core/state.h"
#include "platform/console.h"

namespace {

constexpr std::string_view kDayZeroText = "12/30/1899";

// A fraction of a second becomes exactly three digits: "5" is 500 ms,
// "12345" is 123 ms. Whatever follows a further "." is dropped.
std::string WithMillisecondDigits(std::string_view stamp) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < stamp.size()) {
    const std::size_t start = stamp.find_first_not_of('.', pos);
    if (start == std::string_view::npos) break;
    const std::size_t end = std::min(stamp.find('.', start), stamp.size());
    words.push_back(stamp.substr(start, end - start));
    pos = end;
  }
  if (words.size() < 2) return std::string(stamp);
  return std::string(words[0]) + "." + (std::string(words[1]) + "000").substr(0, 3);
}

// The letters y, m and d in the order in which a date pattern names them.
std::string DateOrderOf(std::string_view pattern) {
  std::string order;
  for (const char c : pattern)
    if ((c == 'y' || c == 'm' || c == 'd') && order.find(c) == std::string::npos) order += c;
  return order;
}

std::string ReplaceEvery(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
  return text;
}

}  // namespace

TDateTime ParseBuildStamp(std::string_view stamp, std::string_view datePattern) {
  const std::optional<TDateTime> read = ReadDateTime(WithMillisecondDigits(stamp), "ymd");
  if (!read) return {};

  // A time without a date lies on day zero; it is taken to mean today. The
  // check is made on the rendered text, so a stamp that names day zero in
  // year/month/day order is moved to today as well.
  TFormatSettings fixed;
  fixed.TimeSeparator = ":";
  const std::string rendered = FormatDateTime("mm/dd/yyyy hh:nn:ss.zzz", *read, fixed);
  if (!rendered.starts_with(kDayZeroText) || stamp.find(kDayZeroText) != std::string_view::npos)
    return *read;

  const plat::LocalTime now = plat::Now();
  const std::string today =
      FormatDateTime(datePattern, TDateTime{DayNumber(now.Year, now.Month, now.Day), 0},
                     FormatSettings);
  const std::optional<TDateTime> moved =
      ReadDateTime(ReplaceEvery(rendered, kDayZeroText, today), DateOrderOf(datePattern));
  return moved ? *moved : *read;
}
