#include "pty.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace pty {

namespace {

using Clock = std::chrono::steady_clock;

// Each wait for output lasts at most this long before the command's state is
// looked at again.
constexpr int kSliceMilliseconds = 10;
// After the command has ended, the terminal is drained until it stays quiet
// this long: the kernel hands the last output to the master side a moment
// after the writer is gone.
constexpr auto kQuietAfterEnd = 100ms;

bool Fail(std::string* error, const char* what) {
  if (error) *error = std::string(what) + ": " + std::strerror(errno);
  return false;
}

void CloseFd(int& fd) {
  if (fd >= 0) (void)::close(fd);  // nothing is buffered; a failed close loses nothing
  fd = -1;
}

// Reads what is there from `fd` into `into`. Returns false at the end of the
// input or on an error other than "nothing yet".
bool Drain(int fd, std::string& into) {
  char buffer[4096];
  while (true) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
      into.append(buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    return false;
  }
}

void SetNonBlocking(int fd) {
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags | O_NONBLOCK);  // only makes reads return sooner
}

// Notes the end of the command when it has ended.
void Reap(Session& s) {
  if (s.Ended || s.Pid < 0) return;
  int status = 0;
  pid_t r = ::waitpid(s.Pid, &status, WNOHANG);
  if (r == s.Pid) {
    s.Ended = true;
    s.WaitStatus = status;
  }
}

// Waits up to `milliseconds` for output, takes in all there is, and looks
// whether the command has ended. Returns whether anything arrived.
bool Pump(Session& s, int milliseconds) {
  pollfd fds[3];
  nfds_t count = 0;
  int* owners[3];
  std::string* sinks[3];
  auto add = [&](int& fd, std::string& sink) {
    if (fd < 0) return;
    fds[count] = {fd, POLLIN, 0};
    owners[count] = &fd;
    sinks[count] = &sink;
    ++count;
  };
  add(s.Master, s.Terminal);
  add(s.Out, s.Stdout);
  add(s.Err, s.Stderr);
  bool arrived = false;
  int ready = ::poll(fds, count, milliseconds);
  if (ready > 0) {
    for (nfds_t i = 0; i < count; ++i) {
      if (fds[i].revents == 0) continue;
      std::size_t before = sinks[i]->size();
      bool open = Drain(fds[i].fd, *sinks[i]);
      arrived = arrived || sinks[i]->size() != before;
      // The master reports an error once no slave is open; the test keeps
      // one open, so that does not happen, but a pipe ends for good.
      if (!open && owners[i] != &s.Master) CloseFd(*owners[i]);
    }
  }
  Reap(s);
  return arrived;
}

void KillAll(Session& s) {
  if (!s.Ended && s.Pid > 0) {
    (void)::kill(-s.Pid, SIGKILL);  // the session's own process group; may be gone already
    (void)::kill(s.Pid, SIGKILL);   // the command itself, should it have left that group
    int status = 0;
    if (::waitpid(s.Pid, &status, 0) == s.Pid) {
      s.Ended = true;
      s.WaitStatus = status;
    }
  }
  if (s.HolderPid > 0) {
    (void)::kill(s.HolderPid, SIGKILL);  // it may have ended with the terminal's hang-up
    s.HolderPid = -1;
  }
}

// The second process group of the session: it waits for SIGUSR1, then makes
// itself the terminal's foreground, and then waits to be killed. Only calls
// that are safe after fork() are made here.
[[noreturn]] void RunHolder(int terminal) {
  // Holding no pipe open, it does not delay the end of the command's output.
  for (int fd = 0; fd < 1024; ++fd)
    if (fd != terminal) (void)::close(fd);  // most of them are not open
  (void)::setpgid(0, 0);  // also made by the parent; whichever comes first wins
  sigset_t wanted;  // blocked since before the fork
  sigemptyset(&wanted);
  sigaddset(&wanted, SIGUSR1);
  // A background group may change the foreground only with SIGTTOU ignored.
  (void)::signal(SIGTTOU, SIG_IGN);
  int received = 0;
  while (::sigwait(&wanted, &received) != 0) {
  }
  (void)::tcsetpgrp(terminal, ::getpgrp());  // the test sees the outcome through the master
  while (true) ::pause();
}

