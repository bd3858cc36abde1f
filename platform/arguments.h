// The argument list of the real platforms, kept once at start-up; ArgCount,
// Arg and RawCommandLine of platform/console.h read it.
#pragma once

#include <string>
#include <vector>

namespace plat {

void KeepArguments(std::string programFile, std::vector<std::string> arguments,
                   std::string rawCommandLine);

}  // namespace plat
