// Placeholder until identity and banner land.
#include "core/identity.h"

const std::string_view BuildDate = "2023/08/27";
const std::string_view BuildDateTime = "2023/08/27 14:46:08";
const std::string_view PlatformTag = " x64";
const std::string_view ToolchainText = " using GCC";
const std::string_view NoticeLine = "";
const std::string_view AttributionLine = "";

void FillVersionInfo(TFileVersionInfoRec& info, std::string_view, std::string_view,
                     std::string_view, bool) {
  info.Filled = true;
  info.BaseName = "Quillet";
}
TDateTime ParseBuildStamp(std::string_view, std::string_view) { return {}; }
void ShowBanner(const TFileVersionInfoRec&, bool, bool) {}
void WriteUnderline(int) {}
