// The whole program in process against the fake platform, on an arbitrary
// command line and arbitrary console input.
//
// Input layout: byte 0 steers the run (bits 0-4: how many of the fields are
// arguments; bit 5: a key typed ahead; bits 6-7: the pause during which a
// key is pressed), byte 1 picks the stream operation that fails in a second
// run, and the rest is split at NUL bytes into fields: first the arguments,
// then the console input chunks (an empty chunk ends the input, as a read
// that returns nothing does).
//
// Each input runs twice. The clean run must end with one of the program's
// exit codes, put text on standard output only for the help and the line,
// and leave validation lists that agree with the argument statuses. The
// second run fails one of the stream operations of the first: it must end
// with 217 and have written a prefix of what the clean run wrote.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_state.h"
#include "app/driver.h"
#include "core/state.h"
#include "platform/console.h"
#include "platform/diagnostic.h"
#include "platform/fake/fake_console.h"

namespace {

struct Script {
  std::vector<std::string> Args;
  std::vector<std::string> Chunks;
  bool KeyTypedAhead = false;
  int KeyDuringPause = 0;
  std::uint8_t FailSelector = 0;
};

Script Decode(const std::uint8_t* data, std::size_t size) {
  Script s;
  if (size < 2) return s;
  const unsigned argCount = data[0] & 0x1f;
  s.KeyTypedAhead = (data[0] & 0x20) != 0;
  s.KeyDuringPause = data[0] >> 6;
  s.FailSelector = data[1];
  const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<std::string> fields;
  for (std::size_t at = 0;;) {
    const std::size_t nul = rest.find('\0', at);
    fields.emplace_back(rest.substr(at, nul - at));
    if (nul == std::string_view::npos) break;
    at = nul + 1;
  }
  for (std::size_t i = 0; i < fields.size(); ++i)
    (i < argCount ? s.Args : s.Chunks).push_back(fields[i]);
  return s;
}

void Prepare(const Script& s, int failOperation) {
  fake::Reset();
  fake::State& m = fake::Machine();
  m.Args = s.Args;
  m.RawCommandLine = "Quillet";
  for (const std::string& a : s.Args) m.RawCommandLine += " " + a;
  m.ConsoleInput = s.Chunks;
  m.KeyTypedAhead = s.KeyTypedAhead;
  m.KeyDuringPause = s.KeyDuringPause;
  m.FailOperation = failOperation;
  plat::Startup(0, nullptr);
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "driver_fuzz: %s\n", what);
  std::abort();
}

void Expect(bool condition, const char* what) {
  if (!condition) Fail(what);
}

// The line the program must hand out: the console bytes up to the first CR,
// LF or Ctrl+Z, or up to the end of the input.
std::string ExpectedLine(const std::vector<std::string>& chunks) {
  std::string typed;
  for (const std::string& c : chunks) {
    if (c.empty()) break;
    typed += c;
  }
  return typed.substr(0, typed.find_first_of("\r\n\x1a"));
}

std::string Quoted(const std::string& text) {
  if (!text.empty() && text.find(' ') == std::string::npos) return text;
  return '"' + text + '"';
}

// Validation must list every argument in exactly the list of its status.
void CheckValidationLists(const Script& s) {
  Expect(ParamList.size() == s.Args.size(), "one parameter entry per argument");
  struct Expected {
    std::string List;
    std::size_t Count = 0;
  } invalid, incomplete, switches, values, attached;
  for (std::size_t i = 0; i < ParamList.size(); ++i) {
    const TParamStatusRec& entry = ParamList[i];
    Expect(entry.Text == s.Args[i], "an entry keeps its argument text");
    Expected* list = nullptr;
    switch (entry.Status) {
      case kStatusUnclaimed: list = &invalid; break;
      case kStatusIncomplete: list = &incomplete; break;
      case kStatusOption: list = &switches; break;
      case kStatusValue: list = &values; break;
      case kStatusAttached: list = &attached; break;
      default: Fail("a status that no lookup gives");
    }
    list->List += Quoted(entry.Text) + ' ';
    ++list->Count;
  }
  // Counts stop at the largest 16-bit value rather than wrap.
  const auto counted = [](std::size_t n) { return std::min<std::size_t>(n, 65535); };
  const TParamStatisticsRec& v = CustomValidation;
  Expect(v.InvalidList == invalid.List && v.InvalidCount == counted(invalid.Count),
         "invalid list");
  Expect(v.IncompleteList == incomplete.List && v.IncompleteCount == counted(incomplete.Count),
         "incomplete list");
  Expect(v.SwitchList == switches.List && v.SwitchCount == counted(switches.Count),
         "switch list");
  Expect(v.ValueArgList == values.List && v.ValueArgCount == counted(values.Count),
         "value list");
  Expect(v.AttachedList == attached.List && v.AttachedCount == counted(attached.Count),
         "attached list");
  Expect(v.ArgCount == counted(s.Args.size()), "argument count");
  Expect(v.SyntaxOK == (invalid.Count == 0 && incomplete.Count == 0 && !v.MandatoryMissing),
         "verdict agrees with the lists");
}

