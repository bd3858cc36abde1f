// The built program, run on a pseudo-terminal as a person or a script runs
// it: what the terminal shows, what the two standard streams receive, how
// the process ends, and what the terminal's modes are afterwards.
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "pty.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kExe = QUILLET_EXE;
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// ---- The program's own texts, for a program file called `name` -------------

std::string ExtendedHelp(const std::string& name) {
  std::string text = R"(-----------
CMD SYNTAX:
-----------
 Quillet [options]

 Quillet [-p ["some message"]] [-q] [-b|-v]

 Quillet [-h|-?|--h2|--??] [-v]
 Quillet [-i|--Info|--Version-Only]

-------------------
OPTION DEFINITIONS:
-------------------
 -p, --prompt .............. Provide a message prompt.
 -q, --quiet, --hide ....... Hide console input (for passwords, etc).
 -b, --banner .............. Display banner information on each program execution.
 -v, --verbose, --build .... Display extended build information, plus application exit/return codes.
 -h, --help, -? ............ Display this help message.
     --h2, --??, --help2 ... Display extended help information, plus exit/return codes.
 -i, --info ................ Display banner and build information, then exit.
     --version-only ........ Display build information without banner, then exit.
     --audible-error ....... Enable a beep on syntax error.
     --error-delay ......... Enable a ~7 second delay on syntax error.
     --debug-mode .......... Enable debug mode, which includes enabling Audible Error and Error Delay.

----------------
SYNTAX EXAMPLES:
----------------
 Quillet -p "What is your name? "
 Quillet -p "Enter the password: " -q
 Quillet -p "Enter the code: " -v
 Quillet -p ""
 Quillet -i
 Quillet -h

--------------------
GENERAL USAGE NOTES:
--------------------
 * Entering Quillet with no parameters will display this help message.
 * Parameters surrounded by <> are mandatory; Those surrounded by [] are optional.
 * Parameters are case-insensitive, but may be shown in uppercase for clarity.
 * Single-character parameters (e.g. -h) can be prefaced by "-" or "/".
 * Multi-character parameters (e.g. --help) should be prefaced by "--".
 * All parameters need to be separated from each other by at least one space.
 * The -H, --?? --Version-Only and --Info parameters supersede all other options -- in that order.
 * The -V parameter causes application build mode info to be shown whenever the banner is shown.
 * Combining -H/-? and -V will display extended help info plus application exit/return codes.
 * The --?? parameter behaves like the -H/-? and -V parameters combined.
 * The -I parameter will ONLY show the banner, with build info, and quit.  It will process no other data.
 * The --Version-Only parameter behaves like the -I parameter, but without showing the banner.
 * The application banner is only displayed when Help Syntax is displayed, or when -B is used.

-------------------------
APP SPECIFIC USAGE NOTES:
-------------------------
 * The maximum allowed input length is 4096 characters.
 * The -P parameter must be provided, although its value can be blank.
 * Entries for -P paramter which contain spaces, should be surrounded by quotation marks.

------------------
EXIT/RETURN CODES:
------------------
 * Exit/Return Codes will be generated for the following conditions:
      0 - Command Completed Successfully
     64 - Missing Necessary/Essential Parameters
     65 - Invalid parameters were found
     67 - Parameters are missing mandatory values
    255 - Syntax Help Requested
)";
  for (std::size_t at; (at = text.find("Quillet")) != std::string::npos;)
    text.replace(at, 7, name);
  return text;
}

// The full help: the extended one up to the empty line after the examples,
// without the three lines of the report's own options.
std::string FullHelp(const std::string& name) {
  std::string text = ExtendedHelp(name);
  text.erase(text.find("\n--------------------\nGENERAL") + 1);
  for (const char* option : {"--audible-error", "--error-delay", "--debug-mode"}) {
    std::size_t at = text.find(std::string("     ") + option);
    text.erase(at, text.find('\n', at) + 1 - at);
  }
  return text;
}

std::string BriefHelp(const std::string& name) {
  std::string text = ExtendedHelp(name);
  text.erase(text.find("-------------------\nOPTION"));
  return text + "For more details, please type: " + name + " -?  OR  " + name + " --??\n";
}

// "dd mmm yyyy" of a "yyyy/mm/dd" text.
std::string DayMonthYear(const std::string& date) {
  return date.substr(8, 2) + " " + kMonths[std::stoi(date.substr(5, 2)) - 1] + " " +
         date.substr(0, 4);
}

