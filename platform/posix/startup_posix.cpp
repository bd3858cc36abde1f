// Process start-up and the argument list.
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/arguments.h"
#include "platform/console.h"
#include "platform/posix/posix_io.h"
#include "platform/shellquote.h"

namespace plat {

namespace {

std::string programFile;  // for the diagnostic of a failure exit

// The running executable's full path. Where /proc does not tell it, the path
// the program was started by, made absolute when it names a file by its
// directory (a bare name was found on PATH and cannot be resolved here).
std::string ExecutablePath(const char* argv0) {
  std::string path(256, '\0');
  while (true) {
    ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) break;
    if (static_cast<std::size_t>(n) < path.size()) {
      path.resize(static_cast<std::size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);  // it may have been cut: try again, larger
  }
  std::string given = argv0 ? argv0 : "";
  if (given.find('/') != std::string::npos) {
    if (char* real = ::realpath(given.c_str(), nullptr)) {
      given = real;
      std::free(real);
    }
  }
  return given;
}

}  // namespace

void Startup(int argc, char** argv) {
  // A write to a closed pipe then fails like any other write (exit 217)
  // instead of killing the process without a word.
  (void)::signal(SIGPIPE, SIG_IGN);  // cannot fail for SIGPIPE
  std::vector<std::string> words;
  for (int i = 0; i < argc; ++i) words.emplace_back(argv[i]);
  programFile = ExecutablePath(argc > 0 ? argv[0] : nullptr);
  std::vector<std::string> arguments;
  if (!words.empty()) arguments.assign(words.begin() + 1, words.end());
  KeepArguments(programFile, std::move(arguments), ShellCommandLine(words));
}

std::string_view LineEnd() { return "\n"; }

namespace posix {
const char* ProgramFile() { return programFile.c_str(); }
}  // namespace posix

}  // namespace plat
