// Option lookup: the driver's twelve lookups over whole command lines, and the
// rules of the general lookup, one direct call a row.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "lookup_fixture.h"

namespace {

using lookup_fixture::Args;
using lookup_fixture::RunDriverLookups;
using lookup_fixture::Start;
using lookup_fixture::Statuses;

constexpr const char* kDriverKeywords =
    "DEBUG DEBUG-MODE ERROR-DELAY AUDIBLE-ERROR H HELP ? H2 HELP2 ?? V VERBOSE BUILD "
    "VERSION-ONLY BUILD-ONLY I INFO B BANNER P PROMPT D DEFAULT M MASK Q QUIET HIDE";

// A lookup of the driver that found its option; every row not listed finds
// nothing.
struct Hit {
  std::size_t Row;
  std::int32_t Index;
  std::string Param;
  std::string Value;
  bool Found = true;
  bool Attached = false;
};

struct DriverCase {
  const char* Why;
  Args Arguments;
  std::vector<int> Statuses;
  std::vector<Hit> Hits;
  friend void PrintTo(const DriverCase& c, std::ostream* os) { *os << c.Why; }
};

const DriverCase kDriverCases[] = {
    {"no arguments", {}, {}, {}},
    {"prompt, then quiet as the last argument with an empty value",
     {"-p", "Name", "-q"},
     {2, 3, 2},
     {{kPromptOption, 0, "-p", "Name"}, {kQuietOption, 2, "-q", ""}}},
    {"-q -p x: the prompt takes x first, so -q meets an option as its value",
     {"-q", "-p", "x"},
     {5, 2, 3},
     {{kPromptOption, 1, "-p", "x"}, {kQuietOption, 0, "-q", "-p"}}},
    {"-p -q: the prompt text is -q, and the quiet lookup still finds -q",
     {"-p", "-q"},
     {2, 2},
     {{kPromptOption, 0, "-p", "-q"}, {kQuietOption, 1, "-q", ""}}},
    {"-p a -p b: the first occurrence wins, the second stays unclaimed",
     {"-p", "a", "-p", "b"},
     {2, 3, 0, 0},
     {{kPromptOption, 0, "-p", "a"}}},
    {"-p -b: the banner lookup already matched -b, so -p is incomplete",
     {"-p", "-b"},
     {5, 2},
     {{kBannerOption, 1, "-b", ""}, {kPromptOption, 0, "-p", "-b"}}},
    {"value attached after a colon", {"-p:Hi"}, {4}, {{kPromptOption, 0, "-p", "Hi", true, true}}},
    {"value attached after an equals sign, letter case and spaces kept",
     {"--PROMPT=Hi there"},
     {4},
     {{kPromptOption, 0, "--PROMPT", "Hi there", true, true}}},
    {"an empty attached value is accepted", {"-p:"}, {4}, {{kPromptOption, 0, "-p", "", true, true}}},
    {"an attached value does not claim the next argument",
     {"-p:Hi", "x"},
     {4, 0},
     {{kPromptOption, 0, "-p", "Hi", true, true}}},
    {"a switch accepts an attached value too",
     {"--debug:x"},
     {4},
     {{kDebugOption, 0, "--debug", "x", true, true}}},
    {"an empty argument after an option is its empty value",
     {"-p", ""},
     {2, 3},
     {{kPromptOption, 0, "-p", ""}}},
    {"an empty argument alone is unclaimed", {""}, {0}, {}},
    {"-H matches H, --h matches nothing", {"-H", "--h"}, {2, 0}, {{kHelpOption, 0, "-H", ""}}},
    {"/H matches H", {"/H"}, {2}, {{kHelpOption, 0, "/H", ""}}},
    {"--help matches HELP, -help matches nothing",
     {"-help", "--help"},
     {0, 2},
     {{kHelpOption, 1, "--help", ""}}},
    {"a bare ? matches nothing, -? matches ?", {"?", "-?"}, {0, 2}, {{kHelpOption, 1, "-?", ""}}},
    {"--?? stands in both the help and the verbose list",
     {"--??"},
     {2},
     {{kHelpOption, 0, "--??", ""}, {kVerboseOption, 0, "--??", ""}}},
    {"--H2 stands in both lists as well",
     {"--H2"},
     {2},
     {{kHelpOption, 0, "--H2", ""}, {kVerboseOption, 0, "--H2", ""}}},
    {"-prompt and --p are no forms of the prompt option",
     {"-prompt", "x", "--p", "y"},
     {0, 0, 0, 0},
     {}},
    {"--error-delay claims the next argument as its ignored value",
     {"--error-delay", "x"},
     {2, 3},
     {{kErrorDelayOption, 0, "--error-delay", "x"}}},
    {"an argument before --error-delay stays unclaimed",
     {"-x", "--error-delay"},
     {0, 2},
     {{kErrorDelayOption, 1, "--error-delay", ""}}},
    {"-d word before -p Name",
     {"-d", "word", "-p", "Name"},
     {2, 3, 2, 3},
     {{kPromptOption, 2, "-p", "Name"}, {kDefaultOption, 0, "-d", "word"}}},
    {"-q takes a plain word as its value",
     {"-q", "word"},
     {2, 3},
     {{kQuietOption, 0, "-q", "word"}}},
};

class DriverLookup : public testing::TestWithParam<DriverCase> {};

TEST_P(DriverLookup, MarksAndResults) {
  const DriverCase& c = GetParam();
  Start(c.Arguments);
  const lookup_fixture::DriverResults results = RunDriverLookups();
  EXPECT_EQ(Statuses(), c.Statuses);
  for (std::size_t row = 0; row < results.size(); ++row) {
    SCOPED_TRACE(kOptionTable[row].Keywords);
    const TFindParamRec& r = results[row];
    std::optional<Hit> hit;
    for (const Hit& h : c.Hits)
      if (h.Row == row) hit = h;
    if (!hit) {
      EXPECT_FALSE(r.Found);
      EXPECT_EQ(r.ParamIndex, -1);
      continue;
    }
    EXPECT_EQ(r.Found, hit->Found);
    EXPECT_EQ(r.ParamIndex, hit->Index);
    EXPECT_EQ(r.ParamNumber, hit->Index + 1);
    EXPECT_EQ(r.Param, hit->Param);
    EXPECT_EQ(r.Value, hit->Value);
    EXPECT_EQ(r.ValueAttached, hit->Attached);
  }
  EXPECT_EQ(KnownKeywords, kDriverKeywords);
}

INSTANTIATE_TEST_SUITE_P(Lookup, DriverLookup, testing::ValuesIn(kDriverCases));

TEST(DriverLookupFlags, BoolSwitchesSetTheirFlags) {
  Start({"--audible-error", "--error-delay", "-x"});
  (void)RunDriverLookups();  // only the flags matter here
  EXPECT_TRUE(AudibleErrorEnabled);
  EXPECT_TRUE(ErrorDelayEnabled);
  // The error-delay lookup, made first, took -x; the audible-error lookup then
  // met --error-delay as its value and marked its own option incomplete.
  EXPECT_EQ(Statuses(), (std::vector<int>{5, 2, 3}));

  Start({"-x"});
  (void)RunDriverLookups();
  EXPECT_FALSE(AudibleErrorEnabled);
  EXPECT_FALSE(ErrorDelayEnabled);
}

TEST(DriverLookupFlags, AttachedValueIsCutTo999Characters) {
  const std::string value(1200, 'v');
  Start({"--prompt=" + value});
  const lookup_fixture::DriverResults results = RunDriverLookups();
  EXPECT_EQ(results[kPromptOption].Value, value.substr(0, 999));
  EXPECT_EQ(results[kPromptOption].Param, "--prompt");
  EXPECT_EQ(Statuses(), (std::vector<int>{4}));
}

// ---- MatchKeyword -----------------------------------------------------------

struct MatchCase {
  const char* Why;
  const char* Keyword;
  std::string Argument;
  std::int32_t Mode;
  bool DoubleDash;
  bool Matched;
  const char* Param = "";
  const char* Value = "";
  bool Attached = false;
  friend void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.Why; }
};