struct BuildFacts {
  std::string PlatformTag;  // " x64"
  std::string Toolchain;    // " using ..."
  std::string Line;         // the build-information line, line end included
};

// The build-information line of --version-only, checked against the build's
// date and hour; the platform tag and the toolchain name it shows are taken
// as they are, for the other texts.
BuildFacts ReadBuildFacts(const std::string& stderrText) {
  static const std::regex line(
      R"(quillet v)" QUILLET_VERSION R"(( [^ ]+)? was compiled on (.+) @ (\d\d):00:00( using .+)\n)");
  std::smatch m;
  BuildFacts facts;
  if (!std::regex_match(stderrText, m, line)) {
    ADD_FAILURE() << "not a build-information line: " << stderrText;
    return facts;
  }
  const std::string buildDateTime = QUILLET_BUILD_DATETIME;
  EXPECT_EQ(m[2].str(), DayMonthYear(buildDateTime.substr(0, 10)));
  EXPECT_EQ(m[3].str(), buildDateTime.substr(11, 2));
  facts.PlatformTag = m[1].str();
  facts.Toolchain = m[4].str();
  facts.Line = stderrText;
  return facts;
}

std::string BannerLines(const std::string& name, const BuildFacts& facts) {
  return name + " v1.2.0" + facts.PlatformTag + " (" + DayMonthYear(QUILLET_BUILD_DATE) +
         ") - Read a line of Input from the Windows Command-Line\n" QUILLET_NOTICE
         "\n" QUILLET_ATTRIBUTION "\n\n";
}

std::string BuildLine(const std::string& name, const BuildFacts& facts) {
  return name + " v1.2.0.100" + facts.PlatformTag + " was compiled on " +
         DayMonthYear(std::string(QUILLET_BUILD_DATETIME).substr(0, 10)) + " @ " +
         std::string(QUILLET_BUILD_DATETIME).substr(11, 2) + ":00:00" + facts.Toolchain + "\n";
}

std::string Report(const std::string& directory, const std::string& commandLine,
                   const std::string& message) {
  return "Invalid or Incomplete Syntax!\n\nExecution Path ... " + directory +
         "\nYou entered ...... " + commandLine + "\n\n" + message + "\n\n";
}

std::string QuoteIfSpaced(const std::string& text) {
  return text.empty() || text.find(' ') != std::string::npos ? '"' + text + '"' : text;
}

const std::string kMissing =
    "Missing Essential Parameters (e.g. -p -H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY "
    "--BUILD-ONLY --INFO)";

// ---- Running it ----------------------------------------------------------------

struct Result {
  pty::Outcome Outcome;
  std::string Terminal, Stdout, Stderr;
  termios Modes{};  // after the end
};

bool Echoes(const termios& modes) { return (modes.c_lflag & ECHO) != 0; }
bool LineMode(const termios& modes) { return (modes.c_lflag & ICANON) != 0; }

pty::Options WithArgs(std::vector<std::string> args, pty::Options options = {}) {
  options.Argv = {kExe};
  options.Argv.insert(options.Argv.end(), args.begin(), args.end());
  return options;
}

Result Finish(pty::Session& session, std::chrono::milliseconds timeout = 30s) {
  Result r;
  r.Outcome = pty::Wait(session, timeout);
  r.Terminal = session.Terminal;
  r.Stdout = session.Stdout;
  r.Stderr = session.Stderr;
  r.Modes = pty::TerminalModes(session);
  return r;
}

// Runs it with nothing typed.
Result RunToEnd(const pty::Options& options) {
  pty::Session session;
  std::string error;
  if (!pty::Start(session, options, &error)) {
    ADD_FAILURE() << "cannot start: " << error;
    return {};
  }
  return Finish(session);
}

// A fresh directory, removed at the end of the test.
struct TempDir {
  fs::path Path;
  TempDir() {
    char pattern[] = "/tmp/quillet-e2e-XXXXXX";
    if (::mkdtemp(pattern)) Path = fs::canonical(pattern);
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);  // best effort: /tmp is cleaned anyway
  }
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The program's directory as the report shows it.
std::string ProgramDirectory() { return QuoteIfSpaced(fs::canonical(kExe).parent_path()); }

