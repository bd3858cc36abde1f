// The identity of the running program, its build texts, the build timestamp,
// and the banner with the build-information line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/datetime.h"
#include "core/records.h"

// Texts fixed when the program is built.
extern const std::string_view BuildDate;      // "yyyy/mm/dd"
extern const std::string_view BuildDateTime;  // "yyyy/mm/dd hh:nn:ss"
extern const std::string_view PlatformTag;    // " x64"
extern const std::string_view ToolchainText;  // " using GCC 12.2.0"
extern const std::string_view NoticeLine;
extern const std::string_view AttributionLine;

// The build texts that the banner shows, together, so that a caller can give
// others than this build's.
struct TBuildTexts {
  std::string_view Date;      // as BuildDate
  std::string_view DateTime;  // as BuildDateTime
  std::string_view Platform;  // as PlatformTag
  std::string_view Toolchain;  // as ToolchainText
};

void FillVersionInfo(TFileVersionInfoRec& info, std::string_view shortVersion,
                     std::string_view fullVersion, std::string_view description,
                     bool upperCaseNames);

// Reads "yyyy/mm/dd hh:nn:ss[.fraction]" or a time alone; a stamp on day zero
// gets today's date. datePattern names the order of today's date fields.
// A stamp that cannot be read gives day zero at midnight.
TDateTime ParseBuildStamp(std::string_view stamp, std::string_view datePattern);

// Writes the banner and/or the build-information line to CoreErrOutput, once
// per run.
void ShowBanner(const TFileVersionInfoRec& info, bool withBuildInfo, bool withBanner);
// The same with the given build texts in place of this build's.
void ShowBanner(const TFileVersionInfoRec& info, bool withBuildInfo, bool withBanner,
                const TBuildTexts& build);

// `length` dashes and a line end, to CoreOutput.
void WriteUnderline(int length);
