// Standard streams, the console devices, and the ways the process ends.
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "platform/diagnostic.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/terminal_guard.h"

namespace plat {

namespace {

constexpr std::size_t kConsoleOutBufferSize = 256;

int consoleOut = -1;
char consoleOutBuffer[kConsoleOutBufferSize];
std::size_t consoleOutUsed = 0;
int consoleIn = -1;
int exitCode = 0;

void FailWithErrno(std::string_view what) { FailStream(what, std::strerror(errno)); }

}  // namespace

namespace posix {

int OpenTerminal(int flags) {
  int fd = ::open("/dev/tty", flags | O_NOCTTY | O_CLOEXEC);
  if (fd < 0 || fd > 2) return fd;
  int moved = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
  int savedErrno = errno;
  (void)::close(fd);  // nothing was written through it
  errno = savedErrno;
  return moved;
}

void WriteAll(int fd, std::string_view bytes, std::string_view what) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      FailWithErrno(what);
    }
    if (n == 0) FailStream(what, "nothing was written");
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace posix

void WriteStd(StdStream stream, std::string_view bytes) {
  if (stream == StdStream::Output)
    posix::WriteAll(STDOUT_FILENO, bytes, "write to standard output");
  else
    posix::WriteAll(STDERR_FILENO, bytes, "write to standard error");
}

void OpenConsoleOut() {
  consoleOut = posix::OpenTerminal(O_WRONLY);
  if (consoleOut < 0) FailWithErrno("open console output device");
  consoleOutUsed = 0;
}

void ConsoleOutWrite(std::string_view bytes) {
  while (!bytes.empty()) {
    if (consoleOutUsed == kConsoleOutBufferSize) {
      posix::WriteAll(consoleOut, std::string_view(consoleOutBuffer, consoleOutUsed),
                      "write to console output device");
      consoleOutUsed = 0;
    }
    std::size_t n = std::min(bytes.size(), kConsoleOutBufferSize - consoleOutUsed);
    std::memcpy(consoleOutBuffer + consoleOutUsed, bytes.data(), n);
    consoleOutUsed += n;
    bytes.remove_prefix(n);
  }
}

void ConsoleOutFlush() {
  if (consoleOutUsed == 0) return;
  posix::WriteAll(consoleOut, std::string_view(consoleOutBuffer, consoleOutUsed),
                  "flush console output device");
  consoleOutUsed = 0;
}

std::size_t ConsoleCharCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x80 || byte > 0xBF) ++count;  // continuation bytes add no character
  }
  return count;
}

void OpenConsoleIn() {
  consoleIn = posix::OpenTerminal(O_RDONLY);
  if (consoleIn < 0) FailWithErrno("open console input device");
}

std::size_t ConsoleInRead(char* buffer, std::size_t size) {
  while (true) {
    ssize_t n = ::read(consoleIn, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) FailWithErrno("read from console input device");
  }
}

void SetExitCode(int code) { exitCode = code; }
int ExitCode() { return exitCode; }

void ExitProcess(int code) { std::exit(code); }

void FailStream(std::string_view what, std::string_view reason) {
  // No signal handler may run between the restore and the end.
  sigset_t all;
  sigfillset(&all);
  (void)::sigprocmask(SIG_BLOCK, &all, nullptr);  // cannot fail with valid arguments
  posix::GuardRestoreNow();
  std::string line = FailureDiagnostic(posix::ProgramFile(), what, reason);
  line += LineEnd();
  // Standard error may be the stream that failed; nothing is left to tell.
  (void)::write(STDERR_FILENO, line.data(), line.size());
  ::_exit(kStreamFailureExitCode);
}

void WipeMemory(void* data, std::size_t size) { ::explicit_bzero(data, size); }

}  // namespace plat
