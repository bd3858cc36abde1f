// Placeholder POSIX platform: enough to start and exit; the terminal services
// land with the POSIX platform work.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/console.h"
#include "platform/diagnostic.h"

namespace plat {
namespace {
std::string arg0;
std::vector<std::string> args;
std::string raw;
int exitCode = 0;
}  // namespace

void Startup(int argc, char** argv) {
  arg0 = argc > 0 ? argv[0] : "quillet";
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  raw = arg0;
}
int ArgCount() { return static_cast<int>(args.size()); }
std::string Arg(int index) {
  if (index == 0) return arg0;
  if (index < 0 || index > ArgCount()) return {};
  return args[static_cast<std::size_t>(index - 1)];
}
const std::string& RawCommandLine() { return raw; }
std::string_view LineEnd() { return "\n"; }
void WriteStd(StdStream stream, std::string_view bytes) {
  int fd = stream == StdStream::Output ? 1 : 2;
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      FailStream(fd == 1 ? "write to standard output" : "write to standard error",
                 std::strerror(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}
void OpenConsoleOut() {}
void ConsoleOutWrite(std::string_view) {}
void ConsoleOutFlush() {}
std::size_t ConsoleCharCount(std::string_view text) { return text.size(); }
void OpenModeHandle() {}
void HideTyping() {}
void RestoreTyping() {}
void OpenConsoleIn() {}
std::size_t ConsoleInRead(char*, std::size_t) { return 0; }
void Beep() {}
void Pause(unsigned) {}
void KeyPollStart() {}
bool KeyPoll() { return false; }
void KeyPollStop() {}
LocalTime Now() { return {}; }
std::string ShortMonthName(int) { return "Jan"; }
std::string TimeSeparator() { return ":"; }
bool TextEqualNoCase(std::string_view a, std::string_view b) { return AsciiEqualNoCase(a, b); }
void SetExitCode(int code) { exitCode = code; }
int ExitCode() { return exitCode; }
void ExitProcess(int code) { std::_Exit(code); }
void FailStream(std::string_view what, std::string_view reason) {
  std::string line = FailureDiagnostic(arg0, what, reason) + "\n";
  (void)::write(2, line.data(), line.size());
  std::_Exit(kStreamFailureExitCode);
}
void WipeMemory(void* data, std::size_t size) {
  volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
  while (size--) *p++ = 0;
}
}  // namespace plat
