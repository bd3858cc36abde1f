// The line input: what reaches standard output and the console for scripted
// typing, and the order of the console operations of a hidden read.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "program_run.h"

namespace {

struct LineCase {
  const char* Why;
  std::vector<std::string> Typed;  // one chunk per console read
  std::string Expected;            // standard output
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.Why; }
};

const std::string kLong(10000, 'x');

const LineCase kLineCases[] = {
    {"CR LF ends the line", {"Ann\r\n"}, "Ann\r\n"},
    {"a lone LF ends the line", {"Ann\n"}, "Ann\r\n"},
    {"a lone CR ends the line, the text after it is not read", {"Ann\rBob\r\n"}, "Ann\r\n"},
    {"Ctrl+Z ends the line", {"Ann\x1amore\r\n"}, "Ann\r\n"},
    {"Enter at once gives an empty line", {"\r\n"}, "\r\n"},
    {"a line over several reads", {"An", "n Lee\r\n"}, "Ann Lee\r\n"},
    {"a line longer than the read buffer, over several refills", {kLong + "\r\n"}, kLong + "\r\n"},
    {"end of input before a line end", {"Ann"}, "Ann\r\n"},
    {"end of input before any byte", {}, "\r\n"},
    {"bytes above 127 pass unchanged", {"Jos\xc3\xa9\r\n"}, "Jos\xc3\xa9\r\n"},
};

class LineReadTest : public testing::TestWithParam<LineCase> {};

TEST_P(LineReadTest, WritesTheLineAndALineEnd) {
  ProgramRun run = RunProgram({"-p", "Name: "}, GetParam().Typed);
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, GetParam().Expected);
  EXPECT_EQ(run.Console, "Name: ");
  EXPECT_EQ(run.Err, "");
}

INSTANTIATE_TEST_SUITE_P(Rows, LineReadTest, testing::ValuesIn(kLineCases));

TEST(LineInputTest, LongLineNeedsSeveralReads) {
  ProgramRun run = RunProgram({"-p", "Name: "}, {kLong + "\r\n"});
  // 10,002 bytes through a 4,096-byte buffer: three reads.
  EXPECT_EQ(run.Events, "OFMIrrr");
}

TEST(LineInputTest, HiddenReadSwitchesEchoOffBeforeThePromptAndBackAfterTheLine) {
  ProgramRun run = RunProgram({"-p", "Enter the password: ", "-q"}, {"s3cret\r\n"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, "s3cret\r\n");
  EXPECT_EQ(run.Console, "Enter the password: " + std::string(20, '\b'));
  // Mode handle and hide, then the prompt; restore right after the read, then
  // the backspaces.
  EXPECT_EQ(run.Events, "OMHFIrRF");
  EXPECT_FALSE(run.EchoOffAtEnd);
}

TEST(LineInputTest, VisibleReadLeavesTheModeAlone) {
  ProgramRun run = RunProgram({"-p", "Name: "}, {"Ann\r\n"});
  EXPECT_EQ(run.Events, "OFMIr");
}

struct PromptCase {
  const char* Why;
  std::vector<std::string> Args;
  std::string Console;
  std::string Events;
  friend void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.Why; }
};

const PromptCase kPromptCases[] = {
    {"empty prompt: nothing written, line read with echo", {"-p", ""}, "", "OMIr"},
    {"prompt as the last argument: empty value", {"-p"}, "", "OMIr"},
    {"empty prompt, hidden: no prompt and no backspaces", {"-p", "", "-q"}, "", "OMHIrR"},
    {"quiet alone: hidden read without a prompt", {"-q"}, "", "OMHIrR"},
    {"quiet with a word: the word is its ignored value", {"-q", "word"}, "", "OMHIrR"},
    {"prompt -q: the prompt is -q and the input hidden", {"-p", "-q"}, "-q\b\b", "OMHFIrRF"},
    {"attached prompt", {"--prompt=Hi there"}, "Hi there", "OFMIr"},
    {"default and mask are accepted and ignored", {"-d", "x", "-m", "*", "-p", "Name"}, "Name",
     "OFMIr"},
};

class PromptTest : public testing::TestWithParam<PromptCase> {};

TEST_P(PromptTest, ConsoleShowsThePromptAndReadsTheLine) {
  ProgramRun run = RunProgram(GetParam().Args, {"Ann\r\n"});
  EXPECT_EQ(run.Code, 0);
  EXPECT_EQ(run.Out, "Ann\r\n");
  EXPECT_EQ(run.Console, GetParam().Console);
  EXPECT_EQ(run.Events, GetParam().Events);
  EXPECT_FALSE(run.EchoOffAtEnd);
}

INSTANTIATE_TEST_SUITE_P(Rows, PromptTest, testing::ValuesIn(kPromptCases));

TEST(LineInputTest, NeitherPromptNorQuietOpensTheConsoleAndReadsNothing) {
  ProgramRun run = RunProgram({}, {"Ann\r\n"});
  EXPECT_EQ(run.Code, 64);
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Console, "");
  EXPECT_EQ(run.Events, "O");
}

}  // namespace
