// Syntax validation: the driver's lookups and validation over whole command
// lines, the lists and counts of the record, and the text operations behind
// them.
#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lookup_fixture.h"

namespace {

using lookup_fixture::Args;
using lookup_fixture::RunDriverLookups;
using lookup_fixture::Start;

constexpr const char* kDriverInfoSwitches =
    "-H --HELP -? --H2 --HELP2 --?? --VERSION-ONLY --BUILD-ONLY --INFO";

// The whole record as text, so that a failure shows every field.
std::string Dump(const TParamStatisticsRec& s) {
  std::ostringstream out;
  out << "SyntaxOK " << s.SyntaxOK << " Validated " << s.Validated << " MandatoryMissing "
      << s.MandatoryMissing << "\nFirst " << s.FirstIndex << " Last " << s.LastIndex
      << "\nArg " << s.ArgCount << " [" << s.ArgList << "]\nUnique " << s.UniqueCount << " ["
      << s.UniqueList << "]\nNonEmpty " << s.NonEmptyCount << " [" << s.NonEmptyList
      << "]\nShown " << s.ShownCount << " [" << s.ShownList << "]\nSwitch " << s.SwitchCount
      << " [" << s.SwitchList << "]\nValueArg " << s.ValueArgCount << " [" << s.ValueArgList
      << "]\nOther " << s.OtherCount << " [" << s.OtherList << "]\nAttached " << s.AttachedCount
      << " [" << s.AttachedList << "]\nIncomplete " << s.IncompleteCount << " ["
      << s.IncompleteList << "]\nInvalid " << s.InvalidCount << " [" << s.InvalidList
      << "]\nOutOfRange " << s.OutOfRangeCount << " [" << s.OutOfRangeList
      << "]\nReservedStatus " << s.ReservedStatusCount << " [" << s.ReservedStatusList
      << "]\nMandatoryFound [" << s.MandatoryFound << "]\nMandatoryForms [" << s.MandatoryForms
      << "]\nLabel [" << s.Label << "]\n";
  return out.str();
}

// The driver's run up to its verdict.
void LookUpAndValidate(Args args) {
  Start(std::move(args));
  (void)RunDriverLookups();  // the marks in ParamList are what validation reads
  ValidateSyntax(CustomValidation, ParamList, kMandatoryKeywords, true, -1, -1);
}

struct VerdictCase {
  const char* Why;
  Args Arguments;
  const char* Invalid;
  std::uint16_t InvalidCount;
  const char* Incomplete;
  std::uint16_t IncompleteCount;
  const char* MandatoryFound;
  bool SyntaxOK;
  friend void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.Why; }
};

const VerdictCase kVerdictCases[] = {
    {"prompt and quiet", {"-p", "Name", "-q"}, "", 0, "", 0, "-p ", true},
    {"an unknown option", {"-p", "Name?", "-x"}, "-x ", 1, "", 0, "-p ", false},
    {"spaced and unknown arguments, quoted in the list",
     {"-x", "a b"}, "-x \"a b\" ", 2, "", 0, "", false},
    {"-q -p x: -q is incomplete", {"-q", "-p", "x"}, "", 0, "-q ", 1, "-p ", false},
    {"-p a -p b: the second occurrence and its value are invalid",
     {"-p", "a", "-p", "b"}, "-p b ", 2, "", 0, "-p ", false},
    {"an unclaimed empty argument shows as a pair of quotation marks",
     {"-p", "x", ""}, "\"\" ", 1, "", 0, "-p ", false},
    {"only the missing mandatory option", {"-q"}, "", 0, "", 0, "", false},
    {"--prompt=Hi does not count as the mandatory option",
     {"--prompt=Hi"}, "", 0, "", 0, "", false},
    {"--prompt:Hi counts, as typed", {"--Prompt:Hi"}, "", 0, "", 0, "--Prompt ", true},
    {"an attached value with a space hides the option in quotation marks",
     {"-p:Hi there"}, "", 0, "", 0, "", false},
    {"/prompt is a mandatory form", {"/prompt", "Name"}, "", 0, "", 0, "/prompt ", true},
    {"the help option does not change the record", {"-h", "-x"}, "-x ", 1, "", 0, "", false},
};

class DriverVerdict : public testing::TestWithParam<VerdictCase> {};

TEST_P(DriverVerdict, ListsAndVerdict) {
  const VerdictCase& c = GetParam();
  LookUpAndValidate(c.Arguments);
  const TParamStatisticsRec& s = CustomValidation;
  SCOPED_TRACE(Dump(s));
  EXPECT_EQ(s.InvalidList, c.Invalid);
  EXPECT_EQ(s.InvalidCount, c.InvalidCount);
  EXPECT_EQ(s.IncompleteList, c.Incomplete);
  EXPECT_EQ(s.IncompleteCount, c.IncompleteCount);
  EXPECT_EQ(s.MandatoryFound, c.MandatoryFound);
  EXPECT_EQ(s.MandatoryMissing, std::string(c.MandatoryFound).empty());
  EXPECT_EQ(s.SyntaxOK, c.SyntaxOK);
  EXPECT_EQ(s.MandatoryForms, "/P -P /PROMPT --PROMPT ");
}

