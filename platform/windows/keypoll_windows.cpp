// Key polling on the standard input handle while a syntax-error report waits.
//
// A thread collects the console input events in the background. Looking at
// the pending events alone is not enough: wine's console takes keys from a
// Unix terminal only while somebody reads or waits for console input.
#include <atomic>

#include "platform/console.h"
#include "platform/windows/windows_internal.h"

namespace plat {
namespace {

HANDLE keyInput = nullptr;  // standard input, while it is a console being watched
HANDLE stopEvent = nullptr;
HANDLE collector = nullptr;
std::atomic<bool> keySeen{false};

// How long Stop waits for the collector to finish.
constexpr DWORD kCollectorStopWait = 1000;

// A key press that ends the wait: not a lone modifier or lock key, and not
// the dead keys 220 and 221 that yield no character by themselves.
bool Qualifies(const INPUT_RECORD& record) {
  if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) return false;
  switch (record.Event.KeyEvent.wVirtualKeyCode) {
    case VK_SHIFT: case VK_CONTROL: case VK_MENU:
    case VK_LSHIFT: case VK_RSHIFT: case VK_LCONTROL: case VK_RCONTROL: case VK_LMENU: case VK_RMENU:
    case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
      return false;
    case 220: case 221:
      return record.Event.KeyEvent.uChar.AsciiChar != 0;
    default:
      return true;
  }
}

// Waits for input events or the stop, and notes a qualifying key press. It
// reads only events that are there, so it never blocks in the read.
DWORD WINAPI Collect(void*) {
  const HANDLE waits[2] = {stopEvent, keyInput};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
    DWORD pending = 0;
    if (!GetNumberOfConsoleInputEvents(keyInput, &pending)) return 0;
    if (pending == 0) {
      Sleep(10);  // signalled with nothing to read: try again in a moment
      continue;
    }
    INPUT_RECORD records[64];
    DWORD got = 0;
    if (!ReadConsoleInputA(keyInput, records, pending < 64 ? pending : 64, &got)) return 0;
    for (DWORD i = 0; i < got; ++i)
      if (Qualifies(records[i])) keySeen = true;
  }
  return 0;
}

void Discard() {
  // Pending input that stays behind only reaches the next program.
  (void)FlushConsoleInputBuffer(keyInput);
}

// Discarding the keys typed before the wait: how long the console is first
// given to bring them in, how long it must then stay without input, and how
// often it is asked at most.
constexpr DWORD kFirstTypedAheadWait = 250;
constexpr DWORD kQuietBeforeWait = 50;
constexpr int kTypedAheadRounds = 20;

// wine's console takes what waits on a Unix terminal only when asked, and
// starts to read the terminal only a moment later, so it is asked until it
// has had nothing for a while.
void DiscardTypedAhead() {
  Discard();
  DWORD wait = kFirstTypedAheadWait;
  for (int round = 0; round < kTypedAheadRounds && WaitForSingleObject(keyInput, wait) == WAIT_OBJECT_0;
       ++round) {
    Discard();
    wait = kQuietBeforeWait;
  }
}

}  // namespace

void KeyPollStart() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD mode = 0;
  if (input == nullptr || input == INVALID_HANDLE_VALUE || !GetConsoleMode(input, &mode)) return;
  keyInput = input;
  DiscardTypedAhead();
  keySeen = false;
  stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (stopEvent != nullptr) collector = CreateThread(nullptr, 0, Collect, nullptr, 0, nullptr);
}

bool KeyPoll() { return keySeen; }

void KeyPollStop() {
  if (keyInput == nullptr) return;
  if (collector != nullptr) {
    (void)SetEvent(stopEvent);  // cannot fail on our own event
    (void)WaitForSingleObject(collector, kCollectorStopWait);  // it only ever waits
    (void)CloseHandle(collector);
    collector = nullptr;
  }
  if (stopEvent != nullptr) (void)CloseHandle(stopEvent);
  stopEvent = nullptr;
  Discard();
  keyInput = nullptr;
}

}  // namespace plat
