// The banner and the build-information line: what each combination writes,
// once per run, with the locale's month names and time separator.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "core/identity.h"
#include "core/state.h"
#include "golden.h"
#include "platform/fake/fake_console.h"

namespace {

const TBuildTexts kBuild{"2023/08/27", "2023/08/27 14:46:08", " x64", " using GCC 12.2.0"};

class Banner : public testing::Test {
 protected:
  void SetUp() override {
    fake::Reset();
    fake::Machine().Arg0 = R"(D:\Tools\Quillet.exe)";
  }

  // Start-up reads the locale conventions from the platform, so a test that
  // changes them does so before this.
  TFileVersionInfoRec Start() {
    CoreStartup();
    TFileVersionInfoRec info;
    FillVersionInfo(info, "1.2.0", "1.2.0.100",
                    "Read a line of Input from the Windows Command-Line", false);
    info.Notice = "Notice line.";
    info.Attribution = "Attribution line.";
    return info;
  }
};

struct BannerCase {
  const char* Why;
  bool WithBuildInfo, WithBanner;
  std::string Expected;
  friend void PrintTo(const BannerCase& c, std::ostream* os) { *os << c.Why; }
};

const std::string kBannerLines = golden::Lines({
    "Quillet v1.2.0 x64 (27 Aug 2023) - Read a line of Input from the Windows Command-Line",
    "Notice line.",
    "Attribution line.",
    "",
});
const std::string kBuildLine = golden::Lines({
    "Quillet.exe v1.2.0.100 x64 was compiled on 27 Aug 2023 @ 14:00:00 using GCC 12.2.0",
});

const BannerCase kBannerCases[] = {
    {"banner and build line, each followed by an empty line", true, true,
     kBannerLines + kBuildLine + golden::Lines({""})},
    {"banner alone", false, true, kBannerLines},
    {"build line alone, no empty line after it", true, false, kBuildLine},
    {"nothing asked, nothing written", false, false, ""},
};

class BannerCombinations : public Banner, public testing::WithParamInterface<BannerCase> {};

TEST_P(BannerCombinations, WriteToStandardErrorOnce) {
  const BannerCase& c = GetParam();
  const TFileVersionInfoRec info = Start();
  ShowBanner(info, c.WithBuildInfo, c.WithBanner, kBuild);
  EXPECT_EQ(fake::Machine().StdErr, c.Expected);
  EXPECT_EQ(fake::Machine().StdOut, "");
  EXPECT_TRUE(BannerShown);

  // Whatever the first call wrote, a later call writes nothing.
  ShowBanner(info, true, true, kBuild);
  ShowBanner(info, true, true);
  EXPECT_EQ(fake::Machine().StdErr, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Arguments, BannerCombinations, testing::ValuesIn(kBannerCases));

TEST_F(Banner, DatesFollowTheLocale) {
  fake::Machine().MonthNames.at(7) = std::string_view("ago");
  fake::Machine().TimeSeparator = ".";
  const TFileVersionInfoRec info = Start();
  ShowBanner(info, true, true, kBuild);
  const std::string& out = fake::Machine().StdErr;
  EXPECT_NE(out.find("Quillet v1.2.0 x64 (27 ago 2023) - "), std::string::npos) << out;
  EXPECT_NE(out.find(" was compiled on 27 ago 2023 @ 14.00.00 using "), std::string::npos) << out;
}

TEST_F(Banner, BuildTimeShowsTheHourOnly) {
  const TFileVersionInfoRec info = Start();
  ShowBanner(info, true, false, {"2023/01/05", "2023/01/05 09:59:59", " arm64", " using X"});
  EXPECT_EQ(fake::Machine().StdErr,
            golden::Lines({"Quillet.exe v1.2.0.100 arm64 was compiled on 05 Jan 2023 @ 09:00:00 "
                           "using X"}));
}

TEST_F(Banner, UsesThisBuildsTexts) {
  const TFileVersionInfoRec info = Start();
  ShowBanner(info, true, true);
  const std::string& out = fake::Machine().StdErr;
  EXPECT_EQ(out.rfind("Quillet v1.2.0" + std::string(PlatformTag) + " (", 0), 0u) << out;
  EXPECT_NE(out.find("\r\nQuillet.exe v1.2.0.100" + std::string(PlatformTag) + " was compiled on "),
            std::string::npos)
      << out;
  EXPECT_NE(out.find(std::string(ToolchainText) + "\r\n\r\n"), std::string::npos) << out;
}

TEST(WriteUnderline, WritesDashesAndALineEndToCoreOutput) {
  fake::Reset();
  CoreStartup();
  WriteUnderline(11);
  WriteUnderline(0);
  EXPECT_EQ(fake::Machine().StdOut, golden::Lines({"-----------", ""}));
  EXPECT_EQ(fake::Machine().StdErr, "");
}

}  // namespace
