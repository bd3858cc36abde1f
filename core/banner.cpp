// The banner and the build-information line, written once per run.
#include <string>

#include "core/identity.h"
#include "core/state.h"
#include "core/textout.h"

void ShowBanner(const TFileVersionInfoRec& info, bool withBuildInfo, bool withBanner) {
  ShowBanner(info, withBuildInfo, withBanner,
             TBuildTexts{BuildDate, BuildDateTime, PlatformTag, ToolchainText});
}

void ShowBanner(const TFileVersionInfoRec& info, bool withBuildInfo, bool withBanner,
                const TBuildTexts& build) {
  if (BannerShown) return;

  // The build texts are made by the build itself; one that cannot be read
  // still gives a banner, dated on day zero.
  const TDateTime buildDay = ReadDateTime(build.Date, "ymd").value_or(TDateTime{});
  const std::string date = FormatDateTime("dd mmm yyyy", buildDay, FormatSettings);
  const std::string stamp = FormatDateTime(
      "dd mmm yyyy @ hh:00:00", ParseBuildStamp(build.DateTime, "mm/dd/yyyy"), FormatSettings);
  const std::string_view lineEnd = plat::LineEnd();

  if (withBanner) {
    WriteLine(CoreErrOutput, info.ShortVersionTitle + std::string(build.Platform) + " (" + date +
                                 ") - " + info.Description);
    WriteLine(CoreErrOutput, info.Notice);
    WriteLine(CoreErrOutput, info.Attribution + std::string(lineEnd));
  }
  if (withBuildInfo) {
    WriteLine(CoreErrOutput, info.FileVersionTitle + std::string(build.Platform) +
                                 " was compiled on " + stamp + std::string(build.Toolchain));
    if (withBanner) WriteLine(CoreErrOutput);
  }
  BannerShown = true;
}

void WriteUnderline(int length) {
  WriteLine(CoreOutput, std::string(length > 0 ? static_cast<std::size_t>(length) : 0, '-'));
}