const MatchCase kMatchCases[] = {
    {"one letter after -", "H", "-h", 2, true, true, "-h"},
    {"one letter after /, any case", "h", "/H", 2, true, true, "/H"},
    {"one letter after --", "H", "--h", 2, true, false},
    {"long keyword after --", "HELP", "--Help", 2, true, true, "--Help"},
    {"long keyword after /", "HELP", "/help", 2, true, true, "/help"},
    {"long keyword after - needs DoubleDashRequired false", "HELP", "-help", 2, true, false},
    {"long keyword after - with DoubleDashRequired false", "HELP", "-help", 2, false, true, "-help"},
    {"long keyword after -- with DoubleDashRequired false", "HELP", "--help", 2, false, true,
     "--help"},
    {"one letter without prefix", "P", "p", 2, true, false},
    {"? is no symbol key", "?", "?", 1, true, false},
    {"symbol key bare in mode 1", "+", "+", 1, true, true, "+"},
    {"symbol key bare in mode 3", "~", "~", 3, true, true, "~"},
    {"symbol key not bare in mode 0", "+", "+", 0, true, false},
    {"symbol key not bare in mode 2", "+", "+", 2, true, false},
    {"mode 4 acts like 0", "+", "+", 4, true, false},
    {"symbol key - after -", "-", "--", 1, true, true, "--"},
    {"attached after a colon in mode 2", "P", "-p:x", 2, true, true, "-p", "x", true},
    {"attached in mode 3", "P", "-P=x", 3, true, true, "-P", "x", true},
    {"no attached value in mode 0", "P", "-p:x", 0, true, false},
    {"no attached value in mode 1", "P", "-p:x", 1, true, false},
    {"no attached value in mode 4", "P", "-p=x", 4, true, false},
    {"only the first separator counts", "P", "/p=a:b=c", 2, true, true, "/p", "a:b=c", true},
    {"empty attached value", "PROMPT", "--prompt:", 2, true, true, "--prompt", "", true},
    {"a bare symbol key with an attached value", "+", "+:v", 3, true, true, "+", "v", true},
    {"text after the keyword without separator", "P", "-px", 2, true, false},
    {"the keyword inside a longer word", "PROMPT", "--prompts", 2, true, false},
    {"attached value kept to 999 characters", "P", "-p:" + std::string(1000, 'a') + "b", 2, true,
     true, "-p", nullptr, true},
    {"empty keyword", "", "-", 2, true, false},
};

