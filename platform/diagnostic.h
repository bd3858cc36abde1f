// Small pure helpers shared by every implementation of platform/console.h.
#pragma once

#include <string>
#include <string_view>

namespace plat {

// The file-name part of a path (after the last "\", "/" or ":") without its
// extension (from the last "."): the name a diagnostic starts with.
std::string ProgramStem(std::string_view path);

// "<program>: <what>: <reason>" (without line end); the reason is left out
// when it is empty.
std::string FailureDiagnostic(std::string_view arg0, std::string_view what,
                              std::string_view reason);

// Whole texts equal with the ASCII letters compared without case.
bool AsciiEqualNoCase(std::string_view a, std::string_view b);

}  // namespace plat
