#include "platform/posix/terminal_guard.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace plat::posix {

namespace {

// The signals the guard answers. All of them are blocked while one of its
// handlers runs, so that the handlers never interleave.
constexpr int kHandled[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP, SIGCONT};
constexpr int kHandledCount = sizeof kHandled / sizeof kHandled[0];

struct GuardState {
  int Fd = -1;
  termios Saved{};  // the modes to put back
  tcflag_t ClearLocal = 0;
  bool SingleKeys = false;
  volatile sig_atomic_t Engaged = 0;  // the program wants its own modes
  volatile sig_atomic_t Applied = 0;  // the terminal has them now
  struct sigaction Previous[kHandledCount] = {};
  bool Installed[kHandledCount] = {};
};

GuardState guard;

sigset_t SetOf(int signal) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  return set;
}

sigset_t HandledSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kHandled) sigaddset(&set, signal);
  return set;
}

int SetModes(const termios& modes, int action) {
  int result;
  do result = ::tcsetattr(guard.Fd, action, &modes);
  while (result < 0 && errno == EINTR);
  return result;
}

// Gives the terminal the program's modes, unless it has them or the process
// is not in the terminal's foreground: a background process would be stopped
// (or, with no shell left to resume it, refused). When the job is brought to
// the foreground, SIGCONT comes and this runs again. The modes found are the
// ones to put back: while the process was stopped, the user may have changed
// them.
void Apply(int action) {
  if (!guard.Engaged || guard.Applied) return;
  if (::tcgetpgrp(guard.Fd) != ::getpgrp()) return;
  termios found;
  if (::tcgetattr(guard.Fd, &found) < 0) return;
  termios changed = found;
  changed.c_lflag &= ~guard.ClearLocal;
  if (guard.SingleKeys) {
    changed.c_cc[VMIN] = 1;
    changed.c_cc[VTIME] = 0;
  }
  guard.Saved = found;
  if (SetModes(changed, action) == 0) guard.Applied = 1;
}

// Puts the saved modes back. SIGTTOU is blocked meanwhile: a process moved to
// the background is then allowed to change the modes, instead of being
// stopped in the middle of a restore that has to happen.
void PutBack(int action) {
  if (!guard.Applied) return;
  sigset_t ttou = SetOf(SIGTTOU), before;
  (void)::sigprocmask(SIG_BLOCK, &ttou, &before);  // cannot fail with valid arguments
  // A failure leaves the modes as they are; nothing better can be done.
  (void)SetModes(guard.Saved, action);
  (void)::sigprocmask(SIG_SETMASK, &before, nullptr);
  guard.Applied = 0;
}

void SetDefaultAction(int signal) {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  (void)::sigaction(signal, &action, nullptr);  // cannot fail for these signals
}

// Raises the signal with its default action in force and unblocked.
void RaiseDefault(int signal) {
  SetDefaultAction(signal);
  sigset_t set = SetOf(signal);
  (void)::sigprocmask(SIG_UNBLOCK, &set, nullptr);
  (void)::raise(signal);  // cannot fail for a valid signal
}

void OnEnd(int signal) {
  PutBack(TCSANOW);
  RaiseDefault(signal);
  ::_exit(128 + signal);  // not reached: the default action ends the process
}

void OnContinue(int) {
  int savedErrno = errno;
  Apply(TCSANOW);
  errno = savedErrno;
}

void Install(int index);

void OnStop(int) {
  int savedErrno = errno;
  PutBack(TCSANOW);
  RaiseDefault(SIGTSTP);
  // Back after SIGCONT, or at once when the kernel discarded the stop (a
  // process group that no shell watches). The handler is made ours again
  // with SIGTSTP blocked, so that a second Ctrl+Z waits for this one.
  sigset_t set = SetOf(SIGTSTP);
  (void)::sigprocmask(SIG_BLOCK, &set, nullptr);
  for (int i = 0; i < kHandledCount; ++i)
    if (kHandled[i] == SIGTSTP) Install(i);
  Apply(TCSANOW);
  errno = savedErrno;
}

void Install(int index) {
  int signal = kHandled[index];
  struct sigaction action {};
  action.sa_handler = signal == SIGTSTP ? OnStop : signal == SIGCONT ? OnContinue : OnEnd;
  action.sa_mask = HandledSet();
  // The read of the line goes on after Ctrl+Z and the return to the
  // foreground.
  action.sa_flags = SA_RESTART;
  (void)::sigaction(signal, &action, nullptr);  // cannot fail for these signals
}

}  // namespace

bool GuardEngage(int fd, tcflag_t clearLocal, bool singleKeys, int action) {
  termios probe;
  if (fd < 0 || ::tcgetattr(fd, &probe) < 0) return false;
  if (guard.Engaged) GuardRelease(TCSANOW);

  sigset_t handled = HandledSet(), before;
  (void)::sigprocmask(SIG_BLOCK, &handled, &before);  // cannot fail with valid arguments
  guard.Fd = fd;
  guard.ClearLocal = clearLocal;
  guard.SingleKeys = singleKeys;
  guard.Applied = 0;
  guard.Engaged = 1;
  for (int i = 0; i < kHandledCount; ++i) {
    (void)::sigaction(kHandled[i], nullptr, &guard.Previous[i]);  // only reads
    // A signal the caller had ignored (nohup, a shell without job control)
    // stays ignored; SIGCONT resumes the process whatever its handler.
    guard.Installed[i] = kHandled[i] == SIGCONT || guard.Previous[i].sa_handler != SIG_IGN;
    if (guard.Installed[i]) Install(i);
  }
  Apply(action);
  (void)::sigprocmask(SIG_SETMASK, &before, nullptr);
  return true;
}

void GuardRelease(int action) {
  if (!guard.Engaged) return;
  sigset_t handled = HandledSet(), before;
  (void)::sigprocmask(SIG_BLOCK, &handled, &before);
  PutBack(action);
  for (int i = 0; i < kHandledCount; ++i) {
    if (guard.Installed[i]) (void)::sigaction(kHandled[i], &guard.Previous[i], nullptr);
    guard.Installed[i] = false;
  }
  guard.Engaged = 0;
  // A signal that came meanwhile now meets the previous action, with the
  // modes already back.
  (void)::sigprocmask(SIG_SETMASK, &before, nullptr);
}

void GuardRestoreNow() { PutBack(TCSANOW); }

}  // namespace plat::posix
