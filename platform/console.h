// The console and process services that the program and the core unit use.
//
// This is the only door to the operating system. Three implementations exist
// and one is chosen when the program is linked:
//   platform/windows/  Win32 console and process calls
//   platform/posix/    the same contract on a POSIX terminal (/dev/tty)
//   platform/fake/     in memory, for tests (see platform/fake/fake_console.h)
//
// Stream operations test their own outcome: when a write, flush, open or read
// fails, the call does not return. It ends the process through FailStream()
// with one diagnostic on standard error and exit code 217, after putting the
// console input mode back if typing was hidden.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

// Exit code of a run that ended because a stream operation failed.
inline constexpr int kStreamFailureExitCode = 217;

// ---- Process start-up and command line -------------------------------------

// Stores the raw command line and the argument list. Runs once, first.
// POSIX takes argc/argv; Windows reads GetCommandLineA and ignores them.
void Startup(int argc, char** argv);

// Number of arguments after the program name.
int ArgCount();
// 0 gives the program file's full path; 1..ArgCount() the arguments; any
// other index an empty text.
std::string Arg(int index);
// The command line as the system handed it over (POSIX: rebuilt from argv).
const std::string& RawCommandLine();

// The line end of every text the program writes: CR LF on Windows (and in the
// fake), LF on POSIX.
std::string_view LineEnd();

// ---- Standard output and standard error ------------------------------------

enum class StdStream { Output, Error };

// Writes all bytes to the handle before returning.
void WriteStd(StdStream stream, std::string_view bytes);

// ---- Console devices ---------------------------------------------------------

// The console output device ("CONOUT$", POSIX /dev/tty). Text written is held
// until ConsoleOutFlush().
void OpenConsoleOut();
void ConsoleOutWrite(std::string_view bytes);
void ConsoleOutFlush();
// How many characters the text shows as on the console: the number of
// backspaces that step back over it (POSIX: UTF-8 continuation bytes do not
// count; Windows: characters of the ANSI code page).
std::size_t ConsoleCharCount(std::string_view text);

// The handle used only to read and change the console input mode. Opening it
// may fail silently; the mode calls then do nothing.
void OpenModeHandle();
// Saves the input mode and switches echo off. Until RestoreTyping() the saved
// mode is put back on every early end (interrupt, termination, failure exit).
void HideTyping();
// Sets the saved mode back; does nothing when typing was not hidden.
void RestoreTyping();

// The console input device ("CONIN$", POSIX /dev/tty).
void OpenConsoleIn();
// Reads up to `size` bytes of the current line into `buffer` and returns how
// many; 0 means the input has ended. Bytes that held typed text inside the
// platform layer are wiped before the call returns.
std::size_t ConsoleInRead(char* buffer, std::size_t size);

// ---- Sound, time, keys -------------------------------------------------------

void Beep();
void Pause(unsigned milliseconds);

// Key polling on standard input: Start discards pending input and begins to
// watch; Poll tells whether a key has been pressed since; Stop ends watching
// and discards pending input again. Without a console nothing is ever seen.
void KeyPollStart();
bool KeyPoll();
void KeyPollStop();

struct LocalTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};
LocalTime Now();

// Conventions of the system default locale used for dates: abbreviated month
// names (month 1..12) and the time separator.
std::string ShortMonthName(int month);
std::string TimeSeparator();

// Option matching: whole texts equal, letter case ignored (Windows: the user's
// default locale; elsewhere ASCII letters).
bool TextEqualNoCase(std::string_view a, std::string_view b);
// Whether TextEqualNoCase is the ASCII comparison, so that texts of different
// lengths, or with a differing byte other than a letter's case, are never
// equal and a caller may rule them out without the call. The Windows locale
// comparison may ignore or expand characters: there every call is made.
extern const bool kTextEqualIsAscii;

// ---- Exit and failure --------------------------------------------------------

// The process exit code that ExitProcess() reports; 0 until set.
void SetExitCode(int code);
int ExitCode();

// Flushes nothing (every write has already reached its handle) and ends the
// process with `code`.
[[noreturn]] void ExitProcess(int code);

// Ends the run after a failed stream operation: restores a hidden console
// mode, writes "<program>: <what>: <reason>" and a line end to standard error
// and exits with kStreamFailureExitCode. `what` names the operation,
// `reason` is the system's explanation.
[[noreturn]] void FailStream(std::string_view what, std::string_view reason);

// Overwrites memory in a way the compiler may not remove.
void WipeMemory(void* data, std::size_t size);

}  // namespace plat
