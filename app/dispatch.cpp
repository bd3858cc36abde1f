#include "app/dispatch.h"

#include <string>

#include "app/help.h"
#include "app/line_input.h"
#include "core/identity.h"
#include "core/report.h"
#include "core/state.h"
#include "platform/console.h"

void ExitWithSyntaxError(std::int32_t code, std::string_view message, bool brief) {
  ShowBanner(AppVersionInfo, VerboseParam.Found, true);
  ShowSyntaxError(message, ErrorDelayEnabled, AudibleErrorEnabled);
  ShowSyntax(brief);
  plat::SetExitCode(code);
}

void ExitMissingParameters() {
  const std::string argument = "-p " + InfoSwitchList;
  ExitWithSyntaxError(64, "Missing Essential Parameters (e.g. " + argument + ")", true);
}

void DispatchOutcome() {
  if (!CustomValidation.SyntaxOK && !HelpParam.Found) {
    if (CustomValidation.IncompleteCount > 0) {
      ExitWithSyntaxError(67, "Incomplete Parameters Provided: " + CustomValidation.IncompleteList,
                          true);
      return;
    }
    if (CustomValidation.InvalidCount > 0) {
      ExitWithSyntaxError(65, "Invalid Parameters Provided: " + CustomValidation.InvalidList, true);
      return;
    }
  }
  if (HelpParam.Found) {
    ShowBanner(AppVersionInfo, VerboseParam.Found, true);
    ShowSyntax(false);
    plat::SetExitCode(255);
    return;
  }
  if (VersionOnlyParam.Found) {
    ShowBanner(AppVersionInfo, true, false);
    return;
  }
  if (InfoParam.Found) {
    ShowBanner(AppVersionInfo, true, true);
    return;
  }
  if (BannerOnRequest && (BannerParam.Found || VerboseParam.Found))
    ShowBanner(AppVersionInfo, VerboseParam.Found, true);
  if (!RunLineInput()) ExitMissingParameters();
}
