// Runs the whole program in-process against the fake platform.
#pragma once

#include <string>
#include <vector>

#include "app/driver.h"
#include "platform/fake/fake_console.h"

struct ProgramRun {
  int Code = -1;
  std::string Out, Err, Console, Events;
  int Beeps = 0, Pauses = 0;
  bool EchoOffAtEnd = false;
};

// Starts from a fresh fake machine with these arguments; `prepare` may script
// the machine further before the run. The raw command line is the program
// name and the arguments as given (tests that care set it themselves).
template <typename Prepare>
ProgramRun RunProgram(const std::vector<std::string>& args, Prepare prepare) {
  fake::Reset();
  fake::State& m = fake::Machine();
  m.Args = args;
  m.RawCommandLine = "Quillet";
  for (const std::string& a : args) m.RawCommandLine += " " + a;
  prepare(m);
  plat::Startup(0, nullptr);
  ProgramRun run;
  try {
    run.Code = RunQuillet();
  } catch (const fake::ProcessExit& e) {
    run.Code = e.Code;
  }
  run.Out = m.StdOut;
  run.Err = m.StdErr;
  run.Console = m.ConsoleOut;
  run.Events = m.Events;
  run.Beeps = m.Beeps;
  run.Pauses = m.Pauses;
  run.EchoOffAtEnd = m.EchoOff;
  return run;
}

inline ProgramRun RunProgram(const std::vector<std::string>& args,
                             std::vector<std::string> typed = {}) {
  return RunProgram(args, [&](fake::State& m) { m.ConsoleInput = typed; });
}