// The build-information line, from one run of --version-only; the other
// outcomes are compared with texts made from it.
const BuildFacts& Facts() {
  static const BuildFacts facts = [] {
    Result r = RunToEnd(WithArgs({"--version-only"}));
    EXPECT_EQ(pty::Describe(r.Outcome), "exit 0");
    return ReadBuildFacts(r.Stderr);
  }();
  return facts;
}

// Waits until the terminal's modes satisfy `wanted`.
template <typename Wanted>
bool WaitForModes(pty::Session& session, Wanted wanted, std::chrono::milliseconds timeout = 10s) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!wanted(pty::TerminalModes(session))) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    pty::Collect(session, 10ms);
  }
  return true;
}

// ---- The line input ------------------------------------------------------------

TEST(LineInput, HiddenReadHandsOverExactlyTheSecretAndEchoesAgainAfterwards) {
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithArgs({"-p", "Enter the password: ", "-q"})));
  ASSERT_TRUE(pty::WaitForTerminal(session, "Enter the password: "));
  EXPECT_FALSE(Echoes(pty::TerminalModes(session))) << "echo is off once the prompt shows";
  pty::Type(session, "s3cr3t pass\r");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 0");
  EXPECT_EQ(r.Stdout, "s3cr3t pass\n");
  EXPECT_EQ(r.Terminal, "Enter the password: " + std::string(20, '\b'))
      << "neither the typing nor Enter shows; one backspace per prompt character";
  EXPECT_EQ(r.Stderr, "");
  EXPECT_TRUE(Echoes(r.Modes));
}

TEST(LineInput, VisibleReadEchoesOnThePromptLine) {
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithArgs({"-p", "Name: "})));
  ASSERT_TRUE(pty::WaitForTerminal(session, "Name: "));
  pty::Type(session, "Ada Lovelace\r");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 0");
  EXPECT_EQ(r.Stdout, "Ada Lovelace\n");
  EXPECT_EQ(r.Terminal, "Name: Ada Lovelace\r\n");
  EXPECT_EQ(r.Stderr, "");
}

TEST(LineInput, RedirectedStandardInputIsNotRead) {
  TempDir dir;
  std::ofstream(dir.Path / "input") << "from the file\n";
  pty::Options options = WithArgs({"-p", "Name: "});
  options.StdinFile = dir.Path / "input";
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, options));
  ASSERT_TRUE(pty::WaitForTerminal(session, "Name: "));
  pty::Type(session, "typed\r");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 0");
  EXPECT_EQ(r.Stdout, "typed\n");
}

TEST(LineInput, BackspacesCountCharactersNotBytes) {
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithArgs({"-p", "Caf\xc3\xa9 \xe2\x82\xac: ", "-q"})));
  ASSERT_TRUE(pty::WaitForTerminal(session, ": "));
  pty::Type(session, "x\r");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 0");
  EXPECT_EQ(r.Terminal, "Caf\xc3\xa9 \xe2\x82\xac: " + std::string(8, '\b'));
}

// ---- Early ends during the read --------------------------------------------------

struct EarlyEnd {
  const char* Why;
  bool Hidden;
  const char* Typed;  // a control key typed, or nullptr to send the signal
  int Signal;
  bool FromBackground = false;  // the terminal's foreground has moved on first
  friend void PrintTo(const EarlyEnd& e, std::ostream* os) { *os << e.Why; }
};

const EarlyEnd kEarlyEnds[] = {
    {"Ctrl+C during a hidden read", true, "\x03", SIGINT},
    {"Ctrl+\\ during a hidden read", true, "\x1c", SIGQUIT},
    {"SIGTERM during a hidden read", true, nullptr, SIGTERM},
    {"SIGHUP during a hidden read", true, nullptr, SIGHUP},
    {"SIGQUIT sent during a hidden read", true, nullptr, SIGQUIT},
    {"Ctrl+C during a visible read", false, "\x03", SIGINT},
    {"SIGTERM after another group took the foreground", true, nullptr, SIGTERM, true},
};

class EarlyEndTest : public testing::TestWithParam<EarlyEnd> {};