class MatchKeywordRule : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchKeywordRule, FormsAndAttachedValues) {
  const MatchCase& c = GetParam();
  Start({});
  ParamSyntaxMode = c.Mode;
  DoubleDashRequired = c.DoubleDash;
  TFindParamRec match;
  match.Value = "stale";
  EXPECT_EQ(MatchKeyword(c.Keyword, c.Argument, match), c.Matched);
  EXPECT_EQ(match.Param, c.Param);
  EXPECT_EQ(match.Value, c.Value ? std::string(c.Value) : std::string(999, 'a'));
  EXPECT_EQ(match.ValueAttached, c.Attached);
  // Found tells an exact form; an attached value shows in ValueAttached alone.
  EXPECT_EQ(match.Found, c.Matched && !c.Attached);
  EXPECT_EQ(match.ParamIndex, -1);
}

INSTANTIATE_TEST_SUITE_P(Lookup, MatchKeywordRule, testing::ValuesIn(kMatchCases));

// ---- FindParam --------------------------------------------------------------

struct FindCase {
  const char* Why;
  Args Arguments;
  std::vector<int> Before;  // statuses left by earlier lookups; empty: all 0
  std::int32_t Stop, Start;
  std::uint32_t ValueCount, Flags;
  std::vector<int> After;
  bool Found;
  std::int32_t Index;
  const char* Value;
  const char* Value2 = "d2";
  const char* Param = "-p";
  bool Attached = false;
  friend void PrintTo(const FindCase& c, std::ostream* os) { *os << c.Why; }
};

