// Beep, pause and key polling on the terminal.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/console.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/terminal_guard.h"

namespace plat {

namespace {
bool polling = false;
}

void Beep() {
  int fd = posix::OpenTerminal(O_WRONLY);
  if (fd < 0) return;
  (void)::write(fd, "\a", 1);  // a beep that cannot sound is no failure
  (void)::close(fd);
}

void Pause(unsigned milliseconds) {
  timespec left{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (::nanosleep(&left, &left) < 0 && errno == EINTR) {
  }
}

void KeyPollStart() {
  polling = false;
  // Only a terminal on standard input has keys, and only for the process in
  // its foreground: a background job does not own the keyboard.
  if (!::isatty(STDIN_FILENO) || ::tcgetpgrp(STDIN_FILENO) != ::getpgrp()) return;
  // Each key is then a byte of its own, unseen; TCSAFLUSH discards the
  // input typed before the wait.
  polling = posix::GuardEngage(STDIN_FILENO, ICANON | ECHO, true, TCSAFLUSH);
}

bool KeyPoll() {
  if (!polling) return false;
  pollfd input{STDIN_FILENO, POLLIN, 0};
  int ready;
  do ready = ::poll(&input, 1, 0);
  while (ready < 0 && errno == EINTR);
  return ready > 0 && (input.revents & POLLIN) != 0;
}

void KeyPollStop() {
  if (!polling) return;
  polling = false;
  // TCSAFLUSH again: the key that ended the wait never reaches the shell.
  posix::GuardRelease(TCSAFLUSH);
}

}  // namespace plat
