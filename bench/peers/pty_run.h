// One timed run of a command on a fresh pseudo-terminal, as a person at a
// terminal would run it: the terminal is its controlling terminal and its
// standard input, standard output and standard error go to pipes. When the
// prompt shows, the typed bytes go into the terminal; the run ends when the
// command has exited and both pipes are at their end.
//
// The command is started, timed and reaped by the launcher (launch.c), which
// reports its wall time and its resource use; see there why. The harness
// blocks in poll() and does nothing between events, so the time it adds
// (the delay in answering the prompt) is the same for every command.
#pragma once

#include <string>
#include <vector>

struct TRunPlan {
  std::vector<std::string> Argv;  // Argv[0] is a path; PATH is not searched
  std::string Prompt;             // empty: type nothing, only wait for the end
  bool PromptOnStderr = false;    // where the prompt shows: standard error or the terminal
  std::string Typed;              // typed once the prompt has shown
};

struct TRunResult {
  bool Exited = false;  // false: ended by a signal, or the run failed
  int ExitCode = -1;
  double WallSeconds = 0;  // from the launcher's fork() to its reaping the command
  double CpuSeconds = 0;   // user + system time of the command
  long MaxRssKiB = 0;      // peak resident set size of the command
  long MinorFaults = 0;    // page faults served without I/O: mostly pages mapped at start
  std::string Terminal, Stdout, Stderr;
  std::string Error;  // why the run failed; empty when it did not
};

// Runs the command once through the launcher at `launcher`. Returns false
// with TRunResult::Error set when the terminal or the process could not be
// made, or the command did not end in time (it is then killed).
bool RunOnPty(const std::string& launcher, const TRunPlan& plan, TRunResult& result);
