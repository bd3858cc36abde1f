// quillet.exe of the Windows build, run under wine on a pseudo-terminal as a
// person at a Windows console runs it.
//
// wine shows a console on the terminal only to a process whose standard
// output or error is that terminal, so each test starts launcher_win.exe of
// the same build on the terminal, and the launcher runs quillet.exe in that
// console with its standard streams in files (see launcher_win.cpp). wine
// draws the console with cursor moves and erases, so the terminal's text is
// searched, not compared whole. The suite skips when the Windows build or
// wine is missing.
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "pty.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Where the Windows build is: QUILLET_WINDOWS_BUILD in the environment, else
// the directory the build was configured with.
fs::path WindowsBuild() {
  const char* dir = std::getenv("QUILLET_WINDOWS_BUILD");
  return dir != nullptr && *dir != '\0' ? fs::path(dir) : fs::path(QUILLET_WINDOWS_BUILD);
}

// The Windows name of a Unix path: wine's drive Z: is the root.
std::string WinPath(const fs::path& path) {
  std::string text = "Z:" + fs::absolute(path).lexically_normal().string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

std::string QuoteIfSpaced(const std::string& text) {
  return text.empty() || text.find(' ') != std::string::npos ? '"' + text + '"' : text;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// One program run by the launcher.
struct WineRun {
  fs::path Program;         // the .exe, as a Unix path
  std::string CommandLine;  // exactly what it gets
  bool ClosedStdout = false;
  fs::path StdinFile{};     // empty: the console
};

// What the launcher found once the run had ended.
struct RunEnd {
  bool Ended = false;
  std::uint32_t Exit = 0;
  bool Echo = false;  // the console echoes typing again
  int Column = -1;    // of the cursor
  std::string Stdout, Stderr;
};

class WineConsole : public testing::Test {
 protected:
  void SetUp() override {
    quillet_ = WindowsBuild() / "quillet.exe";
    launcher_ = WindowsBuild() / "tests" / "e2e" / "launcher_win.exe";
    if (!fs::exists(quillet_) || !fs::exists(launcher_))
      GTEST_SKIP() << "no Windows build in " << WindowsBuild() << " (set QUILLET_WINDOWS_BUILD)";
    if (::access(QUILLET_WINE, X_OK) != 0) GTEST_SKIP() << "no wine";
    char pattern[] = "/tmp/quillet-wine-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = fs::canonical(pattern);
    // wine's own diagnostics would land on the terminal.
    ::setenv("WINEDEBUG", "-all", 1);
  }

  void TearDown() override {
    session_.reset();
    std::error_code ignored;
    if (!dir_.empty()) fs::remove_all(dir_, ignored);  // best effort: /tmp is cleaned anyway
  }

  // Starts the launcher on a new terminal with the runs, in order.
  // Keys typed ahead wait in the terminal before the launcher starts.
  void Start(const std::vector<WineRun>& runs, bool utf8 = false,
             const std::string& typeAhead = "") {
    for (std::size_t k = 0; k < runs.size(); ++k) {
      std::ofstream plan(RunFile(static_cast<int>(k + 1), ".run"), std::ios::binary);
      plan << "program=" << WinPath(runs[k].Program) << "\n";
      if (runs[k].ClosedStdout) plan << "stdout=closed-pipe\n";
      if (!runs[k].StdinFile.empty()) plan << "stdin=" << WinPath(runs[k].StdinFile) << "\n";
      plan << "cmdline=" << runs[k].CommandLine;
    }
    pty::Options options;
    // The launcher's standard output and error are the terminal too. wine
    // reads and draws the terminal in the character set of the Unix locale.
    options.Argv = {"/bin/sh", "-c", "LC_ALL=C.UTF-8 exec \"$@\" >&0 2>&0", "sh", QUILLET_WINE,
                    launcher_.string()};
    if (utf8) options.Argv.push_back("--utf8");
    options.Argv.push_back(WinPath(dir_));
    options.Argv.push_back(std::to_string(runs.size()));
    options.TypeAhead = typeAhead;
    session_ = std::make_unique<pty::Session>();
    std::string error;
    ASSERT_TRUE(pty::Start(*session_, options, &error)) << error;
  }

  // Waits until the terminal shows `text` and wine's console has taken the
  // terminal into raw mode: typing sent before that would be edited by the
  // terminal's own line discipline.
  void WaitForPrompt(const std::string& text) {
    ASSERT_TRUE(pty::WaitForTerminal(*session_, text, 30s))
        << "not shown: " << text << "\nterminal: " << session_->Terminal;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while ((pty::TerminalModes(*session_).c_lflag & ICANON) != 0) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the console never reads";
      pty::Collect(*session_, 10ms);
    }
  }

  // Waits until run k's standard error holds `text`.
  void WaitForStderr(int k, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!Contains(ReadFile(RunFile(k, ".err")), text)) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "not written: " << text;
      pty::Collect(*session_, 20ms);
    }
  }

  void Type(const std::string& bytes) { pty::Type(*session_, bytes); }

  // Waits for the launcher to end; it ends once every run has ended.
  void Finish() {
    const pty::Outcome outcome = pty::Wait(*session_, 30s);
    EXPECT_EQ(pty::Describe(outcome), "exit 0") << "launcher; terminal: " << session_->Terminal;
  }

  RunEnd Result(int k) const {
    RunEnd end;
    std::istringstream lines(ReadFile(RunFile(k, ".end")));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (StartsWith(line, "exit=")) {
        end.Ended = true;
        end.Exit = static_cast<std::uint32_t>(std::stoul(line.substr(5), nullptr, 16));
      } else if (StartsWith(line, "echo=")) {
        end.Echo = line == "echo=1";
      } else if (StartsWith(line, "column=")) {
        end.Column = std::stoi(line.substr(7));
      }
    }
    end.Stdout = ReadFile(RunFile(k, ".out"));
    end.Stderr = ReadFile(RunFile(k, ".err"));
    return end;
  }

  const std::string& Terminal() const { return session_->Terminal; }

  fs::path RunFile(int k, const char* suffix) const {
    return dir_ / (std::to_string(k) + suffix);
  }

  fs::path quillet_, launcher_, dir_;
  std::unique_ptr<pty::Session> session_;
};

