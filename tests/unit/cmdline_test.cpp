// Splitting of the raw Windows command line, one reason a row.
#include "platform/cmdline.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
  const char* Why;
  std::string Raw;
  Args Expected;
  friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.Why; }
};

const SplitCase kCases[] = {
    {"prompt ending in a space", R"(q.exe -p "What is your name? ")", {"-p", "What is your name? "}},
    {"prompt then quiet", R"(q.exe -p "Enter the password: " -q)",
     {"-p", "Enter the password: ", "-q"}},
    {"empty quoted value", R"(q.exe -p "")", {"-p", ""}},
    {"empty value between options", R"(q.exe -p "" -q)", {"-p", "", "-q"}},
    {"quotes open and close inside a word", R"(q.exe -p ab"c d"e)", {"-p", "abc de"}},
    {"backslash before a quote does not escape it", R"(q.exe -p "D:\Temp\" -q)",
     {"-p", R"(D:\Temp\)", "-q"}},
    {"doubled quotes inside quotes vanish", R"(q.exe -p "say ""hi""")", {"-p", "say hi"}},
    {"unclosed quote runs to the end", R"(q.exe -p "one two)", {"-p", "one two"}},
    {"a quoted single space", R"(q.exe -p " ")", {"-p", " "}},
    {"leading blanks and trailing tab", "q.exe  -q\t", {"-q"}},
    {"program name alone", "q.exe", {}},
    {"program name and separators only", "q.exe \t \r\n", {}},
    {"nothing at all", "", {}},
    {"quoted program name with spaces", R"("D:\My Tools\prog.exe" -b)", {"-b"}},
    {"lone quote as the last word", "q.exe -p \"", {"-p", ""}},
    {"tab and control bytes inside quotes belong to the word", "q.exe \"a\tb\x01\"", {"a\tb\x01"}},
    {"control bytes separate outside quotes", "q.exe a\x01" "b\x1f" "c", {"a", "b", "c"}},
    {"bytes above 127 are ordinary", "q.exe \xe9t\xe9 \xff", {"\xe9t\xe9", "\xff"}},
    {"the text ends at a NUL byte", std::string("q.exe a\0b", 9), {"a"}},
    {"a pair of quotes outside quotes adds nothing", R"(q.exe a""b)", {"ab"}},
};

class SplitCommandLineTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTest, GivesTheArguments) {
  EXPECT_EQ(plat::SplitCommandLine(GetParam().Raw), GetParam().Expected) << GetParam().Why;
}

INSTANTIATE_TEST_SUITE_P(Rows, SplitCommandLineTest, testing::ValuesIn(kCases));

}  // namespace