[[noreturn]] void RunChild(const Options& o, int slave, int in, int out, int err,
                           int holderReport) {
  // The test runner's own signal settings must not leak into the command.
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  sigemptyset(&dfl.sa_mask);
  for (int sig = 1; sig < NSIG; ++sig) (void)::sigaction(sig, &dfl, nullptr);  // fails only for KILL and STOP
  sigset_t none;
  sigemptyset(&none);
  (void)::sigprocmask(SIG_SETMASK, &none, nullptr);

  // A command killed by SIGQUIT leaves no core file behind.
  rlimit noCore{0, 0};
  (void)::setrlimit(RLIMIT_CORE, &noCore);  // lowering a limit always works
  if (::setsid() < 0) ::_exit(126);
  if (!o.NoControllingTerminal && ::ioctl(slave, TIOCSCTTY, 0) < 0) ::_exit(126);

  if (o.ForegroundHolder) {
    // The holder is born with SIGUSR1 blocked, so that a signal sent as
    // soon as the test knows its number is not lost (nor kills it).
    sigset_t usr1;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    (void)::sigprocmask(SIG_BLOCK, &usr1, nullptr);
    pid_t holder = ::fork();
    if (holder < 0) ::_exit(126);
    if (holder == 0) RunHolder(slave);
    (void)::sigprocmask(SIG_SETMASK, &none, nullptr);
    (void)::setpgid(holder, holder);  // the holder makes the same call
    if (::write(holderReport, &holder, sizeof holder) != sizeof holder) ::_exit(126);
  }

  if (::dup2(in >= 0 ? in : slave, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0)
    ::_exit(126);
  if (!o.WorkingDir.empty() && ::chdir(o.WorkingDir.c_str()) < 0) ::_exit(126);

  std::vector<char*> argv;
  for (const std::string& a : o.Argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  // Every descriptor the test made is close-on-exec; the three above are not.
  ::execvp(argv[0], argv.data());
  ::_exit(127);
}

int OpenFile(const std::string& path, int flags) {
  return ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY, 0644);
}

}  // namespace

Session::~Session() {
  KillAll(*this);
  CloseFd(Master);
  CloseFd(Slave);
  CloseFd(Out);
  CloseFd(Err);
}

bool Start(Session& s, const Options& o, std::string* error) {
  if (o.Argv.empty()) {
    errno = EINVAL;
    return Fail(error, "no command");
  }
  s.Master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (s.Master < 0) return Fail(error, "posix_openpt");
  if (::grantpt(s.Master) < 0 || ::unlockpt(s.Master) < 0) return Fail(error, "unlockpt");
  char name[128];
  if (::ptsname_r(s.Master, name, sizeof name) != 0) return Fail(error, "ptsname_r");
  s.Slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (s.Slave < 0) return Fail(error, "open the terminal");
  winsize size{};
  size.ws_row = 24;
  size.ws_col = 80;
  (void)::ioctl(s.Master, TIOCSWINSZ, &size);  // a terminal without a size still works
  if (!o.TypeAhead.empty() &&
      ::write(s.Master, o.TypeAhead.data(), o.TypeAhead.size()) !=
          static_cast<ssize_t>(o.TypeAhead.size()))
    return Fail(error, "type ahead");

  // The child's ends of its standard streams; -1 for "the terminal".
  int in = -1, out = -1, err = -1;
  auto closeChildEnds = [&] {
    CloseFd(in);
    CloseFd(out);
    CloseFd(err);
  };
  if (!o.StdinFile.empty() && (in = OpenFile(o.StdinFile, O_RDONLY)) < 0) {
    closeChildEnds();
    return Fail(error, "open the standard input file");
  }
  // An output stream goes to the named file, or to a pipe whose reading end
  // the session keeps.
  auto makeOutput = [](const std::string& file, int& readEnd) {
    if (!file.empty()) return OpenFile(file, O_WRONLY | O_CREAT | O_TRUNC);
    int p[2];
    if (::pipe2(p, O_CLOEXEC) != 0) return -1;
    readEnd = p[0];
    return p[1];
  };
  out = makeOutput(o.StdoutFile, s.Out);
  if (out >= 0 && o.StdoutClosedPipe) CloseFd(s.Out);
  if (out < 0) {
    closeChildEnds();
    return Fail(error, "make standard output");
  }
  err = makeOutput(o.StderrFile, s.Err);
  if (err < 0) {
    closeChildEnds();
    return Fail(error, "make standard error");
  }
  int report[2] = {-1, -1};
  if (o.ForegroundHolder && ::pipe2(report, O_CLOEXEC) < 0) {
    closeChildEnds();
    return Fail(error, "make the holder's pipe");
  }

  s.Pid = ::fork();
  if (s.Pid < 0) {
    closeChildEnds();
    CloseFd(report[0]);
    CloseFd(report[1]);
    return Fail(error, "fork");
  }
  if (s.Pid == 0) RunChild(o, s.Slave, in, out, err, report[1]);

  closeChildEnds();
  CloseFd(report[1]);
  if (o.ForegroundHolder) {
    pid_t holder = -1;
    ssize_t n;
    do n = ::read(report[0], &holder, sizeof holder);
    while (n < 0 && errno == EINTR);
    CloseFd(report[0]);
    if (n != sizeof holder) {
      errno = ECHILD;
      return Fail(error, "start the holder");
    }
    s.HolderPid = holder;
  }
  SetNonBlocking(s.Master);
  if (s.Out >= 0) SetNonBlocking(s.Out);
  if (s.Err >= 0) SetNonBlocking(s.Err);
  return true;
}