constexpr std::uint32_t kInterrupted = 0xC000013A;

// ---- The line input ------------------------------------------------------------

TEST_F(WineConsole, HiddenReadHandsOverTheSecretAndALaterReadEchoes) {
  Start({{quillet_, R"(quillet.exe -p "Enter the password: " -q)"},
         {quillet_, R"(quillet.exe -p "Name: ")"}});
  WaitForPrompt("Enter the password:");
  Type("s3cr3t pass\r");
  WaitForPrompt("Name:");
  Type("Ada Lovelace\r");
  Finish();

  const RunEnd hidden = Result(1);
  EXPECT_EQ(hidden.Exit, 0u);
  EXPECT_EQ(hidden.Stdout, "s3cr3t pass\r\n");
  EXPECT_EQ(hidden.Stderr, "");
  EXPECT_FALSE(Contains(Terminal(), "s3cr3t")) << Terminal();
  EXPECT_EQ(hidden.Column, 0) << "the backspaces step back over the 20 prompt characters";
  EXPECT_TRUE(hidden.Echo) << "echo is back on once the program has ended";

  const RunEnd visible = Result(2);
  EXPECT_EQ(visible.Exit, 0u);
  EXPECT_EQ(visible.Stdout, "Ada Lovelace\r\n");
  EXPECT_TRUE(Contains(Terminal(), "Ada Lovelace")) << "the later read shows its typing";
}

// In a UTF-8 console: the prompt, given in the ANSI code page (1252 under
// wine), shows as its characters, and one backspace steps back over each;
// the typed line reaches standard output as UTF-8.
TEST_F(WineConsole, NonAsciiTextKeepsItsCharactersInAUtf8Console) {
  Start({{quillet_, "quillet.exe -p \"Contrase\xF1" "a: \" -q"}}, /*utf8=*/true);
  WaitForPrompt("Contrase\xC3\xB1" "a:");
  Type("contrase\xC3\xB1" "a\r");
  Finish();

  const RunEnd run = Result(1);
  EXPECT_EQ(run.Exit, 0u);
  EXPECT_EQ(run.Stdout, "contrase\xC3\xB1" "a\r\n");
  EXPECT_EQ(run.Column, 0);
}

TEST_F(WineConsole, RedirectedStandardInputIsNotRead) {
  const fs::path input = dir_ / "input.txt";
  std::ofstream(input, std::ios::binary) << "from the file\r\n";
  Start({{quillet_, R"(quillet.exe -p "Name: ")", false, input}});
  WaitForPrompt("Name:");
  Type("Ada\r");
  Finish();

  const RunEnd run = Result(1);
  EXPECT_EQ(run.Exit, 0u);
  EXPECT_EQ(run.Stdout, "Ada\r\n");
}

