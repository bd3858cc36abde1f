// The outcome of a run for a command line: exit code, where each text goes,
// and which pieces standard error holds in which order.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/identity.h"
#include "golden.h"
#include "program_run.h"

namespace {

constexpr const char* kTitle = "Quillet v1.2.0";                 // banner, first line
constexpr const char* kBuildLine = "Quillet.exe v1.2.0.100";     // build-information line
constexpr const char* kReport = "Invalid or Incomplete Syntax!";  // report, first line
constexpr const char* kBriefEnd = "For more details, please type: Quillet -?  OR  Quillet --??";
constexpr const char* kFullHelp = "SYNTAX EXAMPLES:";
constexpr const char* kExtendedHelp = "EXIT/RETURN CODES:";
constexpr const char* kMissing =
    "Missing Essential Parameters (e.g. -p -H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY "
    "--BUILD-ONLY --INFO)";

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

struct OutcomeCase {
  const char* Why;
  std::vector<std::string> Args;
  int Code;
  std::string Out;       // exact, or a text standard output must contain when OutHas is set
  bool OutHas;
  std::string Message;   // the report's message line; empty: no report
  int Banners;           // banner title lines on standard error
  int BuildLines;        // build-information lines on standard error
  bool BriefHelp;        // the brief help follows the report
  std::string Console;   // what the console device showed
  friend void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.Why; }
};

const OutcomeCase kCases[] = {
    {"no arguments: the missing-parameter error", {}, 64, "", false, kMissing, 1, 0, true, ""},
    {"-b alone: one banner, then the missing-parameter error", {"-b"}, 64, "", false, kMissing,
     1, 0, true, ""},
    {"-v alone: banner with build line, once", {"-v"}, 64, "", false, kMissing, 1, 1, true, ""},
    {"incomplete before invalid: only -q is named", {"-x", "-q", "-p", "Name"}, 67, "", false,
     "Incomplete Parameters Provided: -q ", 1, 0, true, ""},
    {"-q -p Name: -q is incomplete", {"-q", "-p", "Name"}, 67, "", false,
     "Incomplete Parameters Provided: -q ", 1, 0, true, ""},
    {"-p -b: the banner option was matched first, -p is incomplete", {"-p", "-b"}, 67, "", false,
     "Incomplete Parameters Provided: -p ", 1, 0, true, ""},
    {"an extra word is invalid", {"-p", "x", "extra"}, 65, "", false,
     "Invalid Parameters Provided: extra ", 1, 0, true, ""},
    {"-x -p a b: both unclaimed words", {"-x", "-p", "a", "b"}, 65, "", false,
     "Invalid Parameters Provided: -x b ", 1, 0, true, ""},
    {"a spaced and an empty invalid argument are quoted", {"-p", "x", "a b", ""}, 65, "", false,
     "Invalid Parameters Provided: \"a b\" \"\" ", 1, 0, true, ""},
    {"-prompt and --p are no forms of the prompt option", {"-prompt", "x"}, 65, "", false,
     "Invalid Parameters Provided: -prompt x ", 1, 0, true, ""},
    {"-i -x: info does not keep the error away", {"-i", "-x"}, 65, "", false,
     "Invalid Parameters Provided: -x ", 1, 0, true, ""},
    {"--version-only -x", {"--version-only", "-x"}, 65, "", false,
     "Invalid Parameters Provided: -x ", 1, 0, true, ""},
    {"-x --error-delay: -x is invalid", {"-x", "--error-delay"}, 65, "", false,
     "Invalid Parameters Provided: -x ", 1, 0, true, ""},
    {"--error-delay -x: -x is the option's value", {"--error-delay", "-x"}, 64, "", false,
     kMissing, 1, 0, true, ""},
    {"-h: the full help", {"-h"}, 255, kFullHelp, true, "", 1, 0, false, ""},
    {"-h -x: help keeps the error away", {"-h", "-x"}, 255, kFullHelp, true, "", 1, 0, false, ""},
    {"-p -h: help keeps the incomplete -p away", {"-p", "-h"}, 255, kFullHelp, true, "", 1, 0,
     false, ""},
    {"-h --version-only: help wins", {"-h", "--version-only"}, 255, kFullHelp, true, "", 1, 0,
     false, ""},
    {"--??: extended help with the build line", {"--??"}, 255, kExtendedHelp, true, "", 1, 1,
     false, ""},
    {"-h -v: extended help", {"-h", "-v"}, 255, kExtendedHelp, true, "", 1, 1, false, ""},
    {"--version-only: the build line alone", {"--version-only"}, 0, "", false, "", 0, 1, false,
     ""},
    {"--info --version-only: version-only wins", {"--info", "--version-only"}, 0, "", false, "",
     0, 1, false, ""},
    {"-i: banner and build line", {"-i"}, 0, "", false, "", 1, 1, false, ""},
    {"-v -p Name: banner, build line, then the line input", {"-v", "-p", "Name"}, 0, "Ann\r\n",
     false, "", 1, 1, false, "Name"},
    {"-p Name -q: hidden input", {"-p", "Name", "-q"}, 0, "Ann\r\n", false, "", 0, 0, false,
     "Name\b\b\b\b"},
    {"--prompt:Hi counts as the prompt option", {"--prompt:Hi"}, 0, "Ann\r\n", false, "", 0, 0,
     false, "Hi"},
};

class OutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(OutcomeTest, EndsWithItsCodeAndItsTexts) {
  const OutcomeCase& c = GetParam();
  ProgramRun run = RunProgram(c.Args, {"Ann\r\n"});
  EXPECT_EQ(run.Code, c.Code);
  if (c.OutHas)
    EXPECT_NE(run.Out.find(c.Out), std::string::npos) << run.Out;
  else
    EXPECT_EQ(run.Out, c.Out);
  EXPECT_EQ(run.Console, c.Console);
  EXPECT_EQ(Count(run.Err, kTitle), c.Banners) << run.Err;
  EXPECT_EQ(Count(run.Err, kBuildLine), c.BuildLines) << run.Err;
  if (c.Message.empty()) {
    EXPECT_EQ(Count(run.Err, kReport), 0) << run.Err;
  } else {
    // The message stands on a line of its own between two empty lines.
    EXPECT_EQ(Count(run.Err, "\r\n\r\n" + c.Message + "\r\n\r\n"), 1) << run.Err;
    EXPECT_LT(run.Err.find(kReport), run.Err.find(c.Message));
  }
  EXPECT_EQ(Count(run.Err, kBriefEnd), c.BriefHelp ? 1 : 0) << run.Err;
  if (c.BriefHelp) {
    // The brief help is the last thing written.
    const std::string end = std::string(kBriefEnd) + "\r\n";
    EXPECT_EQ(run.Err.compare(run.Err.size() - end.size(), end.size(), end), 0) << run.Err;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, OutcomeTest, testing::ValuesIn(kCases));

TEST(OutcomeTest, ErrorOutcomesReadNothingFromTheConsole) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-x"}, {"-q", "-p", "x"}, {"-h"}, {"-i"}, {"--version-only"}}) {
    ProgramRun run = RunProgram(args, {"Ann\r\n"});
    EXPECT_EQ(run.Events.find('I'), std::string::npos) << args[0];
    EXPECT_EQ(run.Events.find('O'), std::string::npos) << args[0];
  }
}

TEST(OutcomeTest, DebugModeTurnsOnBeepAndWait) {
  for (const char* debug : {"--debug", "--debug-mode"}) {
    ProgramRun run = RunProgram({"-x", debug});
    EXPECT_EQ(run.Code, 65);
    EXPECT_EQ(run.Beeps, 1) << debug;
    EXPECT_EQ(run.Pauses, 30) << debug;
    EXPECT_NE(run.Err.find("Press Any Key to Continue..." + std::string(30, '.')),
              std::string::npos);
  }
}

TEST(OutcomeTest, BeepAndWaitOnlyWhenAskedFor) {
  ProgramRun plain = RunProgram({"-x"});
  EXPECT_EQ(plain.Beeps, 0);
  EXPECT_EQ(plain.Pauses, 0);
  ProgramRun audible = RunProgram({"-x", "--audible-error"});
  EXPECT_EQ(audible.Beeps, 1);
  EXPECT_EQ(audible.Pauses, 0);
  ProgramRun delayed = RunProgram({"-x", "--error-delay"});
  EXPECT_EQ(delayed.Beeps, 0);
  EXPECT_EQ(delayed.Pauses, 30);
}

TEST(OutcomeTest, TheFlowRunsAgainFromAFreshState) {
  ProgramRun first = RunProgram({"-b", "-p", "Name"}, {"Ann\r\n"});
  ProgramRun second = RunProgram({"-b", "-p", "Name"}, {"Ann\r\n"});
  EXPECT_EQ(first.Err, second.Err);
  EXPECT_EQ(Count(second.Err, kTitle), 1);
}

}  // namespace

namespace {

TEST(OutcomeTest, ExactlyAWrapOfInvalidArgumentsIsStillAnError) {
  // 65,536 invalid arguments would wrap a 16-bit count to 0.
  ProgramRun run = RunProgram(std::vector<std::string>(65536, "x"), {"Ann\r\n"});
  EXPECT_EQ(run.Code, 65);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Events.find('I'), std::string::npos);
}

}  // namespace

namespace {

// Standard error of an error run, byte for byte: banner, report, brief help.

std::string BannerLines() {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::string date(BuildDate);  // yyyy/mm/dd
  const std::string shown = date.substr(8, 2) + " " + kMonths[std::stoi(date.substr(5, 2)) - 1] +
                            " " + date.substr(0, 4);
  return golden::Lines({"Quillet v1.2.0" + std::string(PlatformTag) + " (" + shown +
                            ") - Read a line of Input from the Windows Command-Line",
                        NoticeLine, AttributionLine, ""});
}

TEST(OutcomeTest, MissingParametersWriteBannerReportAndBriefHelp) {
  ProgramRun run = RunProgram({});
  EXPECT_EQ(run.Err, BannerLines() +
                         golden::Lines({
                             "Invalid or Incomplete Syntax!",
                             "",
                             "Execution Path ... D:\\Tools",
                             "You entered ...... Quillet",
                             "",
                             kMissing,
                             "",
                         }) +
                         golden::File("help_brief.txt"));
  EXPECT_EQ(run.Out, "");
}

TEST(OutcomeTest, TheWaitComesBetweenTheReportAndTheHelp) {
  ProgramRun run = RunProgram({"-x", "--error-delay"},
                              [](fake::State& m) { m.KeyDuringPause = 3; });
  EXPECT_EQ(run.Code, 65);
  EXPECT_EQ(run.Err, BannerLines() +
                         golden::Lines({
                             "Invalid or Incomplete Syntax!",
                             "",
                             "Execution Path ... D:\\Tools",
                             "You entered ...... Quillet -x --error-delay",
                             "",
                             "Invalid Parameters Provided: -x ",
                             "",
                             "Press Any Key to Continue..." "...",  // a key in the third pause
                             "",
                         }) +
                         golden::File("help_brief.txt"));
}

}  // namespace