TEST_P(EarlyEndTest, EndsBySignalWithNothingWrittenAndTheTerminalEchoing) {
  const EarlyEnd& e = GetParam();
  pty::Options options = WithArgs(e.Hidden ? std::vector<std::string>{"-p", "Secret: ", "-q"}
                                           : std::vector<std::string>{"-p", "Secret: "});
  options.ForegroundHolder = e.FromBackground;
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, options));
  ASSERT_TRUE(pty::WaitForTerminal(session, "Secret: "));
  pty::Type(session, "half a sec");
  if (e.FromBackground) {
    // A read begun after the foreground moved fails at once (the command's
    // group has no shell to stop it); the case is a read already waiting.
    ASSERT_TRUE(pty::WaitForBlockedRead(session));
    ASSERT_TRUE(pty::TakeForeground(session));
  }
  if (e.Typed)
    pty::Type(session, e.Typed);
  else
    pty::Signal(session, e.Signal);
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), pty::Describe({false, -1, true, e.Signal})) << e.Why;
  EXPECT_EQ(r.Stdout, "") << e.Why;
  EXPECT_EQ(r.Stderr, "") << e.Why;
  EXPECT_TRUE(Echoes(r.Modes)) << e.Why;
}

INSTANTIATE_TEST_SUITE_P(Rows, EarlyEndTest, testing::ValuesIn(kEarlyEnds));

// Ctrl+Z needs a shell with job control: the kernel does not stop a process
// that no shell watches. dash leaves the terminal modes alone, so what they
// are is the program's doing.
TEST(JobControl, StopShowsTheTypingAndTheReturnToTheForegroundHidesItAgain) {
  if (::access("/bin/dash", X_OK) != 0) GTEST_SKIP() << "needs /bin/dash";
  TempDir dir;
  const fs::path out = dir.Path / "out";
  pty::Options options;
  options.Argv = {"env", "PS1=sh> ", "/bin/dash", "-i"};
  pty::Session shell;
  ASSERT_TRUE(pty::Start(shell, options));
  ASSERT_TRUE(pty::WaitForText(shell, pty::Where::Stderr, "sh> "));
  // The prompt is put together by the shell, so that its echo of the
  // command line does not count as the prompt showing.
  pty::Type(shell, "P=Sec; '" + kExe + "' -p \"${P}ret: \" -q >'" + out.string() + "'\r");
  ASSERT_TRUE(pty::WaitForTerminal(shell, "Secret: "));
  EXPECT_FALSE(Echoes(pty::TerminalModes(shell)));

  pty::Type(shell, "\x1a");
  ASSERT_TRUE(pty::WaitForText(shell, pty::Where::Stderr, "Stopped"));
  EXPECT_TRUE(Echoes(pty::TerminalModes(shell))) << "stopped: the shell gets an echoing terminal";

  // In the background it must leave the terminal to the shell; its read then
  // stops it again.
  pty::Type(shell, "bg\r");
  bool stoppedForInput = false;
  for (int i = 0; i < 20 && !stoppedForInput; ++i) {
    pty::Type(shell, "jobs\r");
    stoppedForInput = pty::WaitForText(shell, pty::Where::Stdout, "(tty input)", 500ms);
  }
  ASSERT_TRUE(stoppedForInput) << shell.Stdout;
  EXPECT_TRUE(Echoes(pty::TerminalModes(shell)));

  pty::Type(shell, "fg; echo \"rc=$?\"\r");
  ASSERT_TRUE(WaitForModes(shell, [](const termios& m) { return !Echoes(m); }))
      << "back in the foreground, the typing is hidden again";
  const std::size_t typedFrom = shell.Terminal.size();
  pty::Type(shell, "hunter2\r");
  ASSERT_TRUE(pty::WaitForText(shell, pty::Where::Stdout, "rc="));
  pty::WaitForText(shell, pty::Where::Stdout, "\n", 1s);
  EXPECT_NE(shell.Stdout.find("rc=0\n"), std::string::npos) << shell.Stdout;
  EXPECT_EQ(ReadFile(out), "hunter2\n");
  pty::Collect(shell, 200ms);
  EXPECT_EQ(shell.Terminal.find("hunter2", typedFrom), std::string::npos) << shell.Terminal;
  pty::Type(shell, "exit\r");
  EXPECT_EQ(pty::Describe(pty::Wait(shell)), "exit 0");
}

// ---- Outcomes and their texts ---------------------------------------------------

struct OutcomeCase {
  const char* Why;
  std::vector<std::string> Args;
  int Code;
  // The expected texts, made when the case runs (they need the build facts).
  std::string (*Stdout)();
  std::string (*Stderr)();
  friend void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.Why; }
};