// Ctrl+C ends a hidden read as an interrupted program ends, with nothing
// handed over and echo back on; the next program in the console then reads
// the next line whole, not one glued to what was typed before the interrupt.
TEST_F(WineConsole, InterruptDuringAHiddenReadHandsOverNothing) {
  Start({{quillet_, R"(quillet.exe -p "Enter the password: " -q)"},
         {quillet_, R"(quillet.exe -p "Name: ")"}});
  WaitForPrompt("Enter the password:");
  Type("half");
  pty::Collect(*session_, 200ms);
  Type("\x03");
  WaitForPrompt("Name:");
  Type("Ada\r");
  Finish();

  const RunEnd interrupted = Result(1);
  EXPECT_EQ(interrupted.Exit, kInterrupted);
  EXPECT_EQ(interrupted.Stdout, "");
  EXPECT_EQ(interrupted.Stderr, "");
  EXPECT_TRUE(interrupted.Echo);
  EXPECT_FALSE(Contains(Terminal(), "half")) << Terminal();

  EXPECT_EQ(Result(2).Stdout, "Ada\r\n");
}

// ---- Outcomes ------------------------------------------------------------------

const std::string kMissing =
    "Missing Essential Parameters (e.g. -p -H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY "
    "--BUILD-ONLY --INFO)";

// The report of an unusable command line, from its heading to the empty line
// after the message.
std::string Report(const fs::path& program, const std::string& commandLine,
                   const std::string& message) {
  return "Invalid or Incomplete Syntax!\r\n\r\nExecution Path ... " +
         QuoteIfSpaced(WinPath(program.parent_path())) + "\r\nYou entered ...... " + commandLine +
         "\r\n\r\n" + message + "\r\n\r\n";
}

std::string BriefHelpEnd(const std::string& name) {
  return "For more details, please type: " + name + " -?  OR  " + name + " --??\r\n";
}

TEST_F(WineConsole, OutcomesGiveTheirExitCodesAndTexts) {
  // The raw command line is shown as given: doubled spaces and quotes stay.
  Start({{quillet_, "quillet.exe"},
         {quillet_, R"(quillet.exe  -x  "-p")"},
         {quillet_, "quillet.exe -h"},
         {quillet_, "quillet.exe -i"}});
  Finish();

  const RunEnd missing = Result(1);
  EXPECT_EQ(missing.Exit, 64u);
  EXPECT_EQ(missing.Stdout, "");
  EXPECT_TRUE(StartsWith(missing.Stderr, "quillet v1.2.0 x64 (")) << missing.Stderr;
  EXPECT_TRUE(Contains(missing.Stderr, Report(quillet_, "quillet.exe", kMissing)))
      << missing.Stderr;
  EXPECT_TRUE(EndsWith(missing.Stderr, BriefHelpEnd("quillet"))) << missing.Stderr;

  const RunEnd invalid = Result(2);
  EXPECT_EQ(invalid.Exit, 65u);
  EXPECT_EQ(invalid.Stdout, "");
  EXPECT_TRUE(Contains(invalid.Stderr, "\r\nYou entered ...... quillet.exe  -x  \"-p\"\r\n"))
      << invalid.Stderr;
  EXPECT_TRUE(Contains(invalid.Stderr, "\r\nInvalid Parameters Provided: -x")) << invalid.Stderr;

  const RunEnd help = Result(3);
  EXPECT_EQ(help.Exit, 255u);
  EXPECT_TRUE(Contains(help.Stdout, "\r\nOPTION DEFINITIONS:\r\n")) << help.Stdout;
  EXPECT_FALSE(Contains(help.Stdout, "\n\n")) << "every line ends in CR LF";

  const RunEnd info = Result(4);
  EXPECT_EQ(info.Exit, 0u);
  EXPECT_EQ(info.Stdout, "");
  EXPECT_TRUE(Contains(info.Stderr, "\r\nquillet.exe v1.2.0.100 x64 was compiled on ")) << info.Stderr;
}

