#include "app/line_input.h"

#include <cstring>

#include "app/app_state.h"
#include "core/state.h"
#include "platform/console.h"

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = 26;  // Ctrl+Z

// Reads one line from the console input device into InputLine: every byte up
// to the first CR, LF or Ctrl+Z, through as many buffer refills as the line
// needs. After a CR an LF that directly follows in the buffer is consumed
// with it; no refill is made only for that, because it would block waiting
// for a further line and the rest of the input is never read anyway.
void ReadConsoleLine() {
  InputLine.clear();
  while (true) {
    const std::size_t length = plat::ConsoleInRead(ConsoleInBuffer, kConsoleInBufferSize);
    if (length == 0) return;  // the input ended: what was read is the line
    const char* begin = ConsoleInBuffer;
    const char* end = begin + length;
    const char* stop = begin;
    while (stop != end && *stop != kCarriageReturn && *stop != kLineFeed && *stop != kEndOfFile)
      ++stop;
    InputLine.append(begin, stop);
    if (stop != end) return;
  }
}

void WritePromptBackspaces() {
  const std::size_t count = plat::ConsoleCharCount(PromptParam.Value);
  if (count == 0) return;
  plat::ConsoleOutWrite(std::string(count, '\b'));
  plat::ConsoleOutFlush();
}

}  // namespace

bool RunLineInput() {
  plat::OpenConsoleOut();

  // Echo goes off before the prompt appears, so nothing typed (or pasted)
  // as soon as the prompt shows can be echoed.
  const bool hidden = QuietParam.Found;
  if (hidden) {
    plat::OpenModeHandle();
    plat::HideTyping();
  }

  if (PromptParam.Found && !PromptParam.Value.empty()) {
    plat::ConsoleOutWrite(PromptParam.Value);
    plat::ConsoleOutFlush();
  }

  if (!PromptParam.Found && !QuietParam.Found) return false;

  if (!hidden) plat::OpenModeHandle();
  plat::OpenConsoleIn();
  ReadConsoleLine();
  plat::RestoreTyping();
  plat::WipeMemory(ConsoleInBuffer, sizeof ConsoleInBuffer);

  // The line and its line end leave in one write; the copy is a secret string
  // so that the appended line end cannot leave the line in freed memory.
  InputLine.append(plat::LineEnd());
  Write(CoreOutput, std::string_view(InputLine.data(), InputLine.size()));

  if (hidden) {
    WipeSecret(InputLine);
    WritePromptBackspaces();
  }
  return true;
}