// Keywords "P PROMPT", defaults "d1" and "d2", syntax mode 2.
const FindCase kFindCases[] = {
    {"flag 4 marks every occurrence; the result describes the last",
     {"-p", "a", "-p", "b"}, {}, -1, -1, 1, kSearchAll, {2, 3, 2, 3}, true, 2, "b"},
    {"without flag 4 the first occurrence ends the search",
     {"-p", "a", "-p", "b"}, {}, -1, -1, 1, 0, {2, 3, 0, 0}, true, 0, "a"},
    {"required first value missing at the end",
     {"-p"}, {}, -1, -1, 1, kFirstValueRequired, {5}, false, 0, ""},
    {"required first value empty",
     {"-p", ""}, {}, -1, -1, 1, kFirstValueRequired, {5, 0}, false, 0, ""},
    {"an empty first value that is not required is a value",
     {"-p", ""}, {}, -1, -1, 1, 0, {2, 3}, true, 0, ""},
    {"required empty attached value: incomplete, the next argument still taken",
     {"-p:", "x"}, {}, -1, -1, 1, kFirstValueRequired, {5, 3}, true, 0, "x", "d2", "-p", true},
    {"flag 1 requires the first value too",
     {"-p"}, {}, -1, -1, 1, kBothValuesRequired, {5}, false, 0, ""},
    {"two values", {"-p", "a", "b"}, {}, -1, -1, 2, 0, {2, 3, 3}, true, 0, "a", "b"},
    {"second value missing, not required",
     {"-p", "a"}, {}, -1, -1, 2, kFirstValueRequired, {2, 3}, true, 0, "a", ""},
    {"second value missing and required",
     {"-p", "a"}, {}, -1, -1, 2, kBothValuesRequired, {5, 3}, false, 0, "a", ""},
    {"second value empty and required",
     {"-p", "a", ""}, {}, -1, -1, 2, kBothValuesRequired, {5, 3, 0}, false, 0, "a", ""},
    {"second value taken even when the first is missing",
     {"-p", "", "b"}, {}, -1, -1, 2, kFirstValueRequired, {5, 0, 3}, false, 0, "", "b"},
    {"second value already an option",
     {"-p", "a", "-q"}, {0, 0, 2}, -1, -1, 2, 0, {5, 3, 2}, true, 0, "a", "-q"},
    {"first value already an option with an attached value",
     {"-p", "-q:x"}, {0, 4}, -1, -1, 1, 0, {5, 4}, true, 0, "-q:x"},
    {"a value of an earlier option may be taken again",
     {"-p", "a"}, {0, 3}, -1, -1, 1, 0, {2, 3}, true, 0, "a"},
    {"an earlier value becomes an option", {"x", "-p"}, {0, 3}, -1, -1, 0, 0, {0, 2}, true, 1,
     "d1", "d2"},
    {"an incomplete option matched again", {"-p"}, {5}, -1, -1, 0, 0, {2}, true, 0, "d1", "d2"},
    {"a value count other than 0 and 2 takes one value",
     {"-p", "a", "b"}, {}, -1, -1, 7, 0, {2, 3, 0}, true, 0, "a", "d2"},
    {"nothing found: the defaults stay", {"x"}, {}, -1, -1, 1, 0, {0}, false, -1, "d1", "d2", ""},
    {"an option at the end empties the first default",
     {"-p"}, {}, -1, -1, 1, 0, {2}, true, 0, "", "d2"},
    {"an option at the end empties both defaults",
     {"-p"}, {}, -1, -1, 2, 0, {2}, true, 0, "", ""},
    {"a switch keeps the defaults", {"-p"}, {}, -1, -1, 0, 0, {2}, true, 0, "d1", "d2"},
    {"the value may lie beyond the stop index",
     {"-p", "a"}, {}, 0, -1, 1, 0, {2, 3}, true, 0, "a"},
    {"the start index skips earlier arguments",
     {"-p", "a", "-p", "b"}, {}, -1, 1, 1, 0, {0, 0, 2, 3}, true, 2, "b"},
    {"a stop index below -1 searches nothing", {"-p"}, {}, -2, -1, 0, 0, {0}, false, -1, "d1",
     "d2", ""},
    {"a stop index before the start searches nothing",
     {"x", "-p"}, {}, 0, 1, 0, 0, {0, 0}, false, -1, "d1", "d2", ""},
    {"a stop index beyond the end means the last entry",
     {"x", "-p"}, {}, 99, -5, 0, 0, {0, 2}, true, 1, "d1", "d2"},
    {"an accepted attached value claims nothing more",
     {"--prompt=v", "a", "b"}, {}, -1, -1, 2, 0, {4, 0, 0}, true, 0, "v", "d2", "--prompt", true},
};

class FindParamRule : public testing::TestWithParam<FindCase> {};

