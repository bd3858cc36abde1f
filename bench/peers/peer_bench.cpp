// Whole-process cost of a hidden read, quillet against its peers: each
// command is started on a pseudo-terminal, the harness waits for its prompt,
// types a line and waits for the end; standard output must hold exactly that
// line. The commands take turns within each round, in an order shuffled
// afresh for every round: a drift of the machine's speed falls on all alike,
// and no command always runs right after the heavy python one, whose
// footprint slows whatever runs next. Ratios are taken pair by pair: a command's run against the
// reference's run of the same round, then the median of those ratios.
//
// A second part starts quillet with thousands of invalid arguments and gives
// the cost per argument of a run that rejects them (exit code 65).
//
// Usage: quillet_peer_bench [--rounds N] [--quillet PATH] [--reference PATH]
//          [--bash PATH] [--python PATH] [--also NAME=PATH]... [--no-scale]
// --also adds another quillet binary, run with quillet's arguments: a
// differently linked build, for instance.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "pty_run.h"

namespace {

constexpr std::string_view kPrompt = "Password: ";
constexpr std::string_view kSecret = "correct horse battery staple";

struct TCommand {
  std::string Name;
  TRunPlan Plan;
  std::vector<TRunResult> Runs;  // one per round
};

struct TSettings {
  int Rounds = 200;
  bool Scale = true;
  std::string Quillet = QUILLET_BENCH_QUILLET;
  std::string Reference = QUILLET_BENCH_REFERENCE;
  std::string Bash = QUILLET_BENCH_BASH;
  std::string Python = QUILLET_BENCH_PYTHON;
  std::string Launcher = QUILLET_BENCH_LAUNCHER;
  std::vector<std::pair<std::string, std::string>> Also;
};

[[noreturn]] void Usage(const char* message) {
  std::fprintf(stderr, "quillet_peer_bench: %s\n", message);
  std::fprintf(stderr,
               "usage: quillet_peer_bench [--rounds N] [--quillet PATH] [--reference PATH]\n"
               "         [--bash PATH] [--python PATH] [--also NAME=PATH]... [--no-scale]\n");
  std::exit(2);
}

TSettings ParseArguments(int argc, char** argv) {
  TSettings settings;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage("an option lacks its value");
      return argv[++i];
    };
    if (arg == "--rounds") {
      settings.Rounds = std::atoi(value().c_str());
      if (settings.Rounds < 1) Usage("--rounds needs a positive number");
    } else if (arg == "--quillet") {
      settings.Quillet = value();
    } else if (arg == "--reference") {
      settings.Reference = value();
    } else if (arg == "--bash") {
      settings.Bash = value();
    } else if (arg == "--python") {
      settings.Python = value();
    } else if (arg == "--also") {
      const std::string pair = value();
      const std::size_t equals = pair.find('=');
      if (equals == std::string::npos || equals == 0) Usage("--also needs NAME=PATH");
      settings.Also.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
    } else if (arg == "--no-scale") {
      settings.Scale = false;
    } else {
      Usage("unknown argument");
    }
  }
  return settings;
}

TRunPlan QuilletPlan(const std::string& path) {
  return {{path, "-p", std::string(kPrompt), "-q"}, std::string(kPrompt), false, ""};
}

std::vector<TCommand> HiddenReadCommands(const TSettings& s) {
  std::vector<TCommand> commands;
  // The reference comes first: every ratio is taken against it.
  commands.push_back({"static C reference", {{s.Reference}, std::string(kPrompt), false, ""}, {}});
  commands.push_back({"quillet -p ... -q", QuilletPlan(s.Quillet), {}});
  for (const auto& [name, path] : s.Also) commands.push_back({name, QuilletPlan(path), {}});
  // bash's read -p writes its prompt to standard error.
  commands.push_back({"bash read -rs",
                      {{s.Bash, "-c", "read -rs -p \"Password: \" x; printf \"%s\\n\" \"$x\""},
                       std::string(kPrompt),
                       true,
                       ""},
                      {}});
  // getpass writes its prompt to /dev/tty.
  commands.push_back(
      {"python3 getpass",
       {{s.Python, "-c",
         "import getpass,sys; sys.stdout.write(getpass.getpass(\"Password: \")+\"\\n\")"},
        std::string(kPrompt),
        false,
        ""},
       {}});
  for (TCommand& command : commands) command.Plan.Typed = std::string(kSecret) + "\r";
  return commands;
}

// Fails the whole benchmark: a number from a run that did the wrong thing
// means nothing.
[[noreturn]] void Abort(const std::string& name, const TRunResult& run, const char* what) {
  std::fprintf(stderr, "%s: %s (exit code %d%s%s)\nstdout: %s\nstderr: %s\n", name.c_str(), what,
               run.ExitCode, run.Error.empty() ? "" : ", ", run.Error.c_str(),
               run.Stdout.c_str(), run.Stderr.c_str());
  std::exit(1);
}

void CheckHiddenRead(const TCommand& command, const TRunResult& run) {
  const std::string expected = std::string(kSecret) + "\n";
  if (!run.Exited || run.ExitCode != 0) Abort(command.Name, run, "did not succeed");
  if (run.Stdout != expected) Abort(command.Name, run, "standard output is not the typed line");
  if (run.Terminal.find(kSecret) != std::string::npos)
    Abort(command.Name, run, "the typed line was echoed on the terminal");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename F>
std::vector<double> Each(const std::vector<TRunResult>& runs, F field) {
  std::vector<double> values;
  for (const TRunResult& run : runs) values.push_back(field(run));
  return values;
}

template <typename F>
std::vector<double> PairedRatios(const TCommand& command, const TCommand& reference, F field) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < command.Runs.size(); ++i) {
    const double base = field(reference.Runs[i]);
    if (base > 0) ratios.push_back(field(command.Runs[i]) / base);
  }
  return ratios;
}

