// Process start-up, the command line, the exit code, and the end of a run by
// Ctrl+C, Ctrl+Break or a closed console window.
#include <string>
#include <vector>

#include "platform/arguments.h"
#include "platform/cmdline.h"
#include "platform/console.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

int exitCode = 0;

// Set by the control handler once it has begun to end the process.
HANDLE interruptEvent = nullptr;

// The module path however long it is: a cut path would give the program a
// wrong name and directory.
std::string ModulePath() {
  std::string path(MAX_PATH, '\0');
  while (path.size() <= 1u << 20) {
    const DWORD size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
  return {};
}

// Runs on a thread of its own. Puts a hidden console mode back and ends the
// process itself, with the code Windows gives an interrupted program: a read
// cut short by the interrupt must not go on to report an empty line as
// success, and wine's own default handling would end the process with 0.
BOOL WINAPI ControlHandler(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      // The event comes first: the read that ends next must see it.
      if (interruptEvent != nullptr) (void)SetEvent(interruptEvent);  // best effort: we exit next
      win::EndPendingRead();
      win::RestoreTypingForExit();
      ::ExitProcess(win::kInterruptExitCode);
    default:
      return FALSE;
  }
}

}  // namespace

namespace win {

bool Interrupted(DWORD milliseconds) {
  return interruptEvent != nullptr &&
         WaitForSingleObject(interruptEvent, milliseconds) == WAIT_OBJECT_0;
}

}  // namespace win

void Startup(int, char**) {
  interruptEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  // Without the handler an interrupt still ends the run, only without the
  // console mode put back; nothing better can be done about a failure here.
  (void)SetConsoleCtrlHandler(ControlHandler, TRUE);

  const char* raw = GetCommandLineA();
  std::string rawCommandLine = raw != nullptr ? raw : "";
  std::vector<std::string> arguments = SplitCommandLine(rawCommandLine);
  KeepArguments(ModulePath(), std::move(arguments), std::move(rawCommandLine));
}

std::string_view LineEnd() { return "\r\n"; }

void SetExitCode(int code) { exitCode = code; }
int ExitCode() { return exitCode; }

void ExitProcess(int code) {
  win::RestoreTypingForExit();
  ::ExitProcess(static_cast<UINT>(code));
}

}  // namespace plat
