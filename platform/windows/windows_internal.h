// What the pieces of the Windows platform layer share among themselves.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace plat::win {

// The exit code of a process ended by Ctrl+C, Ctrl+Break or a closed console.
inline constexpr UINT kInterruptExitCode = 0xC000013A;

// The system's text for an error code, without the line end and final dot.
std::string SystemMessage(DWORD code);

// Ends a console read that the main thread still waits in, so that the
// process can end. Called by the control handler.
void EndPendingRead();

// Puts a hidden console mode back for good: the process is about to end, and
// no later call may hide the typing again.
void RestoreTypingForExit();

// Whether the console control handler has begun to end the process, waiting
// up to `milliseconds` for it.
bool Interrupted(DWORD milliseconds);

}  // namespace plat::win
