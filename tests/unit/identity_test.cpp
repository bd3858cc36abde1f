// The identity record made from the program's own path, the build texts, and
// the reading of the build stamp.
#include "core/identity.h"

#include <gtest/gtest.h>

#include <ostream>
#include <regex>
#include <string>

#include "core/state.h"
#include "platform/fake/fake_console.h"

namespace {

struct NameCase {
  const char* Why;
  std::string Path;
  bool UpperCaseNames;
  std::string FileName, BaseName, FileExt, Directory;
  friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.Why; }
};

const NameCase kNameCases[] = {
    {"extension in capitals is matched without case", R"(D:\Tools\ask.EXE)", false, "ask.EXE",
     "ask", ".EXE", R"(D:\Tools)"},
    {"a doubled extension loses both", R"(D:\Tools\tool.exe.exe)", false, "tool.exe.exe", "tool",
     ".exe", R"(D:\Tools)"},
    {"the extension text inside the name goes too", R"(D:\Tools\my.exenote.exe)", false,
     "my.exenote.exe", "mynote", ".exe", R"(D:\Tools)"},
    {"no extension", R"(D:\Tools\quillet)", false, "quillet", "quillet", "", R"(D:\Tools)"},
    {"a dot in the directory is no extension", R"(D:\v1.2\quillet)", false, "quillet", "quillet",
     "", R"(D:\v1.2)"},
    {"a drive root keeps its separator", R"(D:\Quillet.exe)", false, "Quillet.exe", "Quillet",
     ".exe", R"(D:\)"},
    {"upper-casing names, never the extension", R"(D:\Tools\quillet.exe)", true, "QUILLET.EXE",
     "QUILLET", ".exe", R"(D:\Tools)"},
    {"upper-casing touches ASCII letters only", "D:\\Tools\\\xe9t\xe9.exe", true, "\xe9T\xe9.EXE",
     "\xe9T\xe9", ".exe", R"(D:\Tools)"},
    {"a bare file name has no directory", "Quillet.exe", false, "Quillet.exe", "Quillet", ".exe",
     ""},
    {"drive-relative path", "D:Quillet.exe", false, "Quillet.exe", "Quillet", ".exe", "D:"},
    {"POSIX path", "/usr/local/bin/quillet", false, "quillet", "quillet", "", "/usr/local/bin"},
    {"a path past 255 characters is kept whole", "D:\\" + std::string(300, 'd') + "\\Quillet.exe",
     false, "Quillet.exe", "Quillet", ".exe", "D:\\" + std::string(300, 'd')},
};

class FillVersionInfoNames : public testing::TestWithParam<NameCase> {};

TEST_P(FillVersionInfoNames, SplitsThePath) {
  const NameCase& c = GetParam();
  fake::Reset();
  fake::Machine().Arg0 = c.Path;
  TFileVersionInfoRec info;
  FillVersionInfo(info, "1.2.0", "1.2.0.100", "Test", c.UpperCaseNames);
  EXPECT_EQ(info.FileName, c.FileName);
  EXPECT_EQ(info.BaseName, c.BaseName);
  EXPECT_EQ(info.FileExt, c.FileExt);
  EXPECT_EQ(info.Directory, c.Directory);
}

INSTANTIATE_TEST_SUITE_P(Paths, FillVersionInfoNames, testing::ValuesIn(kNameCases));

TEST(FillVersionInfo, FillsEveryField) {
  fake::Reset();
  fake::Machine().Arg0 = R"(D:\Tools\Quillet.exe)";
  TFileVersionInfoRec info;
  info.Reserved1 = info.Reserved2 = info.Reserved3 = info.Reserved4 = info.Reserved5 =
      info.Reserved6 = info.Reserved7 = "stale";
  FillVersionInfo(info, "1.2.0", "1.2.0.100", "Read a line", false);

  EXPECT_TRUE(info.Filled);
  EXPECT_EQ(info.ShortVersionTitle, "Quillet v1.2.0");
  EXPECT_EQ(info.FileVersionTitle, "Quillet.exe v1.2.0.100");
  EXPECT_EQ(info.FullVersionTitle, "Quillet v1.2.0.100");
  EXPECT_EQ(info.Description, "Read a line");
  EXPECT_EQ(info.Notice, NoticeLine);
  EXPECT_EQ(info.Attribution, AttributionLine);
  for (const std::string* reserved : {&info.Reserved1, &info.Reserved2, &info.Reserved3,
                                      &info.Reserved4, &info.Reserved5, &info.Reserved6,
                                      &info.Reserved7})
    EXPECT_EQ(*reserved, "");
}

