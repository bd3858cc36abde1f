// The identity of the running program, its build texts, the build timestamp,
// and the banner with the build-information line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/records.h"

// Texts fixed when the program is built.
extern const std::string_view BuildDate;      // "yyyy/mm/dd"
extern const std::string_view BuildDateTime;  // "yyyy/mm/dd hh:nn:ss"
extern const std::string_view PlatformTag;    // " x64"
extern const std::string_view ToolchainText;  // " using GCC 12.2.0"
extern const std::string_view NoticeLine;
extern const std::string_view AttributionLine;

// A date-time value: days since 30 December 1899 and the time of day.
struct TDateTime {
  std::int32_t Day = 0;
  std::int32_t Millisecond = 0;  // 0 .. 86,399,999
};

void FillVersionInfo(TFileVersionInfoRec& info, std::string_view shortVersion,
                     std::string_view fullVersion, std::string_view description,
                     bool upperCaseNames);

// Reads "yyyy/mm/dd hh:nn:ss[.fraction]" or a time alone; a stamp on day zero
// gets today's date. datePattern names the order of today's date fields.
TDateTime ParseBuildStamp(std::string_view stamp, std::string_view datePattern);

// Writes the banner and/or the build-information line to CoreErrOutput, once
// per run.
void ShowBanner(const TFileVersionInfoRec& info, bool withBuildInfo, bool withBanner);

// `length` dashes and a line end, to CoreOutput.
void WriteUnderline(int length);
