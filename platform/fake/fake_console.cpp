#include "platform/fake/fake_console.h"

#include <algorithm>
#include <cstring>

#include "platform/diagnostic.h"

namespace fake {

namespace {
State machine;
}

State& Machine() { return machine; }
void Reset() { machine = State{}; }

}  // namespace fake

namespace plat {

using fake::machine;

namespace {

// Counts one stream operation and fails it when the test asked for that.
void StreamOperation(std::string_view what) {
  ++machine.StreamOperations;
  if (machine.FailOperation == machine.StreamOperations)
    FailStream(what, machine.FailReason);
}

void AdvanceClock(unsigned milliseconds) {
  LocalTime& t = machine.Clock;
  long long ms = t.Millisecond + 1000LL * (t.Second + 60LL * (t.Minute + 60LL * t.Hour)) +
                 milliseconds;
  t.Millisecond = static_cast<int>(ms % 1000);
  t.Second = static_cast<int>(ms / 1000 % 60);
  t.Minute = static_cast<int>(ms / 60000 % 60);
  t.Hour = static_cast<int>(ms / 3600000 % 24);  // tests never cross midnight
}

}  // namespace

void Startup(int, char**) {}

int ArgCount() { return static_cast<int>(machine.Args.size()); }

std::string Arg(int index) {
  if (index == 0) return machine.Arg0;
  if (index < 0 || index > ArgCount()) return {};
  return machine.Args[static_cast<std::size_t>(index - 1)];
}

const std::string& RawCommandLine() { return machine.RawCommandLine; }

std::string_view LineEnd() { return "\r\n"; }

void WriteStd(StdStream stream, std::string_view bytes) {
  StreamOperation(stream == StdStream::Output ? "write to standard output"
                                              : "write to standard error");
  (stream == StdStream::Output ? machine.StdOut : machine.StdErr).append(bytes);
  machine.StdBoth.append(bytes);
}

void OpenConsoleOut() {
  machine.Events += 'O';
  StreamOperation("open console output device");
  machine.ConsoleOutOpen = true;
  machine.PendingConsoleOut.clear();
}

void ConsoleOutWrite(std::string_view bytes) {
  StreamOperation("write to console output device");
  machine.PendingConsoleOut.append(bytes);
}

void ConsoleOutFlush() {
  machine.Events += 'F';
  StreamOperation("flush console output device");
  machine.ConsoleOut += machine.PendingConsoleOut;
  machine.PendingConsoleOut.clear();
}

std::size_t ConsoleCharCount(std::string_view text) { return text.size(); }

void OpenModeHandle() {
  machine.Events += 'M';
  machine.ModeHandleOpen = true;
}

void HideTyping() {
  machine.Events += 'H';
  if (machine.ModeHandleOpen) machine.EchoOff = true;
}

void RestoreTyping() {
  if (!machine.EchoOff) return;
  machine.Events += 'R';
  machine.EchoOff = false;
}

void OpenConsoleIn() {
  machine.Events += 'I';
  StreamOperation("open console input device");
  machine.ConsoleInOpen = true;
}

std::size_t ConsoleInRead(char* buffer, std::size_t size) {
  machine.Events += 'r';
  StreamOperation("read from console input device");
  auto& chunks = machine.ConsoleInput;
  if (machine.NextChunk >= chunks.size() || size == 0) return 0;
  std::string& chunk = chunks[machine.NextChunk];
  std::size_t n = std::min(size, chunk.size() - machine.ConsumedOfFront);
  std::memcpy(buffer, chunk.data() + machine.ConsumedOfFront, n);
  machine.ConsumedOfFront += n;
  if (machine.ConsumedOfFront == chunk.size()) {
    // Like a console, the fake keeps no copy of what was typed once it has
    // been read; tests that look for leftovers of a secret rely on that.
    WipeMemory(chunk.data(), chunk.size());
    ++machine.NextChunk;
    machine.ConsumedOfFront = 0;
  }
  return n;
}

void Beep() {
  machine.Events += 'B';
  ++machine.Beeps;
}

void Pause(unsigned milliseconds) {
  machine.Events += 'P';
  ++machine.Pauses;
  if (machine.Polling) ++machine.PausesWhilePolling;
  AdvanceClock(milliseconds);
}

void KeyPollStart() {
  machine.Events += 'S';
  machine.KeyTypedAhead = false;  // discarded, never ends the wait
  machine.PausesWhilePolling = 0;
  machine.Polling = true;
}

bool KeyPoll() {
  machine.Events += 'K';
  return machine.Polling && machine.KeyDuringPause > 0 && machine.PausesWhilePolling >= machine.KeyDuringPause;
}

void KeyPollStop() {
  machine.Events += 'T';
  machine.Polling = false;
}

LocalTime Now() { return machine.Clock; }

std::string ShortMonthName(int month) {
  if (month < 1 || month > static_cast<int>(machine.MonthNames.size())) return {};
  return machine.MonthNames[static_cast<std::size_t>(month - 1)];
}

std::string TimeSeparator() { return machine.TimeSeparator; }

const bool kTextEqualIsAscii = true;
bool TextEqualNoCase(std::string_view a, std::string_view b) { return AsciiEqualNoCase(a, b); }

void SetExitCode(int code) { machine.ExitCode = code; }
int ExitCode() { return machine.ExitCode; }

void ExitProcess(int code) {
  machine.ExitCode = code;
  machine.Exited = true;
  throw fake::ProcessExit{code};
}

void FailStream(std::string_view what, std::string_view reason) {
  RestoreTyping();
  machine.FailureWhat = std::string(what);
  std::string line = FailureDiagnostic(machine.Arg0, what, reason);
  line += LineEnd();
  machine.StdErr += line;
  machine.StdBoth += line;
  ExitProcess(kStreamFailureExitCode);
}

void WipeMemory(void* data, std::size_t size) {
  volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
  while (size--) *p++ = 0;
}

}  // namespace plat