double Wall(const TRunResult& r) { return r.WallSeconds; }
double Cpu(const TRunResult& r) { return r.CpuSeconds; }
double Rss(const TRunResult& r) { return static_cast<double>(r.MaxRssKiB); }
double Faults(const TRunResult& r) { return static_cast<double>(r.MinorFaults); }

void RunHiddenReads(const TSettings& settings) {
  std::vector<TCommand> commands = HiddenReadCommands(settings);
  const std::size_t n = commands.size();
  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 random(20261211);  // fixed, so that two runs take the same turns
  for (int round = 0; round < settings.Rounds; ++round) {
    std::shuffle(order.begin(), order.end(), random);
    for (std::size_t k : order) {
      TCommand& command = commands[k];
      TRunResult run;
      if (!RunOnPty(settings.Launcher, command.Plan, run)) Abort(command.Name, run, "could not be run");
      CheckHiddenRead(command, run);
      command.Runs.push_back(std::move(run));
    }
  }

  const TCommand& reference = commands.front();
  std::printf("Hidden read through a pseudo-terminal, %d interleaved rounds; medians, and\n"
              "the median of the per-round ratios to the static C reference.\n\n",
              settings.Rounds);
  std::printf("| command | wall ms | CPU ms | peak RSS KiB | page faults | wall ratio | CPU ratio "
              "| RSS ratio |\n");
  std::printf("|---|---:|---:|---:|---:|---:|---:|---:|\n");
  for (const TCommand& c : commands) {
    std::printf("| %s | %.3f | %.3f | %.0f | %.0f | %.2f | %.2f | %.2f |\n", c.Name.c_str(),
                Median(Each(c.Runs, Wall)) * 1e3, Median(Each(c.Runs, Cpu)) * 1e3,
                Median(Each(c.Runs, Rss)), Median(Each(c.Runs, Faults)),
                Median(PairedRatios(c, reference, Wall)),
                Median(PairedRatios(c, reference, Cpu)), Median(PairedRatios(c, reference, Rss)));
  }

  // The targets for quillet itself (the second command).
  const TCommand& quillet = commands[1];
  const double wall = Median(PairedRatios(quillet, reference, Wall));
  const double cpu = Median(PairedRatios(quillet, reference, Cpu));
  const double rss = Median(PairedRatios(quillet, reference, Rss));
  bool fastest = true;
  for (std::size_t k = 2 + settings.Also.size(); k < n; ++k)
    fastest = fastest && Median(Each(quillet.Runs, Wall)) < Median(Each(commands[k].Runs, Wall));
  auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
  std::printf("\nquillet: wall %.2fx (target <= 1.10x) %s; CPU %.2fx (target <= 1.20x) %s; "
              "peak RSS %.2fx (target within 10%%) %s; faster than every peer: %s\n\n",
              wall, verdict(wall <= 1.10), cpu, verdict(cpu <= 1.20), rss,
              verdict(rss <= 1.10 && rss >= 0.90), verdict(fastest));
}

void RunArgumentScale(const TSettings& settings) {
  const int sizes[] = {1000, 10000, 100000};
  constexpr int kRounds = 5;
  std::vector<TCommand> commands;
  for (int size : sizes) {
    TRunPlan plan{{settings.Quillet}, "", false, ""};
    for (int i = 0; i < size; ++i) plan.Argv.push_back(std::string("x").append(std::to_string(i)));
    commands.push_back({std::to_string(size), std::move(plan), {}});
  }
  for (int round = 0; round < kRounds; ++round) {
    for (TCommand& command : commands) {
      TRunResult run;
      if (!RunOnPty(settings.Launcher, command.Plan, run)) Abort(command.Name, run, "could not be run");
      if (!run.Exited || run.ExitCode != 65) Abort(command.Name, run, "did not exit with 65");
      if (!run.Stdout.empty()) Abort(command.Name, run, "wrote to standard output");
      command.Runs.push_back(std::move(run));
    }
  }
  std::printf("quillet with N invalid arguments (exit code 65), median of %d runs.\n\n", kRounds);
  std::printf("| arguments | wall ms | CPU ms | peak RSS KiB | wall us/argument | stderr bytes |\n");
  std::printf("|---:|---:|---:|---:|---:|---:|\n");
  for (const TCommand& c : commands) {
    const double wall = Median(Each(c.Runs, Wall));
    std::printf("| %s | %.2f | %.2f | %.0f | %.3f | %zu |\n", c.Name.c_str(), wall * 1e3,
                Median(Each(c.Runs, Cpu)) * 1e3, Median(Each(c.Runs, Rss)),
                wall * 1e6 / static_cast<double>(c.Plan.Argv.size() - 1),
                c.Runs.front().Stderr.size());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const TSettings settings = ParseArguments(argc, argv);
  std::printf("quillet: %s\n\n", settings.Quillet.c_str());
  RunHiddenReads(settings);
  if (settings.Scale) RunArgumentScale(settings);
  return 0;
}
