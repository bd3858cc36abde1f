// Time of the driver's twelve lookups plus the validation of the whole command
// line, per argument, for command lines of 1,000 to 100,000 arguments. Run it
// with
//   cmake --build <build> --target bench_lookup && <build>/bench/bench_lookup
//
// Three kinds of command line, each with invalid words, options, values,
// attached values, spaced and empty arguments:
//   Mixed       words and values from a vocabulary of 1,000 words, as a long
//               script-made command line repeats its words;
//   Distinct    every argument different (think of file names), so that the
//               list of unique arguments grows with the whole command line;
//   OptionsLast vocabulary words, and none of the program's options until the
//               very end, so that every lookup compares every argument with
//               all its forms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/options.h"
#include "core/params.h"
#include "core/state.h"

namespace {

TParamStatusRec Entry(std::string text) {
  TParamStatusRec entry;
  entry.Text = std::move(text);
  return entry;
}

enum class Kind { Mixed, Distinct, OptionsLast };

TParamStatusArray Arguments(std::size_t count, Kind kind) {
  static const char* const kOptions[] = {"-p", "--prompt", "-q", "/hide", "-d", "--mask", "-B",
                                         "--verbose"};
  static const char* const kAttached[] = {"-p:", "--default=", "/M:", "--quiet="};
  std::mt19937 random(12345);
  std::vector<std::string> vocabulary;
  for (int w = 0; w < 1000; ++w) {
    std::string word;
    for (unsigned n = 3 + random() % 8; n > 0; --n) word += static_cast<char>('a' + random() % 26);
    vocabulary.push_back(word);
  }
  auto word = [&](std::size_t at) {
    return kind == Kind::Distinct ? vocabulary[random() % vocabulary.size()] + std::to_string(at)
                                  : vocabulary[random() % vocabulary.size()];
  };
  const bool optionsLast = kind == Kind::OptionsLast;
  TParamStatusArray list;
  list.reserve(count);
  while (list.size() < count) {
    const std::size_t at = list.size();
    switch (random() % 8) {
      case 0: list.push_back(Entry(word(at))); break;
      case 1: list.push_back(Entry(std::string(random() % 2 ? "-" : "/").append(word(at)))); break;
      case 2:
      case 3:
        list.push_back(Entry(optionsLast ? std::string("--").append(word(at)) : kOptions[random() % std::size(kOptions)]));
        list.push_back(Entry(word(at)));
        break;
      case 4:
        list.push_back(
            Entry((optionsLast ? "-z:" : kAttached[random() % std::size(kAttached)]) + word(at)));
        break;
      case 5: {
        // Spaced texts are prompts and the like: a script repeats a few.
        const std::size_t phrase = random() % 100;
        list.push_back(Entry(kind == Kind::Distinct ? word(at) + " " + word(at)
                                                     : vocabulary[phrase] + " " + vocabulary[phrase + 1]));
        break;
      }
      case 6: list.push_back(Entry("")); break;
      default: list.push_back(Entry("Value=" + word(at))); break;
    }
  }
  list.resize(count);
  if (optionsLast) list.back() = Entry("--prompt:last");
  return list;
}

// The driver's lookups, in its order, then its validation.
void LookUpAndValidate() {
  for (std::size_t row = 0; row < kOptionTable.size(); ++row) {
    TFindParamRec result;
    LookUpOption(row, result);
    benchmark::DoNotOptimize(result);
  }
  ValidateSyntax(CustomValidation, ParamList, kMandatoryKeywords, true, -1, -1);
}

void Run(benchmark::State& state, Kind kind) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const TParamStatusArray pristine = Arguments(count, kind);
  ParamSyntaxMode = 2;
  for (auto _ : state) {
    // Each round is a fresh run: unmarked arguments, nothing collected, and a
    // default record still to fill, as at the driver's start.
    state.PauseTiming();
    ParamList = pristine;
    KnownKeywords.clear();
    InfoSwitchList.clear();
    DefaultValidation = TParamStatisticsRec{};
    state.ResumeTiming();
    LookUpAndValidate();
  }
  benchmark::DoNotOptimize(CustomValidation.InvalidCount);
  state.counters["per_arg"] = benchmark::Counter(
      static_cast<double>(count),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Mixed(benchmark::State& state) { Run(state, Kind::Mixed); }
void Distinct(benchmark::State& state) { Run(state, Kind::Distinct); }
void OptionsLast(benchmark::State& state) { Run(state, Kind::OptionsLast); }

BENCHMARK(Mixed)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(Distinct)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(OptionsLast)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
