// The texts fixed when the program is built. The build passes the date, the
// platform and the maker's lines as definitions (cmake/buildinfo.cmake).
#include <string>

#include "core/identity.h"
#include "platform/toolchain.h"

namespace {
const std::string toolchainText = " using " + plat::ToolchainName();
}

const std::string_view BuildDate = QUILLET_BUILD_DATE;
const std::string_view BuildDateTime = QUILLET_BUILD_DATETIME;
const std::string_view PlatformTag = QUILLET_PLATFORM_TAG;
// Defined after the text it refers to, so it is initialised after it.
const std::string_view ToolchainText = toolchainText;
const std::string_view NoticeLine = QUILLET_NOTICE;
const std::string_view AttributionLine = QUILLET_ATTRIBUTION;
