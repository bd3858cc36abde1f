// Command lines and console input far beyond what a person types: very many
// arguments, very long ones, every byte value, an unclosed quote, a very long
// line. Nothing may be cut, lost or changed on the way out.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/cmdline.h"
#include "program_run.h"

namespace {

constexpr std::size_t kMegabyte = 1 << 20;
const std::string kInvalid = "Invalid Parameters Provided: ";

// Bytes 1 to 255, each once.
std::string EveryByte() {
  std::string bytes;
  for (int b = 1; b <= 255; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// A long text that is not one byte repeated, so that a piece dropped or
// repeated anywhere shows.
std::string Varied(std::size_t length) {
  std::string text;
  text.reserve(length);
  for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(33 + (i * 7 + i / 251) % 94);
  return text;
}

std::string Listed(const std::vector<std::string>& items) {
  std::string list;
  for (const std::string& item : items)
    list += (item.empty() || item.find(' ') != std::string::npos ? '"' + item + '"' : item) + ' ';
  return list;
}

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// ---- Very many arguments ------------------------------------------------------

struct ManyCase {
  const char* Why;
  std::function<std::string(std::size_t)> Argument;
  friend void PrintTo(const ManyCase& c, std::ostream* os) { *os << c.Why; }
};

class ManyArguments : public testing::TestWithParam<ManyCase> {};

// More arguments than a 16-bit count holds: each is still listed.
TEST_P(ManyArguments, AllAreListedAsInvalid) {
  std::vector<std::string> args{"-p", "Name"};
  std::vector<std::string> unclaimed;
  for (std::size_t i = 0; i < 100'000; ++i) unclaimed.push_back(GetParam().Argument(i));
  args.insert(args.end(), unclaimed.begin(), unclaimed.end());

  const ProgramRun run = RunProgram(args, {"never read\r\n"});

  EXPECT_EQ(run.Code, 65);
  EXPECT_TRUE(Holds(run.Err, kInvalid + Listed(unclaimed) + "\r\n"));
  EXPECT_EQ(run.Out, "");
  EXPECT_EQ(run.Console, "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ManyArguments,
    testing::Values(ManyCase{"distinct words", [](std::size_t i) { return "w" + std::to_string(i); }},
                    ManyCase{"empty arguments", [](std::size_t) { return std::string(); }},
                    ManyCase{"the same option-like word", [](std::size_t) { return std::string("--x"); }}),
    [](const auto& info) { return std::to_string(info.index); });

// ---- Long arguments and every byte value ---------------------------------------

struct ArgumentCase {
  const char* Why;
  std::vector<std::string> Args;
  int Code;
  std::string Console;  // exactly what the console device shows
  std::string ErrHas;   // a text standard error holds; empty: not checked
  friend void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << c.Why; }
};

class LongAndOddArguments : public testing::TestWithParam<ArgumentCase> {};

TEST_P(LongAndOddArguments, ReachTheirDestinationWhole) {
  const ArgumentCase& c = GetParam();
  const ProgramRun run = RunProgram(c.Args, {"typed\r\n"});
  EXPECT_EQ(run.Code, c.Code);
  EXPECT_EQ(run.Out, c.Code == 0 ? "typed\r\n" : "");
  EXPECT_TRUE(run.Console == c.Console) << "console shows " << run.Console.size() << " bytes";
  if (!c.ErrHas.empty()) {
    EXPECT_TRUE(Holds(run.Err, c.ErrHas));
  }
}

const std::string kLong = Varied(kMegabyte);
const std::string kLongSpaced = Varied(kMegabyte / 2) + " " + Varied(kMegabyte / 2);
const std::string kBytes = EveryByte();

std::vector<std::string> EachByteAlone() {
  std::vector<std::string> args{"-p", ""};
  for (const char b : kBytes) args.emplace_back(1, b);
  return args;
}

std::vector<std::string> WithoutPrompt(std::vector<std::string> args) {
  return {args.begin() + 2, args.end()};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LongAndOddArguments,
    testing::Values(
        ArgumentCase{"a 1 MB prompt", {"-p", kLong}, 0, kLong, ""},
        ArgumentCase{"a 1 MB prompt with a space, hidden input", {"-p", kLongSpaced, "-q"}, 0,
                     kLongSpaced + std::string(kLongSpaced.size(), '\b'), ""},
        ArgumentCase{"a 1 MB attached prompt is cut to 999 bytes", {"--prompt=" + kLong}, 0,
                     kLong.substr(0, 999), ""},
        ArgumentCase{"a 1 MB value of an ignored option", {"-d", kLong, "-p", "Name"}, 0, "Name",
                     ""},
        ArgumentCase{"a 1 MB unclaimed argument is listed whole", {"-p", "x", kLong}, 65, "",
                     kInvalid + kLong + " \r\n"},
        ArgumentCase{"a 1 MB unclaimed argument with a space is quoted", {"-p", "x", kLongSpaced},
                     65, "", kInvalid + '"' + kLongSpaced + "\" \r\n"},
        ArgumentCase{"a 1 MB option-like argument is listed whole", {"--" + kLong, "-p", "x"}, 65,
                     "", kInvalid + "--" + kLong + " \r\n"},
        ArgumentCase{"bytes 1 to 255 in the prompt", {"-p", kBytes}, 0, kBytes, ""},
        ArgumentCase{"bytes 1 to 255 attached to the prompt option", {"-p:" + kBytes}, 0, kBytes,
                     ""},
        ArgumentCase{"bytes 1 to 255 in an unclaimed argument", {"-p", "x", kBytes}, 65, "",
                     kInvalid + '"' + kBytes + "\" \r\n"},
        ArgumentCase{"each byte 1 to 255 as an argument of its own", EachByteAlone(), 65, "",
                     kInvalid + Listed(WithoutPrompt(EachByteAlone())) + "\r\n"}),
    [](const auto& info) { return std::to_string(info.index); });

// ---- An unclosed quote -------------------------------------------------------------

struct QuoteCase {
  const char* Why;
  std::string Raw;  // the command line as the system hands it over
  int Code;
  std::string Console;
  std::string ErrHas;
  friend void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.Why; }
};

class UnclosedQuote : public testing::TestWithParam<QuoteCase> {};

TEST_P(UnclosedQuote, RunsToTheEndOfTheCommandLine) {
  const QuoteCase& c = GetParam();
  const ProgramRun run = RunProgram(plat::SplitCommandLine(c.Raw), [&](fake::State& m) {
    m.RawCommandLine = c.Raw;
    m.ConsoleInput = {"typed\r\n"};
  });
  EXPECT_EQ(run.Code, c.Code);
  EXPECT_EQ(run.Out, c.Code == 0 ? "typed\r\n" : "");
  EXPECT_EQ(run.Console, c.Console);
  if (!c.ErrHas.empty()) {
    EXPECT_TRUE(Holds(run.Err, c.ErrHas)) << run.Err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnclosedQuote,
    testing::Values(
        QuoteCase{"the prompt takes the rest, separators and all", "Quillet -p \"Name:  \t-q ",
                  0, "Name:  \t-q ", ""},
        QuoteCase{"a lone quote at the end is an empty prompt", "Quillet -p \"", 0, "", ""},
        QuoteCase{"an unclaimed tail is listed and the line shown as typed",
                  "Quillet -p x \"one \"\"two", 65, "",
                  "You entered ...... Quillet -p x \"one \"\"two\r\n\r\n"
                  "Invalid Parameters Provided: \"one two\" \r\n"}),
    [](const auto& info) { return std::to_string(info.index); });

// ---- A very long console line ----------------------------------------------------

struct LineCase {
  const char* Why;
  std::vector<std::string> Args;
  std::size_t ChunkSize;  // the typed bytes arrive in reads of this size
  std::string Line;
  std::string After;      // typed after the line
  friend void PrintTo(const LineCase& c, std::ostream* os) { *os << c.Why; }
};

class LongLine : public testing::TestWithParam<LineCase> {};

TEST_P(LongLine, ReachesStandardOutputWhole) {
  const LineCase& c = GetParam();
  const std::string typed = c.Line + c.After;
  std::vector<std::string> chunks;
  for (std::size_t at = 0; at < typed.size(); at += c.ChunkSize)
    chunks.push_back(typed.substr(at, c.ChunkSize));

  const ProgramRun run = RunProgram(c.Args, chunks);

  EXPECT_EQ(run.Code, 0);
  EXPECT_TRUE(run.Out == c.Line + "\r\n")
      << "standard output holds " << run.Out.size() << " bytes for a line of " << c.Line.size();
  EXPECT_EQ(run.Err, "");
}

const std::string kLongLine = Varied(kMegabyte);
const std::string kLongOddLine = [] {
  // Every byte value but the line ends CR, LF and Ctrl+Z, spread over 1 MB.
  std::string line;
  const std::string bytes = EveryByte();
  while (line.size() < kMegabyte)
    for (const char b : bytes)
      if (b != '\r' && b != '\n' && b != '\x1a') line += b;
  return line;
}();

INSTANTIATE_TEST_SUITE_P(
    Rows, LongLine,
    testing::Values(
        LineCase{"one read", {"-p", "> "}, 2 * kMegabyte, kLongLine, "\r\n"},
        LineCase{"reads that split buffer refills unevenly", {"-p", "> "}, 4093, kLongLine,
                 "\r\nmore\r\n"},
        LineCase{"hidden, in small reads", {"-q"}, 1000, kLongLine, "\n"},
        LineCase{"the input ends without a line end", {"-p", "> "}, 65536, kLongLine, ""},
        LineCase{"every byte value but the line ends", {"-p", "> "}, 4096, kLongOddLine,
                 "\x1a" "after"}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