TEST_P(FindParamRule, MarksAndResult) {
  const FindCase& c = GetParam();
  Start(c.Arguments);
  for (std::size_t i = 0; i < c.Before.size(); ++i) ParamList[i].Status = c.Before[i];
  TFindParamRec result;
  result.Param = "stale";
  result.ValueAttached = true;
  FindParam(result, ParamList, "P PROMPT", c.Stop, c.Start, c.ValueCount, c.Flags, "d1", "d2");
  EXPECT_EQ(Statuses(), c.After);
  EXPECT_EQ(result.Found, c.Found);
  EXPECT_EQ(result.ParamIndex, c.Index);
  EXPECT_EQ(result.ParamNumber, c.Index < 0 ? -1 : c.Index + 1);
  EXPECT_EQ(result.Param, c.Param);
  EXPECT_EQ(result.Value, c.Value);
  EXPECT_EQ(result.Value2, c.Value2);
  EXPECT_EQ(result.ValueAttached, c.Attached);
  EXPECT_FALSE(result.Reserved);
}

INSTANTIATE_TEST_SUITE_P(Lookup, FindParamRule, testing::ValuesIn(kFindCases));

TEST(FindParamFlags, OptionAndValueFlagsFollowTheMarks) {
  Start({"-p", "a", "-q:x", "-m"});
  TFindParamRec result;
  FindParam(result, ParamList, "P", -1, -1, 1, 0);
  FindParam(result, ParamList, "Q", -1, -1, 1, 0);
  FindParam(result, ParamList, "M", -1, -1, 1, kFirstValueRequired);
  const TParamStatusRec& p = ParamList[0];
  const TParamStatusRec& a = ParamList[1];
  const TParamStatusRec& q = ParamList[2];
  const TParamStatusRec& m = ParamList[3];
  EXPECT_TRUE(p.IsOption && !p.HasValue && !p.ValueAttached);
  EXPECT_TRUE(!a.IsOption && a.HasValue);
  EXPECT_TRUE(q.IsOption && q.HasValue && q.ValueAttached);
  EXPECT_TRUE(m.IsOption && !m.HasValue && !m.ValueAttached);
  for (const TParamStatusRec& entry : ParamList) EXPECT_FALSE(entry.Reserved);
}

TEST(FindParamFlags, EveryKeywordIsTriedOnTheMatchedArgument) {
  // Both keywords of "P,p" match -p: the argument is marked twice, each time
  // recorded, and the search then ends.
  Start({"-p", "a", "-p"});
  RecordLookupHistory = true;
  TFindParamRec result;
  FindParam(result, ParamList, "P,p", -1, -1, 1, 0);
  ASSERT_EQ(LookupHistory.size(), 2u);
  EXPECT_EQ(LookupHistory[1].Value, "a");
  EXPECT_EQ(Statuses(), (std::vector<int>{2, 3, 0}));
}

TEST(FindParamFlags, HistoryRecordsEachMatchButNotAcceptedAttachedValues) {
  Start({"-p", "a", "-p:b", "-p"});
  TFindParamRec result;
  FindParam(result, ParamList, "P", -1, -1, 1, kSearchAll);
  EXPECT_TRUE(LookupHistory.empty()) << "recorded while RecordLookupHistory is false";

  Start({"-p", "a", "-p:b", "-p"});
  RecordLookupHistory = true;
  FindParam(result, ParamList, "P", -1, -1, 1, kSearchAll);
  ASSERT_EQ(LookupHistory.size(), 2u);
  EXPECT_EQ(LookupHistory[0].ParamIndex, 0);
  EXPECT_EQ(LookupHistory[0].Value, "a");
  EXPECT_EQ(LookupHistory[1].ParamIndex, 3);
  EXPECT_EQ(Statuses(), (std::vector<int>{2, 3, 4, 2}));
  // A later match does not undo what an earlier one set.
  EXPECT_TRUE(result.ValueAttached);
  EXPECT_EQ(result.Value, "");
}

TEST(FindParamFlags, KeywordListSplitsAtCommasAndSemicolons) {
  Start({"-a", "-b", "--c"});
  TFindParamRec result;
  FindSwitch(result, ParamList, ";A,B ;C,", kSearchAll, -1, 0);
  EXPECT_EQ(Statuses(), (std::vector<int>{2, 2, 0}));
  EXPECT_EQ(KnownKeywords, ";A,B ;C,");
}

