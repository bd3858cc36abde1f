// The console input device and its mode: one line read from "CONIN$", with
// the typing hidden on request.
#include <atomic>
#include <cstring>

#include "platform/console.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

// ---- Console mode ----

HANDLE modeHandle = INVALID_HANDLE_VALUE;
// Hiding and restoring may race with the control handler's thread.
SRWLOCK modeLock = SRWLOCK_INIT;
DWORD savedMode = 0;
bool typingHidden = false;
bool ending = false;

void SetSavedMode() {
  if (!typingHidden) return;
  typingHidden = false;
  // A failure leaves the typing hidden; there is nothing else to try.
  (void)SetConsoleMode(modeHandle, savedMode);
}

// ---- Console input ----

HANDLE consoleIn = INVALID_HANDLE_VALUE;
bool consoleInIsConsole = false;

// Characters asked for in one ReadConsoleW call, and room for them in any
// code page: GB 18030 takes up to four bytes for one UTF-16 unit.
constexpr DWORD kWideChars = 1024;
constexpr std::size_t kBytesSize = kWideChars * 4;

wchar_t wideText[kWideChars];
char byteText[kBytesSize];
// The converted bytes that the caller has not taken yet.
std::size_t carryBegin = 0;
std::size_t carryEnd = 0;
// The first half of a surrogate pair whose second half the next read brings.
wchar_t heldHalf = 0;

// How long a read that an interrupt cut short waits for the control handler
// to end the process.
constexpr DWORD kInterruptGrace = 2000;

// Whether the main thread is inside ReadConsoleW, and the event it sets when
// the call has returned: the control handler waits for it.
std::atomic<bool> reading{false};
HANDLE readEnded = nullptr;

// How long the control handler lets a pending read end by itself (Windows
// ends it with the interrupt), and then after pressing Enter for it.
constexpr DWORD kReadEndWait = 200;
constexpr DWORD kEnterWait = 2000;

[[noreturn]] void FailRead(DWORD error) {
  FailStream("read from console input device", win::SystemMessage(error));
}

// Ctrl+C ends the pending read with no characters (or an error), while the
// control handler runs on another thread: the read must not come back as an
// empty line, so it waits for the handler to end the process. A read that
// the handler ended with Enter holds typed text, which goes nowhere.
void StopIfInterrupted(bool cutShort) {
  if (!win::Interrupted(cutShort ? kInterruptGrace : 0)) return;
  WipeMemory(wideText, sizeof wideText);
  for (;;) Sleep(INFINITE);
}

// Types Enter into the console, as a key press and its release.
void PressEnter() {
  INPUT_RECORD keys[2] = {};
  for (INPUT_RECORD& key : keys) {
    key.EventType = KEY_EVENT;
    key.Event.KeyEvent.wRepeatCount = 1;
    key.Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
    key.Event.KeyEvent.wVirtualScanCode = 0x1C;
    key.Event.KeyEvent.uChar.UnicodeChar = L'\r';
  }
  keys[0].Event.KeyEvent.bKeyDown = TRUE;
  HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD written = 0;
  // Should it fail, the read stays pending and the process ends all the
  // same. The handle ends with the process, moments later.
  (void)WriteConsoleInputW(input, keys, 2, &written);
}

// The console's output code page, in which the line goes to standard output.
UINT LineCodePage() {
  const UINT codePage = GetConsoleOutputCP();
  return codePage != 0 ? codePage : CP_ACP;
}

// Reads characters from the console into byteText; false at the end of the
// input.
bool Refill() {
  DWORD units = 0;
  while (units == 0) {
    if (heldHalf != 0) {
      wideText[0] = heldHalf;
      heldHalf = 0;
      units = 1;
    }
    DWORD read = 0;
    (void)ResetEvent(readEnded);  // it only marks the end of this read
    reading = true;
    const BOOL ok = ReadConsoleW(consoleIn, wideText + units, kWideChars - units, &read, nullptr);
    const DWORD error = ok ? 0 : GetLastError();
    reading = false;
    (void)SetEvent(readEnded);  // the handler waits at most a moment without it
    StopIfInterrupted(!ok || read == 0);
    if (!ok) {
      WipeMemory(wideText, sizeof wideText);
      FailRead(error);
    }
    if (read == 0) break;
    units += read;
    if (IS_HIGH_SURROGATE(wideText[units - 1])) heldHalf = wideText[--units];
  }
  if (units == 0) return false;

  const int length = WideCharToMultiByte(LineCodePage(), 0, wideText, static_cast<int>(units),
                                         byteText, static_cast<int>(kBytesSize), nullptr, nullptr);
  const DWORD error = length > 0 ? 0 : GetLastError();
  WipeMemory(wideText, sizeof wideText);
  if (length <= 0) FailRead(error);
  carryBegin = 0;
  carryEnd = static_cast<std::size_t>(length);
  return true;
}

std::size_t ReadBytes(char* buffer, std::size_t size) {
  DWORD read = 0;
  const DWORD ask = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  const BOOL ok = ReadFile(consoleIn, buffer, ask, &read, nullptr);
  const DWORD error = ok ? 0 : GetLastError();
  StopIfInterrupted(!ok || read == 0);
  if (!ok && error != ERROR_BROKEN_PIPE && error != ERROR_HANDLE_EOF) FailRead(error);
  return read;
}

}  // namespace

void OpenModeHandle() {
  modeHandle = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
}

void HideTyping() {
  AcquireSRWLockExclusive(&modeLock);
  DWORD mode = 0;
  if (!ending && modeHandle != INVALID_HANDLE_VALUE && GetConsoleMode(modeHandle, &mode)) {
    savedMode = mode;
    typingHidden = true;
    // A failure leaves the typing visible, which the caller accepts.
    (void)SetConsoleMode(modeHandle, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  }
  ReleaseSRWLockExclusive(&modeLock);
}

void RestoreTyping() {
  AcquireSRWLockExclusive(&modeLock);
  SetSavedMode();
  ReleaseSRWLockExclusive(&modeLock);
}

// wine's console keeps a read pending after its process has ended, with the
// characters typed so far: they show when echo comes back on, and the next
// line typed goes to the ended process instead of the next program. So the
// read is ended first, with Enter when it does not end by itself.
void win::EndPendingRead() {
  if (!reading || readEnded == nullptr) return;
  if (WaitForSingleObject(readEnded, kReadEndWait) == WAIT_OBJECT_0) return;
  PressEnter();
  (void)WaitForSingleObject(readEnded, kEnterWait);  // then the process ends all the same
}

void win::RestoreTypingForExit() {
  AcquireSRWLockExclusive(&modeLock);
  SetSavedMode();
  ending = true;
  ReleaseSRWLockExclusive(&modeLock);
}

void OpenConsoleIn() {
  consoleIn = CreateFileW(L"CONIN$", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, 0, nullptr);
  if (consoleIn == INVALID_HANDLE_VALUE)
    FailStream("open console input device", win::SystemMessage(GetLastError()));
  readEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD mode = 0;
  consoleInIsConsole = GetConsoleMode(consoleIn, &mode) != 0;
}

std::size_t ConsoleInRead(char* buffer, std::size_t size) {
  if (size == 0) return 0;
  if (!consoleInIsConsole) return ReadBytes(buffer, size);
  if (carryBegin == carryEnd && !Refill()) return 0;
  const std::size_t count = size < carryEnd - carryBegin ? size : carryEnd - carryBegin;
  std::memcpy(buffer, byteText + carryBegin, count);
  WipeMemory(byteText + carryBegin, count);
  carryBegin += count;
  return count;
}

}  // namespace plat
