#include "app/driver.h"

#include <string>

#include "app/app_state.h"
#include "app/dispatch.h"
#include "app/options.h"
#include "core/identity.h"
#include "core/params.h"
#include "core/state.h"
#include "platform/console.h"

namespace {

inline constexpr std::string_view kShortVersion = "1.2.0";
inline constexpr std::string_view kFullVersion = "1.2.0.100";
inline constexpr std::string_view kDescription =
    "Read a line of Input from the Windows Command-Line";

// Where the driver keeps the result of each lookup of the option table.
TFindParamRec* ResultRecordOf(std::size_t row, TFindParamRec& discarded) {
  switch (row) {
    case kDebugOption: return &DebugModeParam;
    case kHelpOption: return &HelpParam;
    case kVerboseOption: return &VerboseParam;
    case kVersionOnlyOption: return &VersionOnlyParam;
    case kInfoOption: return &InfoParam;
    case kBannerOption: return &BannerParam;
    case kPromptOption: return &PromptParam;
    case kQuietOption: return &QuietParam;
    default: return &discarded;
  }
}

void LookUpOptions() {
  for (std::size_t row = 0; row < kOptionTable.size(); ++row) {
    TFindParamRec discarded;
    LookUpOption(row, *ResultRecordOf(row, discarded));
  }
}

}  // namespace

void RunDriver() {
  ParamSyntaxMode = 2;
  FillVersionInfo(AppVersionInfo, kShortVersion, kFullVersion, kDescription, false);
  LookUpOptions();
  if (DebugModeParam.Found) {
    ErrorDelayEnabled = true;
    AudibleErrorEnabled = true;
  }
  ValidateSyntax(CustomValidation, ParamList, kMandatoryKeywords, true, -1, -1);
  DispatchOutcome();
}

int RunQuillet() {
  CoreStartup();
  ProgramStateCreate();
  // The program state holds the typed line; release (and so wipe) it on every
  // way out, also when a test's fake platform ends the run by throwing.
  struct ReleaseAtEnd {
    ~ReleaseAtEnd() {
      ProgramStateRelease();
      CoreShutdown();
    }
  } releaseAtEnd;
  RunDriver();
  return plat::ExitCode();
}