// The outcome must be the one that the lookups and validation call for, and
// each outcome writes only where it may.
void CheckOutcome(const Script& s, int code) {
  const fake::State& m = fake::Machine();
  const TParamStatisticsRec& v = CustomValidation;
  const bool lineInput = m.Events.find('O') != std::string::npos;
  if (!HelpParam.Found && v.IncompleteCount > 0) {
    Expect(code == 67, "incomplete parameters give 67");
  } else if (!HelpParam.Found && v.InvalidCount > 0) {
    Expect(code == 65, "invalid parameters give 65");
  } else if (HelpParam.Found) {
    Expect(code == 255 && !m.StdOut.empty(), "the help gives 255 and the help text");
  } else if (VersionOnlyParam.Found || InfoParam.Found) {
    Expect(code == 0 && m.StdOut.empty() && !lineInput, "version-only and info write no line");
  } else if (PromptParam.Found || QuietParam.Found) {
    Expect(code == 0 && lineInput, "the line input gives 0");
    Expect(m.StdOut == ExpectedLine(s.Chunks) + "\r\n", "standard output holds the line");
    std::string console;
    if (PromptParam.Found) console = PromptParam.Value;
    if (QuietParam.Found) console.append(PromptParam.Value.size(), '\b');
    Expect(m.ConsoleOut == console, "the console shows the prompt and the backspaces");
    if (!BannerParam.Found && !VerboseParam.Found)
      Expect(m.StdErr.empty(), "nothing on standard error without a banner request");
  } else {
    Expect(code == 64 && lineInput, "neither prompt nor quiet gives 64");
  }
  if (code != 0 && code != 255) Expect(m.StdOut.empty(), "an error writes no standard output");
  if (code != 0) Expect(m.ConsoleOut.empty(), "only the line input writes to the console");
  if (code != 0) Expect(!m.StdErr.empty(), "errors and help write to standard error");
}

bool IsPrefix(const std::string& part, const std::string& whole) {
  return whole.compare(0, part.size(), part) == 0 && part.size() <= whole.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Script script = Decode(data, size);

  // The clean run, step by step as RunQuillet() makes it, so that the state
  // can be read before it is released.
  Prepare(script, 0);
  CoreStartup();
  ProgramStateCreate();
  int code = -1;
  try {
    RunDriver();
    code = plat::ExitCode();
  } catch (const fake::ProcessExit& e) {
    code = e.Code;
  }
  Expect(code == 0 || code == 64 || code == 65 || code == 67 || code == 255,
         "an exit code of the program");
  CheckValidationLists(script);
  CheckOutcome(script, code);
  ProgramStateRelease();
  CoreShutdown();

  const fake::State clean = fake::Machine();
  if (clean.StreamOperations == 0) return 0;

  // The same run with one of its stream operations failing.
  Prepare(script, 1 + script.FailSelector % clean.StreamOperations);
  int failedCode = -1;
  try {
    failedCode = RunQuillet();
  } catch (const fake::ProcessExit& e) {
    failedCode = e.Code;
  }
  const fake::State& m = fake::Machine();
  Expect(failedCode == plat::kStreamFailureExitCode, "a failed stream operation gives 217");
  Expect(!m.EchoOff, "a failure puts the console mode back");
  const std::string diagnostic =
      plat::FailureDiagnostic(m.Arg0, m.FailureWhat, m.FailReason) + std::string(plat::LineEnd());
  Expect(m.StdErr.size() >= diagnostic.size() &&
             m.StdErr.compare(m.StdErr.size() - diagnostic.size(), diagnostic.size(),
                              diagnostic) == 0,
         "standard error ends with the diagnostic");
  Expect(IsPrefix(m.StdErr.substr(0, m.StdErr.size() - diagnostic.size()), clean.StdErr),
         "standard error keeps what was written before the failure");
  Expect(IsPrefix(m.StdOut, clean.StdOut), "standard output keeps what was written before");
  Expect(IsPrefix(m.ConsoleOut, clean.ConsoleOut), "the console keeps what was flushed before");
  return 0;
}