INSTANTIATE_TEST_SUITE_P(Validate, DriverVerdict, testing::ValuesIn(kVerdictCases));

TEST(ValidateRecord, NoArgumentsMissOnlyTheMandatoryOption) {
  LookUpAndValidate({});
  TParamStatisticsRec expected;
  InitStatisticsRec(expected, kCustomValidationLabel);
  expected.Validated = true;
  expected.MandatoryMissing = true;
  expected.SyntaxOK = false;
  expected.MandatoryForms = "/P -P /PROMPT --PROMPT ";
  EXPECT_EQ(Dump(CustomValidation), Dump(expected));
  EXPECT_EQ(InfoSwitchList, kDriverInfoSwitches);
}

TEST(ValidateRecord, EveryListOfAMixedCommandLine) {
  // -x unclaimed, -p with a spaced value, -q with an attached value, an
  // unclaimed empty argument, a second -P (unclaimed: the first -p won), and
  // -d at the end with an empty value.
  LookUpAndValidate({"-x", "-p", "Hi there", "-q:v", "", "-P", "-d"});
  TParamStatisticsRec expected;
  InitStatisticsRec(expected, kCustomValidationLabel);
  expected.SyntaxOK = false;
  expected.Validated = true;
  expected.LastIndex = 6;
  expected.ArgCount = 7;
  expected.ArgList = "-x -p \"Hi there\" -q:v \"\" -P -d ";
  expected.UniqueCount = 6;  // -P is inside "-x -p ", without case
  expected.UniqueList = "-x -p \"Hi there\" -q:v \"\" -d ";
  expected.NonEmptyCount = 6;
  expected.NonEmptyList = "-x -p \"Hi there\" -q:v -P -d ";
  expected.ShownCount = 7;
  expected.ShownList = expected.ArgList;
  expected.SwitchCount = 2;
  expected.SwitchList = "-p -d ";
  expected.ValueArgCount = 1;
  expected.ValueArgList = "\"Hi there\" ";
  expected.OtherCount = 4;
  expected.OtherList = "-x -q:v \"\" -P ";
  expected.AttachedCount = 1;
  expected.AttachedList = "-q:v ";
  expected.InvalidCount = 3;
  expected.InvalidList = "-x \"\" -P ";
  expected.MandatoryFound = "-p ";
  expected.MandatoryForms = "/P -P /PROMPT --PROMPT ";
  EXPECT_EQ(Dump(CustomValidation), Dump(expected));

  expected.Label = kDefaultValidationLabel;
  EXPECT_EQ(Dump(DefaultValidation), Dump(expected)) << "the first call fills the default too";
}

TEST(ValidateRecord, ValidatingTwiceGivesTheSameRecord) {
  LookUpAndValidate({"-x", "-q", "-p", "x", "a b", "--h2"});
  const std::string once = Dump(CustomValidation);
  ValidateSyntax(CustomValidation, ParamList, kMandatoryKeywords, true, -1, -1);
  EXPECT_EQ(Dump(CustomValidation), once);
  EXPECT_EQ(InfoSwitchList, kDriverInfoSwitches) << "a later validation adds nothing";
}

TEST(ValidateRecord, DefaultValidationIsFilledOnceOverTheWholeList) {
  Start({"-p", "x", "y"});
  TParamStatisticsRec ranged;
  ValidateSyntax(ranged, ParamList, "P", true, 2, 2);
  EXPECT_EQ(ranged.ArgList, "y ");
  EXPECT_EQ(DefaultValidation.ArgList, "-p x y ");
  EXPECT_EQ(DefaultValidation.Label, kDefaultValidationLabel);

  ParamList[0].Status = kStatusOption;
  ValidateSyntax(ranged, ParamList, "P", true, -1, -1);
  EXPECT_EQ(ranged.InvalidList, "x y ");
  EXPECT_EQ(DefaultValidation.InvalidList, "-p x y ") << "validated again";
  EXPECT_TRUE(DefaultValidation.MandatoryMissing);
}

// ---- Ranges, statuses, counts -------------------------------------------------

struct RangeCase {
  const char* Why;
  std::int32_t First, Last;
  const char* Args;
  const char* OutOfRange;
  std::uint16_t FirstIndex, LastIndex;
  bool SyntaxOK;
  friend void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.Why; }
};

