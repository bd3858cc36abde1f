// Splitting a raw Windows command line into arguments.
//
// Pure: it depends on nothing but the text, so it is tested on every host.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Splits `raw` into words and drops the first one (the program name as typed).
// Bytes 1 to 32 separate words outside double quotes; a double quote toggles
// quoting and is dropped; two double quotes in a row are both dropped without
// toggling; a backslash is an ordinary byte. The text ends at its end or at a
// NUL byte.
std::vector<std::string> SplitCommandLine(std::string_view raw);

}  // namespace plat
