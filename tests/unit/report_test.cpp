// The syntax-error report: its lines, the re-binding of CoreOutput, the beep,
// and the wait with its dots, ended early by a key.
#include "core/report.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/state.h"
#include "core/textout.h"
#include "golden.h"
#include "platform/fake/fake_console.h"

namespace {

std::string Repeated(std::string_view text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

class Report : public testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::Machine().Arg0 = R"(D:\Program Files\Tools\Quillet.exe)";
    fake::Machine().RawCommandLine = R"("D:\Program Files\Tools\Quillet.exe"  -x  "a b")";
    CoreStartup();
  }
};

const std::string kReportLines = golden::Lines({
    "Invalid or Incomplete Syntax!",
    "",
    R"(Execution Path ... "D:\Program Files\Tools")",
    R"(You entered ...... "D:\Program Files\Tools\Quillet.exe"  -x  "a b")",
    "",
    "Invalid Parameters Provided: -x ",
    "",
});

TEST_F(Report, WithoutDelayOrBeepIsSevenLines) {
  ShowSyntaxError("Invalid Parameters Provided: -x ", false, false);
  EXPECT_EQ(fake::Machine().StdErr, kReportLines);
  EXPECT_EQ(fake::Machine().StdOut, "");
  EXPECT_EQ(fake::Machine().Events, "");
}

TEST_F(Report, BeepsThenWaitsUntilTheTimeIsUp) {
  ShowSyntaxError("Invalid Parameters Provided: -x ", true, true);
  EXPECT_EQ(fake::Machine().StdErr,
            kReportLines + golden::Lines({"Press Any Key to Continue..." + Repeated(".", 30), ""}));
  EXPECT_EQ(fake::Machine().StdOut, "");
  // The beep comes before key polling starts, and so before the wait prompt.
  EXPECT_EQ(fake::Machine().Events, "BS" + Repeated("KP", 30) + "T");
}

TEST_F(Report, WaitsWithoutBeepWhenOnlyTheDelayIsAsked) {
  fake::Machine().KeyDuringPause = 3;
  ShowSyntaxError("Invalid Parameters Provided: -x ", true, false);
  EXPECT_EQ(fake::Machine().StdErr,
            kReportLines + golden::Lines({"Press Any Key to Continue......", ""}));
  EXPECT_EQ(fake::Machine().Events, "S" "KPKPKP" "KT");
}

TEST_F(Report, BeepsWithoutWaitWhenOnlyTheBeepIsAsked) {
  ShowSyntaxError("Invalid Parameters Provided: -x ", false, true);
  EXPECT_EQ(fake::Machine().StdErr, kReportLines);
  EXPECT_EQ(fake::Machine().Events, "B");
}

TEST_F(Report, SendsCoreOutputToStandardErrorForTheRestOfTheRun) {
  ShowSyntaxError("m", false, false);
  WriteLine(CoreOutput, "help");
  EXPECT_EQ(fake::Machine().StdOut, "");
  EXPECT_EQ(fake::Machine().StdErr.substr(fake::Machine().StdErr.size() - 6), "help\r\n");
}

TEST_F(Report, AFailedWriteEndsTheRunBeforeBeepAndWait) {
  fake::Machine().FailOperation = 2;
  try {
    ShowSyntaxError("m", true, true);
    FAIL() << "the report went on after a failed write";
  } catch (const fake::ProcessExit& exit) {
    EXPECT_EQ(exit.Code, plat::kStreamFailureExitCode);
  }
  EXPECT_EQ(fake::Machine().Beeps, 0);
  EXPECT_EQ(fake::Machine().Pauses, 0);
}

struct WaitCase {
  const char* Why;
  std::int32_t Ticks;
  bool KeyTypedAhead;
  int KeyDuringPause;
  int Dots;
  friend void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.Why; }
};

const WaitCase kWaitCases[] = {
    {"no key: every tick", 30, false, 0, 30},
    {"a key in the first pause", 30, false, 1, 1},
    {"a key in the 7th pause", 30, false, 7, 7},
    {"a key in the last pause", 30, false, 30, 30},
    {"type-ahead is discarded", 30, true, 0, 30},
    {"type-ahead is discarded, a later key counts", 30, true, 5, 5},
    {"no ticks still pause once", 0, false, 0, 1},
    {"negative ticks still pause once", -4, false, 0, 1},
};

class WaitForKey : public Report, public testing::WithParamInterface<WaitCase> {};

TEST_P(WaitForKey, WritesOneDotPerPause) {
  const WaitCase& c = GetParam();
  fake::Machine().KeyTypedAhead = c.KeyTypedAhead;
  fake::Machine().KeyDuringPause = c.KeyDuringPause;
  WaitForKeyOrTimeout(c.Ticks, "Wait");
  EXPECT_EQ(fake::Machine().StdOut, golden::Lines({"Wait" + Repeated(".", c.Dots), ""}));
  EXPECT_EQ(fake::Machine().Pauses, c.Dots);
  EXPECT_FALSE(fake::Machine().Polling);
}

INSTANTIATE_TEST_SUITE_P(Keys, WaitForKey, testing::ValuesIn(kWaitCases));

}  // namespace