std::string Nothing() { return ""; }
std::string ErrorText(const std::string& commandLine, const std::string& message) {
  return BannerLines("quillet", Facts()) + Report(ProgramDirectory(), commandLine, message) +
         BriefHelp("quillet");
}

const OutcomeCase kOutcomes[] = {
    {"no arguments: the missing-parameter error", {}, 64, Nothing,
     [] { return ErrorText("./quillet", kMissing); }},
    {"an unknown option", {"-x"}, 65, Nothing,
     [] { return ErrorText("./quillet -x", "Invalid Parameters Provided: -x "); }},
    {"the quiet option before the prompt option is incomplete",
     {"-q", "-p", "Name"},
     67,
     Nothing,
     [] { return ErrorText("./quillet -q -p Name", "Incomplete Parameters Provided: -q "); }},
    {"help", {"-h"}, 255, [] { return FullHelp("quillet"); },
     [] { return BannerLines("quillet", Facts()); }},
    {"extended help", {"--??"}, 255, [] { return ExtendedHelp("quillet"); },
     [] { return BannerLines("quillet", Facts()) + BuildLine("quillet", Facts()) + "\n"; }},
    {"info", {"-i"}, 0, Nothing,
     [] { return BannerLines("quillet", Facts()) + BuildLine("quillet", Facts()) + "\n"; }},
    {"version only", {"--version-only"}, 0, Nothing, [] { return BuildLine("quillet", Facts()); }},
};

class OutcomeTest : public testing::TestWithParam<OutcomeCase> {};

TEST_P(OutcomeTest, GivesItsExitCodeAndExactTexts) {
  const OutcomeCase& c = GetParam();
  // Started by a relative name, so that the command line in the report is
  // known whatever the build directory is called.
  pty::Options options;
  options.Argv = {"./quillet"};
  options.Argv.insert(options.Argv.end(), c.Args.begin(), c.Args.end());
  options.WorkingDir = fs::path(kExe).parent_path();
  Result r = RunToEnd(options);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit " + std::to_string(c.Code));
  EXPECT_EQ(r.Stdout, c.Stdout());
  EXPECT_EQ(r.Stderr, c.Stderr());
  EXPECT_EQ(r.Terminal, "") << "nothing goes to the terminal";
}

INSTANTIATE_TEST_SUITE_P(Rows, OutcomeTest, testing::ValuesIn(kOutcomes));

TEST(Outcome, RenamedCopyInADirectoryWithASpaceNamesItself) {
  TempDir dir;
  const fs::path copy = dir.Path / "my tools" / "ask";
  fs::create_directories(copy.parent_path());
  fs::copy_file(kExe, copy);
  pty::Options options;
  options.Argv = {copy.string(), "-x"};
  Result r = RunToEnd(options);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 65");
  EXPECT_EQ(r.Stderr, BannerLines("ask", Facts()) +
                          Report('"' + copy.parent_path().string() + '"',
                                 "'" + copy.string() + "' -x", "Invalid Parameters Provided: -x ") +
                          BriefHelp("ask"));
  EXPECT_EQ(r.Stdout, "");
}

// ---- The report's beep and wait ---------------------------------------------------

// Counts the dots of the wait line.
int WaitDots(const std::string& stderrText) {
  const std::string prompt = "Press Any Key to Continue...";
  std::size_t at = stderrText.find(prompt);
  if (at == std::string::npos) return -1;
  at += prompt.size();
  std::size_t end = stderrText.find('\n', at);
  return static_cast<int>(std::count(stderrText.begin() + static_cast<long>(at),
                                     stderrText.begin() + static_cast<long>(end), '.'));
}

TEST(ErrorDelay, BeepsAndAKeyEndsTheWaitEarly) {
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithArgs({"-x", "--debug-mode"})));
  ASSERT_TRUE(pty::WaitForText(session, pty::Where::Stderr, "Continue..."));
  EXPECT_FALSE(Echoes(pty::TerminalModes(session)));
  pty::Type(session, "k");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 65");
  EXPECT_EQ(r.Terminal, "\a") << "the beep, and no echo of the key";
  EXPECT_LT(WaitDots(r.Stderr), 30);
  EXPECT_EQ(r.Stderr.substr(r.Stderr.find("Continue...")).substr(11 + WaitDots(r.Stderr)),
            "\n\n" + BriefHelp("quillet"));
  EXPECT_TRUE(Echoes(r.Modes));
  EXPECT_TRUE(LineMode(r.Modes));
  EXPECT_EQ(r.Stdout, "");
}

