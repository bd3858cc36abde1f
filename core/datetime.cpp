#include "core/datetime.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <vector>

namespace {

struct TCivilDate {
  int Year = 0, Month = 0, Day = 0;
};

// Days between 1 March of year 0 and the given date, by eras of 400 years, in
// which the Gregorian calendar repeats itself.
long long DaysFromCivil(long long year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra;
}

const long long kDayZero = DaysFromCivil(1899, 12, 30);

TCivilDate CivilFromDays(long long days) {
  days += kDayZero;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  const long long year = yearOfEra + era * 400 + (month <= 2);
  return {static_cast<int>(year), month, day};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

void AppendNumber(std::string& out, long long value, std::size_t digits) {
  const std::string text = std::to_string(value);
  if (text.size() < digits) out.append(digits - text.size(), '0');
  out += text;
}

// A whole text of decimal digits, no sign, no blanks.
std::optional<int> ReadNumber(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text.front() == '-' || error != std::errc{} || stop != end) return {};
  return value;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t pos = text.find(separator);
    parts.push_back(text.substr(0, pos));
    if (pos == std::string_view::npos) return parts;
    text.remove_prefix(pos + 1);
  }
}

std::optional<std::int32_t> ReadDate(std::string_view text, std::string_view order) {
  const std::vector<std::string_view> fields = SplitAt(text, '/');
  if (fields.size() != 3 || order.size() != 3) return {};
  int year = -1, month = -1, day = -1;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<int> number = ReadNumber(fields[i]);
    if (!number) return {};
    switch (order[i]) {
      case 'y': year = *number; break;
      case 'm': month = *number; break;
      case 'd': day = *number; break;
      default: return {};
    }
  }
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    return {};
  return DayNumber(year, month, day);
}

std::optional<std::int32_t> ReadTime(std::string_view text) {
  const std::size_t dot = text.find('.');
  int millisecond = 0;
  if (dot != std::string_view::npos) {
    const std::optional<int> number = ReadNumber(text.substr(dot + 1));
    if (!number || *number > 999) return {};
    millisecond = *number;
    text = text.substr(0, dot);
  }
  const std::vector<std::string_view> fields = SplitAt(text, ':');
  if (fields.size() < 2 || fields.size() > 3) return {};
  std::array<int, 3> hms{0, 0, 0};
  static constexpr std::array<int, 3> kLimits{24, 60, 60};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::optional<int> number = ReadNumber(fields[i]);
    if (!number || *number >= kLimits[i]) return {};
    hms[i] = *number;
  }
  return ((hms[0] * 60 + hms[1]) * 60 + hms[2]) * 1000 + millisecond;
}

}  // namespace

std::int32_t DayNumber(int year, int month, int day) {
  return static_cast<std::int32_t>(DaysFromCivil(year, month, day) - kDayZero);
}

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings) {
  const TCivilDate date = CivilFromDays(value.Day);
  const std::int32_t ms = value.Millisecond;
  std::string out;
  while (!pattern.empty()) {
    const auto take = [&](std::string_view token) {
      if (!pattern.starts_with(token)) return false;
      pattern.remove_prefix(token.size());
      return true;
    };
    if (take("yyyy")) AppendNumber(out, date.Year, 4);
    else if (take("mmm")) out += settings.ShortMonthNames[static_cast<std::size_t>(date.Month - 1)];
    else if (take("mm")) AppendNumber(out, date.Month, 2);
    else if (take("dd")) AppendNumber(out, date.Day, 2);
    else if (take("hh")) AppendNumber(out, ms / 3'600'000, 2);
    else if (take("nn")) AppendNumber(out, ms / 60'000 % 60, 2);
    else if (take("ss")) AppendNumber(out, ms / 1000 % 60, 2);
    else if (take("zzz")) AppendNumber(out, ms % 1000, 3);
    else if (take(":")) out += settings.TimeSeparator;
    else {
      out += pattern.front();
      pattern.remove_prefix(1);
    }
  }
  return out;
}

std::optional<TDateTime> ReadDateTime(std::string_view text, std::string_view dateOrder) {
  const std::size_t space = text.find(' ');
  if (space != std::string_view::npos) {
    const std::optional<std::int32_t> day = ReadDate(text.substr(0, space), dateOrder);
    const std::optional<std::int32_t> ms = ReadTime(text.substr(space + 1));
    if (!day || !ms) return {};
    return TDateTime{*day, *ms};
  }
  if (text.find(':') != std::string_view::npos) {
    const std::optional<std::int32_t> ms = ReadTime(text);
    if (!ms) return {};
    return TDateTime{0, *ms};
  }
  const std::optional<std::int32_t> day = ReadDate(text, dateOrder);
  if (!day) return {};
  return TDateTime{*day, 0};
}
