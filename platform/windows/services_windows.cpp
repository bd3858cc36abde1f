// Sound, pause, clock, the system default locale's date conventions, option
// matching and memory wiping.
#include <string>

#include "platform/console.h"
#include "platform/diagnostic.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

std::string SystemLocaleText(LCTYPE item) {
  const int size = GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, item, nullptr, 0);
  if (size <= 1) return {};
  std::string text(static_cast<std::size_t>(size), '\0');
  const int length = GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, item, text.data(), size);
  text.resize(length > 1 ? static_cast<std::size_t>(length - 1) : 0);  // without the NUL
  return text;
}

}  // namespace

void Beep() {
  // A beep that cannot sound leaves the report as it is.
  (void)MessageBeep(0);
}

void Pause(unsigned milliseconds) { Sleep(milliseconds); }

LocalTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

std::string ShortMonthName(int month) {
  if (month < 1 || month > 12) return {};
  return SystemLocaleText(static_cast<LCTYPE>(LOCALE_SABBREVMONTHNAME1 + month - 1));
}

std::string TimeSeparator() { return SystemLocaleText(LOCALE_STIME); }

const bool kTextEqualIsAscii = false;
bool TextEqualNoCase(std::string_view a, std::string_view b) {
  constexpr std::size_t kMax = 0x7FFFFFFF;
  if (a.size() > kMax || b.size() > kMax) return AsciiEqualNoCase(a, b);
  if (a.empty() && b.empty()) return true;
  // An empty view may have no data pointer, which the call refuses.
  const char* first = a.empty() ? "" : a.data();
  const char* second = b.empty() ? "" : b.data();
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, first, static_cast<int>(a.size()),
                        second, static_cast<int>(b.size())) == CSTR_EQUAL;
}

void WipeMemory(void* data, std::size_t size) { SecureZeroMemory(data, size); }

}  // namespace plat