TEST_F(WineConsole, RenamedCopyInADirectoryWithASpaceNamesItself) {
  const fs::path copy = dir_ / "my tools" / "ask.exe";
  fs::create_directories(copy.parent_path());
  fs::copy_file(quillet_, copy);
  Start({{copy, "ask -x"}});
  Finish();

  const RunEnd run = Result(1);
  EXPECT_EQ(run.Exit, 65u);
  EXPECT_TRUE(StartsWith(run.Stderr, "ask v1.2.0 x64 (")) << run.Stderr;
  EXPECT_TRUE(Contains(run.Stderr, "\r\nExecution Path ... \"" + WinPath(copy.parent_path()) +
                                       "\"\r\n"))
      << run.Stderr;
  EXPECT_TRUE(EndsWith(run.Stderr, BriefHelpEnd("ask"))) << run.Stderr;
}

// The longest path a program starts from (259 characters: wine starts none
// longer) gives the whole directory and name, not their first 255
// characters.
TEST_F(WineConsole, ProgramOnTheLongestPathKnowsItsWholePath) {
  constexpr std::size_t kLongest = 259;
  fs::path deep = dir_;
  std::size_t left = kLongest - WinPath(dir_).size() - std::string("\\ask.exe").size();
  for (char letter = 'a'; left > 0; ++letter) {
    const std::size_t length = left > 60 ? 50 : left - 1;  // each name costs a "\\" more
    deep /= std::string(length, letter);
    left -= length + 1;
  }
  const fs::path copy = deep / "ask.exe";
  fs::create_directories(deep);
  fs::copy_file(quillet_, copy);
  ASSERT_EQ(WinPath(copy).size(), kLongest);
  Start({{copy, "ask -x"}});
  Finish();

  const RunEnd run = Result(1);
  EXPECT_EQ(run.Exit, 65u) << run.Stderr;
  EXPECT_TRUE(StartsWith(run.Stderr, "ask v1.2.0 x64 (")) << run.Stderr;
  EXPECT_TRUE(Contains(run.Stderr, "\r\nExecution Path ... " + WinPath(deep) + "\r\n"))
      << run.Stderr;
}

TEST_F(WineConsole, FailedWriteToStandardOutputEndsWith217AndTheSystemsReason) {
  Start({{quillet_, R"(quillet.exe -p "Name: ")", /*ClosedStdout=*/true}});
  WaitForPrompt("Name:");
  Type("Ada\r");
  Finish();

  const RunEnd run = Result(1);
  EXPECT_EQ(run.Exit, 217u);
  EXPECT_TRUE(StartsWith(run.Stderr, "quillet: write to standard output: ")) << run.Stderr;
  EXPECT_TRUE(EndsWith(run.Stderr, "\r\n")) << run.Stderr;
  EXPECT_FALSE(EndsWith(run.Stderr, ".\r\n")) << "the system's message without its dot";
  EXPECT_EQ(std::count(run.Stderr.begin(), run.Stderr.end(), '\n'), 1) << run.Stderr;
}

// ---- The report's wait for a key -------------------------------------------------

int WaitDots(const std::string& stderrText) {
  const std::string prompt = "Press Any Key to Continue...";
  std::size_t at = stderrText.find(prompt);
  if (at == std::string::npos) return -1;
  at += prompt.size();
  const std::size_t end = std::min(stderrText.find('\r', at), stderrText.size());
  return static_cast<int>(std::count(stderrText.begin() + static_cast<long>(at),
                                     stderrText.begin() + static_cast<long>(end), '.'));
}

TEST_F(WineConsole, AKeyEndsTheReportsWaitEarly) {
  Start({{quillet_, "quillet.exe -x --error-delay"}, {quillet_, R"(quillet.exe -p "Name: ")"}});
  WaitForStderr(1, "Continue...");
  Type("k");
  WaitForPrompt("Name:");
  Type("Ada\r");
  Finish();

  const RunEnd report = Result(1);
  EXPECT_EQ(report.Exit, 65u);
  EXPECT_LT(WaitDots(report.Stderr), 30) << report.Stderr;
  EXPECT_TRUE(EndsWith(report.Stderr, BriefHelpEnd("quillet"))) << report.Stderr;
  EXPECT_EQ(Result(2).Stdout, "Ada\r\n") << "the key that ended the wait is gone";
}

class WineConsoleSlow : public WineConsole {};

TEST_F(WineConsoleSlow, KeysTypedBeforeTheWaitAreDiscarded) {
  Start({{quillet_, "quillet.exe -x --error-delay"}}, /*utf8=*/false, /*typeAhead=*/"early");
  Finish();

  const RunEnd report = Result(1);
  EXPECT_EQ(report.Exit, 65u);
  EXPECT_EQ(WaitDots(report.Stderr), 30) << report.Stderr;
}

}  // namespace
