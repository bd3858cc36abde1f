// The raw command line of the POSIX build, rebuilt from argv so that it can
// be pasted back into a shell.
#include "platform/shellquote.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct QuoteCase {
  const char* Why;
  std::string Word;
  std::string Expected;
  friend void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.Why; }
};

const QuoteCase kCases[] = {
    {"every character of the safe set stays bare",
     "azAZ09@%+=:,./-_", "azAZ09@%+=:,./-_"},
    {"the empty word", "", "''"},
    {"a space", "Enter the password: ", "'Enter the password: '"},
    {"a single quote is closed, quoted and reopened", "it's", "'it'\"'\"'s'"},
    {"a lone single quote", "'", "''\"'\"''"},
    {"shell specials are quoted", "$HOME;`x`*?[]!&|<>(){}~#\\\"", "'$HOME;`x`*?[]!&|<>(){}~#\\\"'"},
    {"a line feed is quoted, not escaped", "a\nb", "'a\nb'"},
    {"bytes above 127 are quoted", "\xc3\xa9t\xc3\xa9", "'\xc3\xa9t\xc3\xa9'"},
};

class ShellQuoteTest : public testing::TestWithParam<QuoteCase> {};

TEST_P(ShellQuoteTest, GivesTheShellWord) {
  EXPECT_EQ(plat::ShellQuote(GetParam().Word), GetParam().Expected) << GetParam().Why;
}

INSTANTIATE_TEST_SUITE_P(Rows, ShellQuoteTest, testing::ValuesIn(kCases));

TEST(ShellCommandLine, JoinsQuotedWordsWithSingleSpaces) {
  EXPECT_EQ(plat::ShellCommandLine({"./quillet", "-p", "Name: ", "", "-q"}),
            "./quillet -p 'Name: ' '' -q");
  EXPECT_EQ(plat::ShellCommandLine({"/tmp/my dir/ask"}), "'/tmp/my dir/ask'");
  EXPECT_EQ(plat::ShellCommandLine({}), "");
}

}  // namespace
