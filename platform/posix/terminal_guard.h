// Temporary terminal modes that are always put back.
//
// While a guard is engaged the terminal has modes of the program's own (echo
// off for a hidden read, single keys without echo for key polling). They are
// put back when the guard is released, and also when the run ends early: on
// SIGINT, SIGTERM, SIGHUP and SIGQUIT the modes are restored before the
// process ends by the same signal; Ctrl+Z (SIGTSTP) restores them before the
// process stops, and SIGCONT applies them again once the process is back in
// the foreground; a failed stream operation restores them before exit 217.
//
// All of it lives in plain static storage that is set before the handlers
// are installed, so the handlers only read it and make async-signal-safe
// calls. One guard at a time.
#pragma once

#include <termios.h>

namespace plat::posix {

// Saves the modes of the terminal `fd`, clears `clearLocal` in its local
// flags (with `singleKeys`, reads also return each byte at once: VMIN 1,
// VTIME 0), applies them with `action` (TCSANOW, or TCSAFLUSH to discard
// pending input too) and installs the handlers. Returns false, changing
// nothing, when `fd` is not a terminal. Failures are otherwise silent.
bool GuardEngage(int fd, tcflag_t clearLocal, bool singleKeys, int action);

// Puts the saved modes back with `action` and removes the handlers. Nothing
// happens when no guard is engaged.
void GuardRelease(int action);

// Puts the saved modes back without removing anything: for the way out of a
// failed stream operation. Async-signal-safe.
void GuardRestoreNow();

}  // namespace plat::posix
