// Writing arguments back as a POSIX shell command line.
//
// Pure: it depends on nothing but the texts, so it is tested on every host.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// The word as a POSIX shell user can paste it back: unchanged when it is not
// empty and made only of ASCII letters, digits and @%+=:,./-_ ; otherwise in
// single quotes, each single quote inside written as '"'"' ; the empty word
// as ''.
std::string ShellQuote(std::string_view word);

// The words, each quoted by ShellQuote, separated by single spaces.
std::string ShellCommandLine(const std::vector<std::string>& words);

}  // namespace plat
