// An in-memory implementation of platform/console.h for tests.
//
// It lets the whole program run inside a test process, again and again:
// the command line, the typed console bytes, the keys and the clock are
// scripted; standard output, standard error and the console output device are
// captured as bytes; the exit code and every console-mode change are recorded.
// Line ends are CR LF, as on Windows. Any stream operation can be made to fail,
// and ending the process throws fake::ProcessExit instead, so a test can catch
// it and look at what was written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/console.h"

namespace fake {

// Thrown by plat::ExitProcess() and plat::FailStream().
struct ProcessExit {
  int Code;
};

struct State {
  // Command line: argument 0 (the program path), the arguments, and the raw
  // text the report shows.
  std::string Arg0 = "D:\\Tools\\Quillet.exe";
  std::vector<std::string> Args;
  std::string RawCommandLine = "Quillet";

  // Console input: each ConsoleInRead() call hands out at most one chunk
  // (cut to the caller's buffer size, the rest kept for the next call). When
  // the chunks are used up, reads return 0 (end of input). A chunk is wiped
  // once it has been read whole.
  std::vector<std::string> ConsoleInput;

  // Keys: a key is pressed before key polling starts (type-ahead, which the
  // start discards), and/or during the pause with this 1-based number (0:
  // never).
  bool KeyTypedAhead = false;
  int KeyDuringPause = 0;

  // Captured output. ConsoleOut holds only what was flushed.
  std::string StdOut, StdErr, ConsoleOut;
  // Everything written to standard output and standard error, in order.
  std::string StdBoth;

  // Events, in order, one letter each, for tests of ordering:
  //   O open console out, F flush console out, M open mode handle, H hide, R restore,
  //   I open console in, r read, B beep, P pause, S/K/T key poll start/poll/stop
  std::string Events;
  int Beeps = 0;
  int Pauses = 0;
  bool ConsoleOutOpen = false;
  bool ModeHandleOpen = false;
  bool EchoOff = false;        // the console mode currently has echo cleared
  bool ConsoleInOpen = false;

  // Clock: Now() returns this; each Pause() moves it forward.
  plat::LocalTime Clock{2026, 12, 11, 9, 30, 0, 0};

  // Locale conventions.
  std::vector<std::string> MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string TimeSeparator = ":";

  // Fault injection: the stream operation with this 1-based number fails
  // (0: none). Stream operations are the opens, writes, flushes and reads.
  int FailOperation = 0;
  int StreamOperations = 0;  // counted so far
  std::string FailReason = "Input/output error";
  // The diagnostic of the failure, as written to StdErr.
  std::string FailureWhat;

  int ExitCode = 0;
  bool Exited = false;

  // Working state of the fake itself.
  std::string PendingConsoleOut;  // written to the console, not yet flushed
  std::size_t NextChunk = 0;        // index of the ConsoleInput chunk read next
  std::size_t ConsumedOfFront = 0;  // bytes of that chunk already read
  bool Polling = false;
  int PausesWhilePolling = 0;
};

// The one fake machine. Reset() gives it fresh defaults.
State& Machine();
void Reset();

}  // namespace fake
