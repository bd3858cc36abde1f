#include "pty_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A command that shows nothing for this long is taken as hung.
constexpr int kQuietLimitMilliseconds = 20000;
// The descriptor on which the launcher writes its report.
constexpr int kReportFd = 3;

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
  int ReportRead = -1, ReportWrite = -1;
  ~TFds() {
    for (int* fd : {&Master, &OutRead, &OutWrite, &ErrRead, &ErrWrite, &ReportRead, &ReportWrite})
      CloseFd(*fd);
  }
};

[[noreturn]] void RunChild(const char* slaveName, const TFds& fds, char* const argv[]) {
  // A new session whose first terminal opened becomes its controlling one.
  if (setsid() < 0) _exit(126);
  int slave = open(slaveName, O_RDWR);
  if (slave < 0) _exit(126);
  if (dup2(slave, 0) < 0 || dup2(fds.OutWrite, 1) < 0 || dup2(fds.ErrWrite, 2) < 0 ||
      dup2(fds.ReportWrite, kReportFd) < 0)
    _exit(126);
  if (slave > kReportFd) (void)close(slave);  // the copy on 0 is the one used
  execv(argv[0], argv);
  _exit(127);
}

bool ReadReport(TFds& fds, TRunResult& result) {
  std::string report;
  (void)fcntl(fds.ReportRead, F_SETFL, 0);  // the launcher writes it just before it ends
  while (fds.ReportRead >= 0) Drain(fds.ReportRead, report);
  int status = 0;
  long long wallNs = 0, userUs = 0, systemUs = 0;
  long rss = 0, faults = 0;
  if (std::sscanf(report.c_str(), "%d %lld %lld %lld %ld %ld", &status, &wallNs, &userUs,
                  &systemUs, &rss, &faults) != 6) {
    result.Error = "the launcher gave no report";
    return false;
  }
  result.WallSeconds = static_cast<double>(wallNs) / 1e9;
  result.CpuSeconds = static_cast<double>(userUs + systemUs) / 1e6;
  result.MaxRssKiB = rss;
  result.MinorFaults = faults;
  result.Exited = WIFEXITED(status);
  result.ExitCode = result.Exited ? WEXITSTATUS(status) : -1;
  if (WIFSIGNALED(status)) result.Error = "ended by signal " + std::to_string(WTERMSIG(status));
  return true;
}

}  // namespace

bool RunOnPty(const std::string& launcher, const TRunPlan& plan, TRunResult& result) {
  result = TRunResult{};
  TFds fds;
  fds.Master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fds.Master < 0) return Fail(result, "posix_openpt");
  if (grantpt(fds.Master) < 0 || unlockpt(fds.Master) < 0) return Fail(result, "grantpt");
  char slaveName[128];
  if (ptsname_r(fds.Master, slaveName, sizeof slaveName) != 0) return Fail(result, "ptsname_r");
  int ends[2];
  for (auto [readEnd, writeEnd] : {std::pair{&fds.OutRead, &fds.OutWrite},
                             std::pair{&fds.ErrRead, &fds.ErrWrite},
                             std::pair{&fds.ReportRead, &fds.ReportWrite}}) {
    if (pipe2(ends, O_CLOEXEC) < 0) return Fail(result, "pipe2");
    *readEnd = ends[0], *writeEnd = ends[1];
  }
  for (int fd : {fds.Master, fds.OutRead, fds.ErrRead})
    (void)fcntl(fd, F_SETFL, O_NONBLOCK);  // a blocking read would only cost latency

  // The argument vector is built before fork(), so the child only execs.
  const std::string reportFd = std::to_string(kReportFd);
  std::vector<char*> argv{const_cast<char*>(launcher.c_str()), const_cast<char*>(reportFd.c_str())};
  for (const std::string& arg : plan.Argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) return Fail(result, "fork");
  if (pid == 0) RunChild(slaveName, fds, argv.data());
  CloseFd(fds.OutWrite);
  CloseFd(fds.ErrWrite);
  CloseFd(fds.ReportWrite);

  bool typed = plan.Prompt.empty();
  while (fds.OutRead >= 0 || fds.ErrRead >= 0) {
    pollfd polled[3];
    nfds_t count = 0;
    for (int fd : {fds.Master, fds.OutRead, fds.ErrRead})
      if (fd >= 0) polled[count++] = {fd, POLLIN, 0};
    int ready = poll(polled, count, kQuietLimitMilliseconds);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      // The launcher's session: the launcher and the command.
      (void)kill(-pid, SIGKILL);
      (void)waitpid(pid, nullptr, 0);  // only to reap it
      result.Error = ready == 0 ? "no output and no end in time" : std::strerror(errno);
      return false;
    }
    if (fds.Master >= 0) Drain(fds.Master, result.Terminal);
    if (fds.OutRead >= 0) Drain(fds.OutRead, result.Stdout);
    if (fds.ErrRead >= 0) Drain(fds.ErrRead, result.Stderr);
    const std::string& shown = plan.PromptOnStderr ? result.Stderr : result.Terminal;
    if (!typed && shown.find(plan.Prompt) != std::string::npos) {
      typed = true;
      if (write(fds.Master, plan.Typed.data(), plan.Typed.size()) !=
          static_cast<ssize_t>(plan.Typed.size()))
        return Fail(result, "typing into the terminal");
    }
  }

  const bool reported = ReadReport(fds, result);
  int status = 0;
  pid_t reaped;
  do reaped = waitpid(pid, &status, 0);
  while (reaped < 0 && errno == EINTR);
  if (fds.Master >= 0) Drain(fds.Master, result.Terminal);  // the last echo, if any
  if (reaped != pid) return Fail(result, "waitpid");
  if (reported && WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
  result.Error = WIFEXITED(status)
                     ? "the launcher failed with exit code " + std::to_string(WEXITSTATUS(status))
                     : "the launcher ended by signal " + std::to_string(WTERMSIG(status));
  return false;
}
