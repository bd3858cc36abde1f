// The standard output and error handles, and the end of a run after a failed
// stream operation.
#include <string>

#include "platform/console.h"
#include "platform/diagnostic.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

// Writes every byte, in as many WriteFile calls as the handle needs; false
// with the error code when one fails or the handle takes nothing.
bool WriteAll(HANDLE handle, std::string_view bytes, DWORD& error) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr)) {
      error = GetLastError();
      return false;
    }
    if (written == 0) {
      error = ERROR_WRITE_FAULT;
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

namespace win {

std::string SystemMessage(DWORD code) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == ' ' || text[length - 1] == '.'))
    --length;
  if (length == 0) return "system error " + std::to_string(code);
  return std::string(text, length);
}

}  // namespace win

void WriteStd(StdStream stream, std::string_view bytes) {
  if (bytes.empty()) return;
  const bool output = stream == StdStream::Output;
  const HANDLE handle = GetStdHandle(output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  DWORD error = ERROR_INVALID_HANDLE;
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !WriteAll(handle, bytes, error))
    FailStream(output ? "write to standard output" : "write to standard error",
               win::SystemMessage(error));
}

void FailStream(std::string_view what, std::string_view reason) {
  win::RestoreTypingForExit();
  std::string line = FailureDiagnostic(Arg(0), what, reason);
  line += LineEnd();
  DWORD error = 0;
  // When standard error fails too, there is nowhere left to tell it: the exit
  // code alone reports the failure.
  (void)WriteAll(GetStdHandle(STD_ERROR_HANDLE), line, error);
  ::ExitProcess(kStreamFailureExitCode);
}

}  // namespace plat
