// Pieces shared by the files of the POSIX platform layer.
#pragma once

#include <string_view>

namespace plat::posix {

// Opens the controlling terminal, /dev/tty, close-on-exec, at descriptor 3 or
// above: were 0, 1 or 2 closed at start, the terminal must not take their
// place and receive what belongs to a standard stream. -1 on failure, with
// errno set.
int OpenTerminal(int flags);

// Writes all bytes to `fd`, over partial writes and interruptions; a failure
// ends the run through FailStream(what, reason).
void WriteAll(int fd, std::string_view bytes, std::string_view what);

// Argument 0 (the program file's full path), for the diagnostic's name.
const char* ProgramFile();

}  // namespace plat::posix
