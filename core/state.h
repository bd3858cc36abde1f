// The core unit's process-wide state, its start-up and shutdown, and the small
// text operations that start-up needs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/records.h"
#include "core/textout.h"

// Settings and collected texts (initial values are restored by CoreStartup).
extern std::int32_t ParamSyntaxMode;  // 1 bare symbol keys, 2 attached values, 3 both
extern bool DoubleDashRequired;
extern bool RecordLookupHistory;
extern std::string KnownKeywords;
extern std::string InfoSwitchList;
extern bool ErrorDelayEnabled;
extern bool AudibleErrorEnabled;
extern bool BannerOnRequest;
extern bool BannerShown;

// Streams, path, argument list and records.
extern TOutStream CoreOutput;     // standard output until a syntax-error report
extern TOutStream CoreErrOutput;  // standard error
extern std::string ProgramPath;   // directory of the program, quoted if spaced
extern TParamStatusArray ParamList;
extern TParamRecArray LookupHistory;
extern TParamStatisticsRec CustomValidation;
extern TParamStatisticsRec DefaultValidation;

// Results of the driver's lookups of the standard options.
extern TFindParamRec DebugModeParam;
extern TFindParamRec HelpParam;
extern TFindParamRec VerboseParam;
extern TFindParamRec VersionOnlyParam;
extern TFindParamRec BannerParam;
extern TFindParamRec InfoParam;

// The identity of the running program, filled by the driver.
extern TFileVersionInfoRec AppVersionInfo;

// Date conventions of the system default locale, loaded at start-up.
struct TFormatSettings {
  std::array<std::string, 12> ShortMonthNames;
  std::string TimeSeparator;
};
extern TFormatSettings FormatSettings;

inline constexpr std::string_view kCustomValidationLabel = "Custom Syntax Validation Record";
inline constexpr std::string_view kDefaultValidationLabel = "Default Syntax Validation Record";

// Resets every variable above to its initial value, then prepares the run:
// exit code 0, the streams, ProgramPath, ParamList, the validation records and
// the format settings.
void CoreStartup();
// Releases the state. Streams are neither flushed nor closed: every write has
// already reached its handle.
void CoreShutdown();

// The text in double quotation marks when it is empty or holds a space.
std::string QuoteIfSpaced(std::string_view text);

// The directory part of a path: the text before the last "\" or "/", or up to
// and including the last "\", "/" or ":" when that keeps a root ("D:\", "/").
std::string DirectoryPart(std::string_view path);
