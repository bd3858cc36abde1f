#include "pty_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

// A command that shows nothing for this long is taken as hung.
constexpr int kQuietLimitMilliseconds = 20000;

double Seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9; }
double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

double Now() {
  timespec t{};
  (void)clock_gettime(CLOCK_MONOTONIC, &t);  // cannot fail for this clock
  return Seconds(t);
}

bool Fail(TRunResult& result, const char* what) {
  result.Error = std::string(what) + ": " + std::strerror(errno);
  return false;
}

void CloseFd(int& fd) {
  if (fd >= 0) (void)close(fd);  // nothing is buffered in it
  fd = -1;
}

// Takes in what `fd` has. Closes it at its end: on a pipe that is when every
// writer is gone, on the pty master when the last slave descriptor is closed
// (Linux reports EIO then).
void Drain(int& fd, std::string& into) {
  char buffer[65536];
  ssize_t n;
  do n = read(fd, buffer, sizeof buffer);
  while (n < 0 && errno == EINTR);
  if (n > 0)
    into.append(buffer, static_cast<std::size_t>(n));
  else if (n == 0 || errno != EAGAIN)
    CloseFd(fd);
}

struct TFds {
  int Master = -1, OutRead = -1, OutWrite = -1, ErrRead = -1, ErrWrite = -1;
  ~TFds() {
    for (int* fd : {&Master, &OutRead, &OutWrite, &ErrRead, &ErrWrite}) CloseFd(*fd);
  }
};

[[noreturn]] void RunChild(const char* slaveName, const TFds& fds, char* const argv[]) {
  // A new session whose first terminal opened becomes its controlling one.
  if (setsid() < 0) _exit(126);
  int slave = open(slaveName, O_RDWR);
  if (slave < 0) _exit(126);
  if (dup2(slave, 0) < 0 || dup2(fds.OutWrite, 1) < 0 || dup2(fds.ErrWrite, 2) < 0) _exit(126);
  if (slave > 2) (void)close(slave);  // the copy on 0 is the one the command uses
  execv(argv[0], argv);
  _exit(127);
}

}  // namespace

bool RunOnPty(const TRunSpec& spec, TRunResult& result) {
  result = TRunResult{};
  TFds fds;
  fds.Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fds.Master < 0) return Fail(result, "posix_openpt");
  if (grantpt(fds.Master) < 0 || unlockpt(fds.Master) < 0) return Fail(result, "grantpt");
  char slaveName[128];
  if (ptsname_r(fds.Master, slaveName, sizeof slaveName) != 0) return Fail(result, "ptsname_r");
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) < 0) return Fail(result, "pipe2");
  fds.OutRead = out[0], fds.OutWrite = out[1];
  if (pipe2(err, O_CLOEXEC) < 0) return Fail(result, "pipe2");
  fds.ErrRead = err[0], fds.ErrWrite = err[1];
  for (int fd : {fds.Master, fds.OutRead, fds.ErrRead})
    (void)fcntl(fd, F_SETFL, O_NONBLOCK);  // a blocking read would only cost latency

  // The argument vector is built before fork(), so the child only execs.
  std::vector<char*> argv;
  for (const std::string& arg : spec.Argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const double start = Now();
  const pid_t pid = fork();
  if (pid < 0) return Fail(result, "fork");
  if (pid == 0) RunChild(slaveName, fds, argv.data());
  CloseFd(fds.OutWrite);
  CloseFd(fds.ErrWrite);

  bool typed = spec.Prompt.empty();
  while (fds.OutRead >= 0 || fds.ErrRead >= 0) {
    pollfd polled[3];
    nfds_t count = 0;
    for (int fd : {fds.Master, fds.OutRead, fds.ErrRead})
      if (fd >= 0) polled[count++] = {fd, POLLIN, 0};
    int ready = poll(polled, count, kQuietLimitMilliseconds);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      (void)kill(pid, SIGKILL);
      (void)wait4(pid, nullptr, 0, nullptr);  // only to reap it
      result.Error = ready == 0 ? "no output and no end in time" : std::strerror(errno);
      return false;
    }
    if (fds.Master >= 0) Drain(fds.Master, result.Terminal);
    if (fds.OutRead >= 0) Drain(fds.OutRead, result.Stdout);
    if (fds.ErrRead >= 0) Drain(fds.ErrRead, result.Stderr);
    const std::string& shown = spec.PromptOnStderr ? result.Stderr : result.Terminal;
    if (!typed && shown.find(spec.Prompt) != std::string::npos) {
      typed = true;
      if (write(fds.Master, spec.Typed.data(), spec.Typed.size()) !=
          static_cast<ssize_t>(spec.Typed.size()))
        return Fail(result, "typing into the terminal");
    }
  }

  int status = 0;
  rusage usage{};
  pid_t reaped;
  do reaped = wait4(pid, &status, 0, &usage);
  while (reaped < 0 && errno == EINTR);
  result.WallSeconds = Now() - start;
  if (reaped != pid) return Fail(result, "wait4");
  if (fds.Master >= 0) Drain(fds.Master, result.Terminal);  // the last echo, if any

  result.CpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  result.MaxRssKiB = usage.ru_maxrss;
  result.Exited = WIFEXITED(status);
  result.ExitCode = result.Exited ? WEXITSTATUS(status) : -1;
  if (!result.Exited) result.Error = "ended by signal " + std::to_string(WTERMSIG(status));
  return true;
}