// Four arguments a b c d, all marked as options, no mandatory keywords.
const RangeCase kRangeCases[] = {
    {"whole list", -1, -1, "a b c d ", "", 0, 3, true},
    {"inner range", 1, 2, "b c ", "a d ", 1, 2, true},
    {"last beyond the end", 2, 99, "c d ", "a b ", 2, 3, true},
    {"negative first and last", -7, -7, "a b c d ", "", 0, 3, true},
    {"first above last: nothing validated, first exceeds ArgCount", 3, 1, "", "a b c d ", 3, 1,
     false},
    {"first beyond the list", 9, -1, "", "a b c d ", 9, 3, false},
    {"first is compared with the number validated, not with the list: 3 > 1", 3, 3, "d ",
     "a b c ", 3, 3, false},
};

class ValidateRange : public testing::TestWithParam<RangeCase> {};

TEST_P(ValidateRange, InsideAndOutside) {
  const RangeCase& c = GetParam();
  Start({"a", "b", "c", "d"});
  for (TParamStatusRec& entry : ParamList) entry.Status = kStatusOption;
  TParamStatisticsRec s;
  ValidateSyntax(s, ParamList, "", true, c.First, c.Last);
  SCOPED_TRACE(Dump(s));
  EXPECT_EQ(s.ArgList, c.Args);
  EXPECT_EQ(s.SwitchList, c.Args);
  EXPECT_EQ(s.OutOfRangeList, c.OutOfRange);
  EXPECT_EQ(s.FirstIndex, c.FirstIndex);
  EXPECT_EQ(s.LastIndex, c.LastIndex);
  EXPECT_FALSE(s.MandatoryMissing) << "no mandatory forms, so nothing is missing";
  EXPECT_EQ(s.SyntaxOK, c.SyntaxOK);
}

INSTANTIATE_TEST_SUITE_P(Validate, ValidateRange, testing::ValuesIn(kRangeCases));

TEST(ValidateStatuses, EmptyListUsesTheCallersFirst) {
  Start({});
  TParamStatisticsRec s;
  ValidateSyntax(s, ParamList, "", true, -1, -1);
  EXPECT_TRUE(s.SyntaxOK);
  ValidateSyntax(s, ParamList, "", true, 0, -1);
  EXPECT_TRUE(s.SyntaxOK);
  ValidateSyntax(s, ParamList, "", true, 1, -1);
  EXPECT_FALSE(s.SyntaxOK);
  EXPECT_EQ(s.FirstIndex, 0);
}

TEST(ValidateStatuses, ReservedAndUnknownStatuses) {
  Start({"r1", "r2", "one", "seven"});
  ParamList[0].Status = kStatusReserved;
  ParamList[1].Status = kStatusReserved;
  ParamList[2].Status = 1;
  ParamList[3].Status = 7;
  TParamStatisticsRec s;
  ValidateSyntax(s, ParamList, "", false, 1, -1);
  SCOPED_TRACE(Dump(s));
  EXPECT_EQ(s.ReservedStatusList, "r1 r2 ") << "inside and outside the range";
  EXPECT_EQ(s.ReservedStatusCount, 2);
  EXPECT_EQ(s.OutOfRangeList, "r1 ");
  EXPECT_EQ(s.OtherList, "r2 one seven ");
  EXPECT_EQ(s.InvalidList, "");
  EXPECT_TRUE(s.SyntaxOK) << "reserved and unknown statuses are neither invalid nor incomplete";
}

TEST(ValidateStatuses, CountsStopAtTheLargest16BitValueWhileIndexesKeepTheirLow16Bits) {
  Args args(65537, "x");
  Start(args);
  TParamStatisticsRec s;
  ValidateSyntax(s, ParamList, "", false, -1, -1);
  EXPECT_EQ(s.InvalidCount, 65535) << "a wrapped count would read as no invalid argument";
  EXPECT_EQ(s.ArgCount, 65535);
  EXPECT_EQ(s.LastIndex, 0);
  EXPECT_EQ(s.UniqueList, "x ");
  EXPECT_FALSE(s.SyntaxOK);

  ValidateSyntax(s, ParamList, "", false, 65537, -1);
  EXPECT_EQ(s.FirstIndex, 1);
  EXPECT_EQ(s.OutOfRangeCount, 65535);
}

// ---- UniqueList -----------------------------------------------------------

TEST(UniqueList, SubstringTestWithoutCase) {
  struct Row {
    const char* Why;
    Args Arguments;
    const char* Unique;
  };
  const Row rows[] = {
      {"inside a longer item", {"-pa", "a"}, "-pa "},
      {"without letter case", {"-PA", "pA", "b"}, "-PA b "},
      {"across two items and the space between", {"ab", "cd", "b c"}, "ab cd "},
      {"a shorter item first does not hide a longer one", {"b", "ab"}, "b ab "},
      {"spaced items are tested unquoted, listed quoted", {"a b", "a", "\"a"}, "\"a b\" "},
      {"empty arguments", {"", "", "\"\""}, "\"\" "},
  };
  for (const Row& row : rows) {
    Start(row.Arguments);
    TParamStatisticsRec s;
    ValidateSyntax(s, ParamList, "", false, -1, -1);
    EXPECT_EQ(s.UniqueList, row.Unique) << row.Why;
  }
}