TEST(FillVersionInfo, TitlesUseTheUpperCasedNames) {
  fake::Reset();
  fake::Machine().Arg0 = R"(D:\Tools\ask.exe)";
  TFileVersionInfoRec info;
  FillVersionInfo(info, "1.2.0", "1.2.0.100", "", true);
  EXPECT_EQ(info.ShortVersionTitle, "ASK v1.2.0");
  EXPECT_EQ(info.FileVersionTitle, "ASK.EXE v1.2.0.100");
  EXPECT_EQ(info.FullVersionTitle, "ASK v1.2.0.100");
}

// What the build passed in must have the forms the banner reads.
TEST(BuildTexts, HaveTheirForms) {
  EXPECT_TRUE(std::regex_match(std::string(BuildDate), std::regex(R"(\d{4}/\d{2}/\d{2})")))
      << BuildDate;
  EXPECT_EQ(BuildDateTime.substr(0, BuildDate.size() + 1), std::string(BuildDate) + " ");
  EXPECT_TRUE(std::regex_match(std::string(BuildDateTime.substr(BuildDate.size() + 1)),
                               std::regex(R"(\d{2}:\d{2}:\d{2})")))
      << BuildDateTime;
  EXPECT_TRUE(std::regex_match(std::string(PlatformTag), std::regex(R"( [a-z0-9_]+)")))
      << PlatformTag;
  EXPECT_TRUE(std::regex_match(std::string(ToolchainText), std::regex(R"( using [^ ].*)")))
      << ToolchainText;
  EXPECT_NE(NoticeLine, "");
  EXPECT_NE(AttributionLine, "");
}

// 14:46:08 in milliseconds.
constexpr std::int32_t kBuildTime = ((14 * 60 + 46) * 60 + 8) * 1000;
constexpr std::int32_t kBuildDay = 45165;  // 27 August 2023
constexpr std::int32_t kToday = 45351;     // 29 February 2024, the fake clock's date

struct StampCase {
  const char* Why;
  const char* Stamp;
  TDateTime Expected;
  friend void PrintTo(const StampCase& c, std::ostream* os) { *os << c.Why; }
};

const StampCase kStampCases[] = {
    {"date and time", "2023/08/27 14:46:08", {kBuildDay, kBuildTime}},
    {"a fraction 5 is 500 ms", "2023/08/27 14:46:08.5", {kBuildDay, kBuildTime + 500}},
    {"a fraction is cut to three digits", "2023/08/27 14:46:08.12345",
     {kBuildDay, kBuildTime + 123}},
    {"a further dot and what follows are dropped", "2023/08/27 14:46:08.12.9",
     {kBuildDay, kBuildTime + 120}},
    {"a run of dots is one break", "2023/08/27 14:46:08...5", {kBuildDay, kBuildTime + 500}},
    {"a date alone is at midnight", "2023/08/27", {kBuildDay, 0}},
    {"a time alone is today", "14:46:08", {kToday, kBuildTime}},
    {"a time alone keeps its fraction", "14:46:08.25", {kToday, kBuildTime + 250}},
    {"day zero in year/month/day order is today as well", "1899/12/30 14:46:08",
     {kToday, kBuildTime}},
    {"the day after day zero stays", "1899/12/31 14:46:08", {1, kBuildTime}},
    {"a leap day of a century year", "2000/02/29 00:00:00", {36585, 0}},
    {"an unreadable stamp is day zero at midnight", "yesterday", {0, 0}},
    {"a day that does not exist is unreadable", "2023/02/29 14:46:08", {0, 0}},
};

class ParseBuildStampCases : public testing::TestWithParam<StampCase> {};

TEST_P(ParseBuildStampCases, Reads) {
  const StampCase& c = GetParam();
  fake::Reset();
  fake::Machine().Clock = {2024, 2, 29, 9, 30, 0, 0};
  CoreStartup();
  const TDateTime value = ParseBuildStamp(c.Stamp, "mm/dd/yyyy");
  EXPECT_EQ(value.Day, c.Expected.Day);
  EXPECT_EQ(value.Millisecond, c.Expected.Millisecond);
}

INSTANTIATE_TEST_SUITE_P(Stamps, ParseBuildStampCases, testing::ValuesIn(kStampCases));

// Today's date is rendered with the pattern and read back in the pattern's
// order, so another order of the fields still gives today.
TEST(ParseBuildStamp, TodayFollowsThePatternsFieldOrder) {
  fake::Reset();
  fake::Machine().Clock = {2024, 2, 29, 9, 30, 0, 0};
  CoreStartup();
  EXPECT_EQ(ParseBuildStamp("14:46:08", "dd/mm/yyyy"), (TDateTime{kToday, kBuildTime}));
  EXPECT_EQ(ParseBuildStamp("14:46:08", "yyyy/mm/dd"), (TDateTime{kToday, kBuildTime}));
}

}  // namespace
