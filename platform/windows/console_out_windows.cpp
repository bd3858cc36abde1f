// The console output device: the prompt and the backspaces after a hidden
// read.
#include <string>

#include "platform/console.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

constexpr std::size_t kConsoleOutBufferSize = 256;

HANDLE consoleOut = INVALID_HANDLE_VALUE;
std::string pending;
// Cleared when the device refuses console writes (it is then no console),
// after which the bytes go out as they are.
bool writeAsConsole = true;

// The text in UTF-16 as the ANSI code page reads it.
std::wstring FromAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  (void)MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);  // sized above
  return wide;
}

void WriteBytes(std::string_view bytes, const char* what) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(consoleOut, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
      FailStream(what, win::SystemMessage(GetLastError()));
    if (written == 0) FailStream(what, win::SystemMessage(ERROR_WRITE_FAULT));
    bytes.remove_prefix(written);
  }
}

// Writes the text as characters, so that a console whose output code page is
// not the ANSI one still shows what the script wrote. False when the handle
// is no console.
bool WriteCharacters(std::string_view bytes, const char* what) {
  const std::wstring wide = FromAnsi(bytes);
  std::wstring_view rest = wide;
  while (!rest.empty()) {
    DWORD written = 0;
    if (!WriteConsoleW(consoleOut, rest.data(), static_cast<DWORD>(rest.size()), &written, nullptr)) {
      const DWORD error = GetLastError();
      if (error == ERROR_INVALID_HANDLE && rest.size() == wide.size()) return false;
      FailStream(what, win::SystemMessage(error));
    }
    if (written == 0) FailStream(what, win::SystemMessage(ERROR_WRITE_FAULT));
    rest.remove_prefix(written);
  }
  return true;
}

void Drain(const char* what) {
  if (pending.empty()) return;
  if (writeAsConsole && !WriteCharacters(pending, what)) writeAsConsole = false;
  if (!writeAsConsole) WriteBytes(pending, what);
  pending.clear();
}

}  // namespace

void OpenConsoleOut() {
  consoleOut = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
  if (consoleOut == INVALID_HANDLE_VALUE)
    FailStream("open console output device", win::SystemMessage(GetLastError()));
  pending.reserve(kConsoleOutBufferSize);
}

// Texts are kept whole, so a character is never split between two writes.
void ConsoleOutWrite(std::string_view bytes) {
  pending.append(bytes);
  if (pending.size() >= kConsoleOutBufferSize) Drain("write to console output device");
}

void ConsoleOutFlush() { Drain("flush console output device"); }

std::size_t ConsoleCharCount(std::string_view text) {
  std::size_t count = 0;
  for (wchar_t unit : FromAnsi(text))
    if (unit < 0xDC00 || unit > 0xDFFF) ++count;  // a surrogate pair is one character
  return count;
}

}  // namespace plat
