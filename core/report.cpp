#include "core/report.h"

#include <string>

#include "core/state.h"
#include "core/textout.h"
#include "platform/console.h"

namespace {

constexpr std::string_view kHeading = "Invalid or Incomplete Syntax!";
constexpr std::string_view kPathLeader = "Execution Path ... ";
constexpr std::string_view kCommandLineLeader = "You entered ...... ";
constexpr std::string_view kWaitPrompt = "Press Any Key to Continue...";
constexpr std::string_view kTickMark = ".";

}  // namespace

void ShowSyntaxError(std::string_view message, bool errorDelay, bool audibleError) {
  // From here on the help and the wait belong to the report: they go to
  // standard error too, so a script reading standard output gets nothing.
  CoreOutput = CoreErrOutput;

  const std::string lineEnd(plat::LineEnd());
  WriteLine(CoreErrOutput, std::string(kHeading) + lineEnd);
  WriteLine(CoreErrOutput, std::string(kPathLeader) + ProgramPath + lineEnd +
                               std::string(kCommandLineLeader) + plat::RawCommandLine());
  WriteErrorLine(message, lineEnd);
  if (audibleError) plat::Beep();
  if (errorDelay) WaitForKeyOrTimeout(kErrorWaitTicks, kWaitPrompt);
}

void WriteErrorLine(std::string_view message, std::string_view leader) {
  WriteLine(CoreErrOutput, std::string(leader) + std::string(message) + std::string(plat::LineEnd()));
}

void WaitForKeyOrTimeout(std::int32_t ticks, std::string_view prompt) {
  // Polling starts before the prompt shows, so keys typed ahead are
  // discarded and cannot cut the wait short.
  plat::KeyPollStart();
  Write(CoreOutput, prompt);
  std::int32_t counted = 0;
  do {
    if (plat::KeyPoll()) break;
    plat::Pause(kErrorWaitTickMilliseconds);
    ++counted;
    Write(CoreOutput, kTickMark);
  } while (counted < ticks);
  plat::KeyPollStop();
  WriteLine(CoreOutput, plat::LineEnd());
}