TEST(ErrorDelay, InterruptDuringTheWaitGivesTheTerminalBack) {
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithArgs({"-x", "--error-delay"})));
  ASSERT_TRUE(pty::WaitForText(session, pty::Where::Stderr, "Continue..."));
  pty::Type(session, "\x03");
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), pty::Describe({false, -1, true, SIGINT}));
  EXPECT_TRUE(Echoes(r.Modes));
  EXPECT_TRUE(LineMode(r.Modes));
}

TEST(ErrorDelaySlow, WithoutATerminalOnStandardInputTheWaitRunsOut) {
  pty::Options options = WithArgs({"--error-delay", "-x"});
  options.StdinFile = "/dev/null";
  Result r = RunToEnd(options);

  // -x is the error-delay option's value, so the prompt option is missing.
  EXPECT_EQ(pty::Describe(r.Outcome), "exit 64");
  EXPECT_EQ(WaitDots(r.Stderr), 30);
  EXPECT_NE(r.Stderr.find("Continue..." + std::string(30, '.') + "\n\n" + BriefHelp("quillet")),
            std::string::npos)
      << r.Stderr;
}

TEST(ErrorDelaySlow, KeysTypedBeforeTheWaitAreDiscarded) {
  pty::Options options = WithArgs({"-x", "--error-delay"});
  options.TypeAhead = "early";
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, options));
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 65");
  EXPECT_EQ(WaitDots(r.Stderr), 30);
}

// ---- Failed streams ----------------------------------------------------------------

enum class Streams { FullDevice, ClosedPipe, NoTerminal };

struct FailureCase {
  const char* Why;
  std::vector<std::string> Args;
  const char* Typed;  // after the prompt, or nullptr
  Streams Setting;
  const char* Diagnostic;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.Why; }
};

pty::Options WithStreams(Streams setting, pty::Options options) {
  switch (setting) {
    case Streams::FullDevice: options.StdoutFile = "/dev/full"; break;
    case Streams::ClosedPipe: options.StdoutClosedPipe = true; break;
    case Streams::NoTerminal: options.NoControllingTerminal = true; break;
  }
  return options;
}

const FailureCase kFailures[] = {
    {"help to a full device", {"-h"}, nullptr, Streams::FullDevice,
     "quillet: write to standard output: No space left on device\n"},
    {"a hidden line to a full device", {"-p", "Secret: ", "-q"}, "pw\r", Streams::FullDevice,
     "quillet: write to standard output: No space left on device\n"},
    {"help to a pipe nobody reads", {"-h"}, nullptr, Streams::ClosedPipe,
     "quillet: write to standard output: Broken pipe\n"},
    {"a line to a pipe nobody reads", {"-p", "Name: "}, "x\r", Streams::ClosedPipe,
     "quillet: write to standard output: Broken pipe\n"},
    {"no controlling terminal", {"-p", "Name: "}, nullptr, Streams::NoTerminal,
     "quillet: open console output device: No such device or address\n"},
};

class FailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, EndsWith217AndOneDiagnostic) {
  const FailureCase& c = GetParam();
  pty::Session session;
  ASSERT_TRUE(pty::Start(session, WithStreams(c.Setting, WithArgs(c.Args))));
  if (c.Typed) {
    ASSERT_TRUE(pty::WaitForTerminal(session, ": "));
    pty::Type(session, c.Typed);
  }
  Result r = Finish(session);

  EXPECT_EQ(pty::Describe(r.Outcome), "exit 217") << c.Why;
  const std::string diagnostic = c.Diagnostic;
  EXPECT_TRUE(r.Stderr.size() >= diagnostic.size() &&
              r.Stderr.compare(r.Stderr.size() - diagnostic.size(), diagnostic.size(),
                               diagnostic) == 0)
      << c.Why << ": " << r.Stderr;
  EXPECT_TRUE(Echoes(r.Modes)) << c.Why;
}

INSTANTIATE_TEST_SUITE_P(Rows, FailureTest, testing::ValuesIn(kFailures));

}  // namespace
