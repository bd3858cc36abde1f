// The command-line splitter on arbitrary bytes. No argument may hold a double
// quote or a NUL, and writing the arguments back with the quoting rule that a
// user would apply must give the same list again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cmdline.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "cmdline_fuzz: %s\n", what);
  std::abort();
}

bool NeedsQuotes(std::string_view argument) {
  if (argument.empty()) return true;
  for (const char c : argument)
    if (static_cast<unsigned char>(c) >= 1 && static_cast<unsigned char>(c) <= 32) return true;
  return false;
}

// A command line that yields `arguments`: a program-name word, then each
// argument after a space, in double quotes when it is empty or holds a
// separator. There is nothing to escape: an argument never holds a quote.
std::string Join(const std::vector<std::string>& arguments) {
  std::string line = "prog";
  for (const std::string& a : arguments) {
    line += ' ';
    if (NeedsQuotes(a)) {
      line += '"';
      line += a;
      line += '"';
    } else {
      line += a;
    }
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> arguments = plat::SplitCommandLine(raw);

  for (const std::string& a : arguments) {
    if (a.find('"') != std::string::npos) Fail("an argument holds a double quote");
    if (a.find('\0') != std::string::npos) Fail("an argument holds a NUL byte");
  }
  if (plat::SplitCommandLine(Join(arguments)) != arguments)
    Fail("the joined arguments split differently");
  return 0;
}
