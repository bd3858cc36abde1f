#include "core/state.h"

std::int32_t ParamSyntaxMode = 0;
bool DoubleDashRequired = true;
bool RecordLookupHistory = false;
std::string KnownKeywords;
std::string InfoSwitchList;
bool ErrorDelayEnabled = false;
bool AudibleErrorEnabled = false;
bool BannerOnRequest = true;
bool BannerShown = false;

TOutStream CoreOutput{plat::StdStream::Output};
TOutStream CoreErrOutput{plat::StdStream::Error};
std::string ProgramPath;
TParamStatusArray ParamList;
TParamRecArray LookupHistory;
TParamStatisticsRec CustomValidation;
TParamStatisticsRec DefaultValidation;

TFindParamRec DebugModeParam;
TFindParamRec HelpParam;
TFindParamRec VerboseParam;
TFindParamRec VersionOnlyParam;
TFindParamRec BannerParam;
TFindParamRec InfoParam;

TFileVersionInfoRec AppVersionInfo;
TFormatSettings FormatSettings;

namespace {

// Puts every variable back to the value it has when the process starts, so
// that a test can run the whole flow again in the same process.
void ResetToInitialValues() {
  ParamSyntaxMode = 0;
  DoubleDashRequired = true;
  RecordLookupHistory = false;
  KnownKeywords.clear();
  InfoSwitchList.clear();
  ErrorDelayEnabled = false;
  AudibleErrorEnabled = false;
  BannerOnRequest = true;
  BannerShown = false;
  ProgramPath.clear();
  ParamList.clear();
  LookupHistory.clear();
  DebugModeParam = HelpParam = VerboseParam = VersionOnlyParam = BannerParam = InfoParam =
      TFindParamRec{};
  AppVersionInfo = TFileVersionInfoRec{};
  FormatSettings = TFormatSettings{};
}

}  // namespace

void CoreStartup() {
  ResetToInitialValues();
  CustomValidation = TParamStatisticsRec{};
  DefaultValidation = TParamStatisticsRec{};
  plat::SetExitCode(0);
  CoreOutput = TOutStream{plat::StdStream::Output};
  CoreErrOutput = TOutStream{plat::StdStream::Error};
  ProgramPath = QuoteIfSpaced(DirectoryPart(plat::Arg(0)));
  ParamList = LoadParamList();
  LookupHistory = NewParamRecArray(0);
  InitStatisticsRec(CustomValidation, kCustomValidationLabel);
  InitStatisticsRec(DefaultValidation, kDefaultValidationLabel);
  for (int month = 1; month <= 12; ++month)
    FormatSettings.ShortMonthNames[static_cast<std::size_t>(month - 1)] =
        plat::ShortMonthName(month);
  FormatSettings.TimeSeparator = plat::TimeSeparator();
}

void CoreShutdown() {
  ResetToInitialValues();
  CustomValidation = TParamStatisticsRec{};
  DefaultValidation = TParamStatisticsRec{};
  ParamList.shrink_to_fit();
  LookupHistory.shrink_to_fit();
}

std::string QuoteIfSpaced(std::string_view text) {
  if (!text.empty() && text.find(' ') == std::string_view::npos) return std::string(text);
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  quoted += '"';
  return quoted;
}

std::string DirectoryPart(std::string_view path) {
  const std::size_t pos = path.find_last_of("\\/:");
  if (pos == std::string_view::npos) return {};
  const char c = path[pos];
  const bool separator = c == '\\' || c == '/';
  const bool afterSeparator =
      pos > 0 && (path[pos - 1] == '\\' || path[pos - 1] == '/' || path[pos - 1] == ':');
  if (separator && pos > 0 && !afterSeparator) return std::string(path.substr(0, pos));
  return std::string(path.substr(0, pos + 1));
}
