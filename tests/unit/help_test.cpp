// The three help forms, byte for byte, for the program under its own name and
// under another.
#include "app/help.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/identity.h"
#include "core/state.h"
#include "golden.h"
#include "platform/fake/fake_console.h"

namespace {

struct HelpCase {
  const char* Why;
  const char* ProgramFile;  // in D:\Tools
  const char* Name;         // what the golden text's "Quillet" becomes
  bool Brief, Verbose;
  const char* Golden;
  friend void PrintTo(const HelpCase& c, std::ostream* os) { *os << c.Why; }
};

const HelpCase kHelpCases[] = {
    {"brief", "Quillet.exe", "Quillet", true, false, "help_brief.txt"},
    {"brief whatever the verbose option says", "Quillet.exe", "Quillet", true, true,
     "help_brief.txt"},
    {"brief under another name", "ask.exe", "ask", true, false, "help_brief.txt"},
    {"full", "Quillet.exe", "Quillet", false, false, "help_full.txt"},
    {"full under another name", "ask.exe", "ask", false, false, "help_full.txt"},
    {"extended with the verbose option", "Quillet.exe", "Quillet", false, true,
     "help_extended.txt"},
    {"extended under another name", "ask.exe", "ask", false, true, "help_extended.txt"},
};

class HelpForms : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpForms, WriteTheirTextToCoreOutput) {
  const HelpCase& c = GetParam();
  fake::Reset();
  fake::Machine().Arg0 = std::string(R"(D:\Tools\)") + c.ProgramFile;
  CoreStartup();
  FillVersionInfo(AppVersionInfo, "1.2.0", "1.2.0.100", "", false);
  VerboseParam.Found = c.Verbose;

  ShowSyntax(c.Brief);

  EXPECT_EQ(fake::Machine().StdOut, golden::Replaced(golden::File(c.Golden), "Quillet", c.Name));
  EXPECT_EQ(fake::Machine().StdErr, "");
}

INSTANTIATE_TEST_SUITE_P(Forms, HelpForms, testing::ValuesIn(kHelpCases));

}  // namespace
