// The compiler that builds the program, as its own predefined macros name it.
#pragma once

#include <string>

namespace plat {

// Name and version, such as "GCC 12.2.0" or "Clang 14.0.6".
std::string ToolchainName();

}  // namespace plat
