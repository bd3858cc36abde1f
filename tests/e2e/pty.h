// A pseudo-terminal driver for end-to-end tests.
//
// Start() runs a command in a new session whose controlling terminal is a
// fresh pseudo-terminal, as a person at a terminal would run it: the pty is
// also its standard input unless a file is named, and its standard output and
// standard error go to pipes (or to named files). The test types bytes into
// the terminal, waits for text to show on it, sends signals, and collects what
// the terminal showed and what the two pipes received. Every read drains all
// three concurrently, so a command that writes a lot never blocks on a full
// pipe. The test keeps the terminal's slave side open, so the terminal modes
// can be read after the command has ended.
#pragma once

#include <sys/types.h>
#include <termios.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace pty {

using namespace std::chrono_literals;

struct Options {
  std::vector<std::string> Argv;  // Argv[0] is run as given, found on PATH
  std::string WorkingDir;         // empty: the test's own
  std::string StdinFile;          // empty: the terminal
  std::string StdoutFile;         // empty: a pipe
  std::string StderrFile;         // empty: a pipe
  bool StdoutClosedPipe = false;  // a pipe whose reading end is already closed
  // A second process group in the session, which can take the terminal's
  // foreground from the command (see TakeForeground).
  bool ForegroundHolder = false;
  // Typed before the command starts: it waits in the terminal's input queue.
  std::string TypeAhead;
  // A new session without a controlling terminal (the pty is still made,
  // and is standard input unless StdinFile is given, but /dev/tty fails).
  bool NoControllingTerminal = false;
};

// How the command ended.
struct Outcome {
  bool Exited = false;    // ended by exit(): Code holds the exit code
  int Code = -1;
  bool Signaled = false;  // ended by a signal: Signal holds it
  int Signal = 0;
  bool TimedOut = false;  // it did not end in time and was killed
};

// A running (or ended) command. The destructor kills whatever still runs and
// closes every descriptor.
struct Session {
  pid_t Pid = -1;
  pid_t HolderPid = -1;
  int Master = -1;
  int Slave = -1;
  int Out = -1;  // reading ends of the pipes, -1 once at end or not in use
  int Err = -1;
  std::string Terminal;  // everything the terminal showed so far
  std::string Stdout;
  std::string Stderr;
  bool Ended = false;
  int WaitStatus = 0;

  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;
  ~Session();
};

// Starts the command. Returns false, with the reason in `error`, when the
// terminal, the pipes or the process cannot be made; a command that cannot be
// executed ends with exit code 127.
bool Start(Session& session, const Options& options, std::string* error = nullptr);

// Types the bytes into the terminal, as a keyboard would.
void Type(Session& session, std::string_view bytes);

enum class Where { Terminal, Stdout, Stderr };

// Collects output until `where` has received `text` (since the start), the
// command has ended, or the time is up. True when the text came.
bool WaitForText(Session& session, Where where, std::string_view text,
                 std::chrono::milliseconds timeout = 10s);
inline bool WaitForTerminal(Session& session, std::string_view text,
                            std::chrono::milliseconds timeout = 10s) {
  return WaitForText(session, Where::Terminal, text, timeout);
}

// Collects output for the given time.
void Collect(Session& session, std::chrono::milliseconds duration);

// Sends a signal to the command.
void Signal(Session& session, int signal);

// Waits until the command has stopped (job control) or the time is up; true
// when it stopped.
bool WaitForStop(Session& session, std::chrono::milliseconds timeout = 10s);

// Waits until the command is blocked in a read (seen in /proc/<pid>/syscall;
// where that cannot be read, waits a moment instead). True when it is.
bool WaitForBlockedRead(Session& session, std::chrono::milliseconds timeout = 10s);

// Makes the holder's process group the terminal's foreground, so that the
// command now runs in the background. Needs Options::ForegroundHolder.
bool TakeForeground(Session& session, std::chrono::milliseconds timeout = 10s);

// Waits until the command has ended and both pipes are at their end,
// collecting everything; kills the command when the time is up.
Outcome Wait(Session& session, std::chrono::milliseconds timeout = 30s);

// The terminal's current modes, read through the slave side the test keeps.
termios TerminalModes(const Session& session);

// Describes an outcome for failure messages: "exit 0", "signal 2", "timeout".
std::string Describe(const Outcome& outcome);

}  // namespace pty
