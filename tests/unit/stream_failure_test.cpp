// A failed stream operation ends the run with exit code 217 and one
// diagnostic, whichever operation it is, and never leaves the console blind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_run.h"

namespace {

const std::vector<std::vector<std::string>> kOutcomes = {
    {"-p", "Enter the password: ", "-q"},  // hidden line input
    {"-v", "-p", "Name"},                  // banner, then visible line input
    {},                                    // missing parameters
    {"-x", "--debug"},                     // invalid, with beep and wait
    {"-q", "-p", "x"},                     // incomplete
    {"--??"},                              // extended help
    {"--version-only"},
    {"-i"},
};

int StreamOperationsOf(const std::vector<std::string>& args) {
  RunProgram(args, {"s3cret\r\n"});
  return fake::Machine().StreamOperations;
}

TEST(StreamFailureTest, EveryFailingOperationEndsWith217AndOneDiagnostic) {
  int injected = 0;
  for (const auto& args : kOutcomes) {
    const int operations = StreamOperationsOf(args);
    ASSERT_GT(operations, 0);
    for (int n = 1; n <= operations; ++n) {
      ProgramRun run = RunProgram(args, [&](fake::State& m) {
        m.ConsoleInput = {"s3cret\r\n"};
        m.FailOperation = n;
      });
      ++injected;
      const std::string& what = fake::Machine().FailureWhat;
      SCOPED_TRACE("operation " + std::to_string(n) + " of " + std::to_string(operations) +
                   " (" + what + ")");
      EXPECT_EQ(run.Code, 217);
      const std::string diagnostic = "Quillet: " + what + ": Input/output error\r\n";
      ASSERT_GE(run.Err.size(), diagnostic.size());
      EXPECT_EQ(run.Err.substr(run.Err.size() - diagnostic.size()), diagnostic);
      EXPECT_EQ(run.Err.find("Quillet: "), run.Err.size() - diagnostic.size());
      EXPECT_FALSE(run.EchoOffAtEnd);
    }
  }
  RecordProperty("injected_failures", injected);
}

TEST(StreamFailureTest, FailedConsoleOpenEndsWith217EvenWithoutPrompt) {
  // The console output device is opened before the missing options are seen.
  ProgramRun run = RunProgram({}, [](fake::State& m) { m.FailOperation = 1; });
  EXPECT_EQ(run.Code, 217);
  EXPECT_EQ(run.Err, "Quillet: open console output device: Input/output error\r\n");
}

TEST(StreamFailureTest, FailedWriteOfTheLineRestoresEchoAndWritesNothingMore) {
  // Operations of a hidden run: open console, prompt write, flush, open
  // input, read, the write of the line, then the backspaces and their flush.
  const int operations = StreamOperationsOf({"-p", "P: ", "-q"});
  ProgramRun run = RunProgram({"-p", "P: ", "-q"}, [&](fake::State& m) {
    m.ConsoleInput = {"s3cret\r\n"};
    m.FailOperation = operations - 2;  // the write of the line; backspaces follow it
  });
  EXPECT_EQ(fake::Machine().FailureWhat, "write to standard output");
  EXPECT_EQ(run.Code, 217);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Console, "P: ");
  EXPECT_FALSE(run.EchoOffAtEnd);
}

}  // namespace