void Type(Session& s, std::string_view bytes) {
  auto deadline = Clock::now() + 10s;
  while (!bytes.empty() && Clock::now() < deadline) {
    ssize_t n = ::write(s.Master, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
    } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
      return;
    } else {
      // The terminal's input queue is full: let the command read on.
      Pump(s, kSliceMilliseconds);
    }
  }
}

bool WaitForText(Session& s, Where where, std::string_view text,
                 std::chrono::milliseconds timeout) {
  const std::string& sink = where == Where::Terminal ? s.Terminal
                            : where == Where::Stdout ? s.Stdout
                                                     : s.Stderr;
  auto deadline = Clock::now() + timeout;
  while (sink.find(text) == std::string::npos) {
    if (s.Ended) {
      // What it wrote last may still be on its way.
      while (Pump(s, static_cast<int>(kQuietAfterEnd.count()))) {
      }
      return sink.find(text) != std::string::npos;
    }
    if (Clock::now() >= deadline) return false;
    Pump(s, kSliceMilliseconds);
  }
  return true;
}

void Collect(Session& s, std::chrono::milliseconds duration) {
  auto deadline = Clock::now() + duration;
  while (Clock::now() < deadline) Pump(s, kSliceMilliseconds);
}

void Signal(Session& s, int signal) {
  if (!s.Ended && s.Pid > 0) (void)::kill(s.Pid, signal);  // a test checks the outcome, not this
}

bool WaitForStop(Session& s, std::chrono::milliseconds timeout) {
  auto deadline = Clock::now() + timeout;
  while (!s.Ended && Clock::now() < deadline) {
    int status = 0;
    pid_t r = ::waitpid(s.Pid, &status, WNOHANG | WUNTRACED);
    if (r == s.Pid) {
      if (WIFSTOPPED(status)) return true;
      s.Ended = true;
      s.WaitStatus = status;
      return false;
    }
    Pump(s, kSliceMilliseconds);
  }
  return false;
}

bool WaitForBlockedRead(Session& s, std::chrono::milliseconds timeout) {
  const std::string path = "/proc/" + std::to_string(s.Pid) + "/syscall";
  auto deadline = Clock::now() + timeout;
  while (!s.Ended && Clock::now() < deadline) {
    std::ifstream in(path);
    long number = -1;
    if (!(in >> number)) {
      Pump(s, 200);  // no /proc here: give the command time to get there
      return true;
    }
    if (number == SYS_read) return true;
    Pump(s, kSliceMilliseconds);
  }
  return false;
}

bool TakeForeground(Session& s, std::chrono::milliseconds timeout) {
  if (s.HolderPid <= 0 || ::kill(s.HolderPid, SIGUSR1) < 0) return false;
  auto deadline = Clock::now() + timeout;
  while (Clock::now() < deadline) {
    if (::tcgetpgrp(s.Master) == s.HolderPid) return true;
    Pump(s, kSliceMilliseconds);
  }
  return false;
}

Outcome Wait(Session& s, std::chrono::milliseconds timeout) {
  Outcome outcome;
  auto deadline = Clock::now() + timeout;
  while (!s.Ended && Clock::now() < deadline) Pump(s, kSliceMilliseconds);
  outcome.TimedOut = !s.Ended;
  KillAll(s);
  // Take in what is left: the terminal until it is quiet, the pipes to their
  // end unless something else still holds them open.
  auto drainUntil = Clock::now() + 5s;
  while (Clock::now() < drainUntil &&
         (Pump(s, static_cast<int>(kQuietAfterEnd.count())) || s.Out >= 0 || s.Err >= 0)) {
  }
  if (WIFEXITED(s.WaitStatus)) {
    outcome.Exited = true;
    outcome.Code = WEXITSTATUS(s.WaitStatus);
  } else if (WIFSIGNALED(s.WaitStatus)) {
    outcome.Signaled = true;
    outcome.Signal = WTERMSIG(s.WaitStatus);
  }
  return outcome;
}

termios TerminalModes(const Session& s) {
  termios modes{};
  (void)::tcgetattr(s.Slave, &modes);  // the slave stays open for the whole session
  return modes;
}

std::string Describe(const Outcome& o) {
  if (o.TimedOut) return "timeout";
  if (o.Exited) return "exit " + std::to_string(o.Code);
  if (o.Signaled) return "signal " + std::to_string(o.Signal) + " (" + ::strsignal(o.Signal) + ")";
  return "unknown";
}

}  // namespace pty
