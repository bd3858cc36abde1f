// Hiding the typing of a line read from the terminal.
#include <fcntl.h>
#include <termios.h>

#include "platform/console.h"
#include "platform/posix/posix_io.h"
#include "platform/posix/terminal_guard.h"

namespace plat {

namespace {
int modeHandle = -1;
}

void OpenModeHandle() {
  // Without a terminal the typing simply stays as it is.
  modeHandle = posix::OpenTerminal(O_RDWR);
}

void HideTyping() {
  // ECHONL goes too, so that not even Enter shows. TCSANOW keeps what was
  // typed ahead: it is the start of the line.
  (void)posix::GuardEngage(modeHandle, ECHO | ECHONL, false, TCSANOW);  // false: no terminal, nothing to hide
}

void RestoreTyping() { posix::GuardRelease(TCSANOW); }

}  // namespace plat
