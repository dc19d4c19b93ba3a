// The whole game in script mode, in process: examples/full-game.qs through the script runner's
// entry function, quillon::script::RunScript, as `quillon --script` runs it. The reference is an empty script:
// the game's start-up alone. The pairs are registered alternately (game, reference, game, …)
// so that a noisy moment of the machine hits both; the medians decide.
//   bench_headless [Google Benchmark options]     BENCH_PAIRS pairs, 15 by default
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "script/runner.h"
#include "bench_util.h"

namespace {

int Play(const std::string& script) {
  std::istringstream in(script);
  std::ostringstream out, err;
  return quillon::script::RunScript(quillon::game::GameScreens(), in, out, err, BENCH_DATA).status;
}

// The lines of a script that are commands: neither blank nor comments.
int CommandLines(const std::string& script) {
  std::istringstream in(script);
  int count = 0;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') ++count;
  }
  return count;
}

// Prints each run as Google Benchmark does, and keeps its time for the medians.
class Collector : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal.
  Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.benchmark_name();
      times[name.substr(0, name.find('/', name.find('/') + 1))].push_back(
          run.GetAdjustedRealTime());
    }
  }
  std::map<std::string, std::vector<double>> times;  // µs per game, by "headless/SIDE"
};

}  // namespace

int main(int argc, char** argv) {
  std::ifstream file(BENCH_SCRIPT);
  std::stringstream read;
  read << file.rdbuf();
  const std::string game = read.str();
  if (game.empty() || Play(game) != 0) {
    std::cerr << "bench_headless: " << BENCH_SCRIPT << " does not play to its end\n";
    return 1;
  }
  const std::string empty;

  const int pairs = bench::Quick() ? 2 : bench::Setting("BENCH_PAIRS", 15);
  const double minTime = bench::Quick() ? 0.01 : 0.2;
  for (int pair = 0; pair < pairs; ++pair) {
    for (const auto& [side, script] : {std::pair{"game", &game}, std::pair{"empty", &empty}}) {
      const std::string name = std::string("headless/") + side + "/pair:" + std::to_string(pair);
      benchmark::RegisterBenchmark(name.c_str(),
                                   [script](benchmark::State& state) {
                                     for (auto _ : state) {
                                       benchmark::DoNotOptimize(Play(*script));
                                     }
                                   })
          ->Unit(benchmark::kMicrosecond)
          ->MinTime(minTime);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();

  const double gameUs = bench::Median(collector.times["headless/game"]);
  const double emptyUs = bench::Median(collector.times["headless/empty"]);
  const int events = CommandLines(game);
  bench::PrintTitle("Headless game, in process (quillon::script::RunScript; reference: an empty script)");
  bench::PrintRow("time per run, median (ms)", gameUs / 1000, emptyUs / 1000);
  if (gameUs > 0) {
    bench::PrintNote("full-game.qs: " + std::to_string(events) + " command lines, " +
                     std::to_string(int(events / (gameUs / 1e6))) + " lines per second");
  }
  return 0;
}