TEST(FindParamFlags, LongKeywordsAndLateSeparators) {
  // Forms of 64 bytes and more, and separators far into the argument.
  const std::string longKeyword(70, 'K');
  Start({"--" + longKeyword + ":v", "-pq:x", "-P=x:y", "--" + longKeyword});
  TFindParamRec result;
  FindSwitch(result, ParamList, "P " + longKeyword, kSearchAll, -1, 0);
  EXPECT_EQ(Statuses(), (std::vector<int>{4, 0, 4, 2}));
  EXPECT_EQ(result.Param, "--" + longKeyword);
}

// ---- The wrappers -----------------------------------------------------------

TEST(LookupWrappers, RangeModes) {
  struct Row {
    std::int32_t Index, RangeMode, Found;
  };
  // -p is argument index 1 of three.
  for (const Row& row : {Row{-1, 0, 1}, Row{1, 0, 1}, Row{2, 0, 0}, Row{0, 1, 0}, Row{1, 1, 1},
                         Row{-1, 1, 1}, Row{-2, 1, 0}}) {
    SCOPED_TRACE(testing::Message() << "Index " << row.Index << ", RangeMode " << row.RangeMode);
    Start({"x", "-p", "y"});
    TFindParamRec result;
    FindSwitch(result, ParamList, "P", 0, row.Index, row.RangeMode);
    EXPECT_EQ(result.Found, row.Found == 1);
  }
}

TEST(LookupWrappers, SwitchTakesNoValueAndKeepsFlags) {
  Start({"-p", "x", "-p", "y"});
  TFindParamRec result;
  FindSwitch(result, ParamList, "P", kSearchAll, -1, 0);
  EXPECT_EQ(Statuses(), (std::vector<int>{2, 0, 2, 0}));
  EXPECT_EQ(result.ParamIndex, 2);
  EXPECT_EQ(result.Value, "");
}

TEST(LookupWrappers, ValueParamHandsOutTheValue) {
  Start({"-x"});
  TFindParamRec result;
  std::string text = "stale";
  FindValueParam(result, ParamList, "P", text, -1, 0);
  EXPECT_EQ(text, "");

  Start({"-p", "Name"});
  FindValueParam(result, ParamList, "P", text, -1, 0);
  EXPECT_EQ(text, "Name");
}

TEST(LookupWrappers, BoolSwitchFlagFollowsFound) {
  Start({"--on", "x"});
  TFindParamRec result;
  bool flag = false;
  FindBoolSwitch(result, ParamList, "  ON", flag, -1, 0);
  EXPECT_TRUE(flag);
  EXPECT_EQ(Statuses(), (std::vector<int>{2, 3}));
  FindBoolSwitch(result, ParamList, "  OFF", flag, -1, 0);
  EXPECT_FALSE(flag);
}

// ---- CollectKeywords ----------------------------------------------------------

TEST(CollectKeywords, WordsOnceUpperCasedInOrderOfFirstUse) {
  struct Row {
    const char* Why;
    const char* Before;
    const char* Keywords;
    const char* After;
  };
  const Row rows[] = {
      {"upper-cased", "", "p prompt", "P PROMPT"},
      {"a known word is not added again", "P PROMPT", "Q p", "P PROMPT Q"},
      {"duplicates inside one list", "", "  DEBUG  DEBUG ", "DEBUG"},
      {"a word inside a longer known word is still new", "HELP2", "HELP ELP", "HELP2 HELP ELP"},
      {"split at spaces only", "", "A,B;C", "A,B;C"},
      {"quoted text is one word", "", "\"a b\" c", "\"A B\" C"},
      {"an empty list still trims", " X\t", "", "X"},
  };
  for (const Row& row : rows) {
    std::string collection = row.Before;
    CollectKeywords(collection, row.Keywords);
    EXPECT_EQ(collection, row.After) << row.Why;
  }
}

TEST(CollectKeywords, LookupOverEmptyListStillCollects) {
  Start({});
  TFindParamRec result;
  FindSwitch(result, ParamList, "A,B", 0, -1, 0);
  FindSwitch(result, ParamList, "b a,b", 0, -1, 0);
  EXPECT_FALSE(result.Found);
  EXPECT_EQ(KnownKeywords, "A,B B");
}

}  // namespace