// The plain definition: the lower-cased text inside the lower-cased list.
std::string NaiveUniqueList(const Args& args) {
  auto lower = [](std::string text) {
    for (char& c : text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
  };
  std::string list;
  std::uint16_t count = 0;
  for (const std::string& arg : args) {
    const std::string shown = arg.empty() ? "\"\"" : arg;
    if (lower(list).find(lower(shown)) == std::string::npos) AddListItem(count, list, shown);
  }
  return list;
}

TEST(UniqueList, AgreesWithThePlainDefinition) {
  // Few distinct bytes and short texts, so that items often occur inside the
  // list, inside other items and across item boundaries.
  std::mt19937 random(20261211);
  const std::string alphabet = "aAbB \"-";
  for (int round = 0; round < 40; ++round) {
    Args args;
    const int count = 1 + static_cast<int>(random() % 120);
    for (int i = 0; i < count; ++i) {
      std::string arg;
      for (unsigned n = random() % 7; n > 0; --n) arg += alphabet[random() % alphabet.size()];
      args.push_back(arg);
    }
    Start(args);
    TParamStatisticsRec s;
    ValidateSyntax(s, ParamList, "", false, -1, -1);
    ASSERT_EQ(s.UniqueList, NaiveUniqueList(args)) << "round " << round;
  }
}

// ---- The text operations ------------------------------------------------------

TEST(ExpandSwitchForms, FormsInOrder) {
  struct Row {
    const char* Keywords;
    std::int32_t Mode;
    bool DoubleDash;
    const char* Forms;
  };
  const Row rows[] = {
      {"P PROMPT", 0, true, "/P -P /PROMPT --PROMPT "},
      {"P PROMPT", 2, true,
       "/P -P /P: -P: /P= -P= /PROMPT --PROMPT /PROMPT: --PROMPT: /PROMPT= --PROMPT= "},
      {"PROMPT", 0, false, "/PROMPT -PROMPT --PROMPT "},
      {"+ p", 1, true, "+ /+ -+ /p -p "},
      {"+", 3, true, "+ /+ -+ +: /+: -+: += /+= -+= "},
      {"+", 4, true, "/+ -+ "},
      {"P;p,P", 0, true, "/P -P /p -p "},
      {"-X X", 0, true, "/-X ---X /X "},  // -X occurs inside /-X already
      {"", 0, true, ""},
  };
  for (const Row& row : rows) {
    DoubleDashRequired = row.DoubleDash;
    EXPECT_EQ(ExpandSwitchForms(row.Keywords, row.Mode), row.Forms)
        << row.Keywords << " mode " << row.Mode;
  }
  DoubleDashRequired = true;
}

TEST(BuildInfoSwitches, InformationKeywordsThatWereLookedUp) {
  struct Row {
    const char* Before;
    const char* Source;
    const char* Keywords;
    const char* After;
  };
  const Row rows[] = {
      {"", "P PROMPT H", "h help", "-H"},
      {"-H", "H HELP", "H HELP", "-H --HELP"},
      {"", "PATH", "H", "-H"},  // a plain substring test: "H " ends "PATH "
      {"", "P PROMPT", kInfoKeywordList.data(), ""},  // a literal: NUL-terminated
      {" --X ", "", "", "--X"},
  };
  for (const Row& row : rows) {
    std::string list = row.Before;
    BuildInfoSwitches(list, row.Source, row.Keywords);
    EXPECT_EQ(list, row.After) << row.Source << " / " << row.Keywords;
  }
}

TEST(BuildInfoSwitches, DriverLookupsGiveTheInformationSwitches) {
  Start({});
  (void)RunDriverLookups();  // only KnownKeywords matters
  std::string list;
  BuildInfoSwitches(list, KnownKeywords, kInfoKeywordList);
  EXPECT_EQ(list, kDriverInfoSwitches);
  BuildInfoSwitches(list, KnownKeywords, kInfoKeywordList);
  EXPECT_EQ(list, kDriverInfoSwitches);
}

TEST(AddListItem, QuotesEmptyAndSpacedItemsAndStopsTheCountAtItsLargestValue) {
  std::uint16_t count = 65534;
  std::string list;
  AddListItem(count, list, "a");
  AddListItem(count, list, "");
  AddListItem(count, list, "b c");
  EXPECT_EQ(list, "a \"\" \"b c\" ");
  EXPECT_EQ(count, 65535);
}

}  // namespace
