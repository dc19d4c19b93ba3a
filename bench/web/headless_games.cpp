// The whole game in script mode, played again and again in one process: a script through
// script mode's entry function, quillon::script::RunScript, as `quillon --script` plays it.
// Built natively and, for node, as WebAssembly: the two compared game for game, without the
// start-up of either process.
//   bench_headless_games SCRIPT DATA_FOLDER [GAMES]     GAMES 20 by default
// Prints one line: the median time of a game, the first game's time and the number of games,
//   median 2.041 ms per game, first 3.902 ms, 20 games
// Exit status: 0, 1 when a game does not play to its end, 2 for bad arguments or a script that
// cannot be read, 3 when the line could not be written.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "../bench_util.h"
#include "game/game.h"
#include "script/runner.h"

namespace {

constexpr int kDefaultGames = 20;
constexpr int kMostGames = 100'000;

int Usage(const std::string& why) {
  std::cerr << "bench_headless_games: " << why
            << "\nusage: bench_headless_games SCRIPT DATA_FOLDER [GAMES]\n";
  return 2;
}

// The number of games from the command line: a whole number from 1 to kMostGames, else 0.
int ReadGames(const std::string& text) {
  try {
    std::size_t used = 0;
    const int games = std::stoi(text, &used);
    return used == text.size() && games >= 1 && games <= kMostGames ? games : 0;
  } catch (const std::exception&) {
    return 0;
  }
}

// One whole game; its time in ms, or a negative number when it did not play to its end.
double PlayOnce(const std::string& script, const std::string& dataFolder) {
  std::istringstream in(script);
  std::ostringstream out, err;
  const auto started = std::chrono::steady_clock::now();
  const int status =
      quillon::script::RunScript(quillon::game::GameScreens(), in, out, err, dataFolder).status;
  const auto ended = std::chrono::steady_clock::now();
  if (status != 0) {
    std::cerr << "bench_headless_games: the script ended with status " << status << '\n'
              << err.str();
    return -1;
  }
  return std::chrono::duration<double, std::milli>(ended - started).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) return Usage("two or three arguments are needed");
  const int games = argc == 4 ? ReadGames(argv[3]) : kDefaultGames;
  if (games == 0) return Usage("GAMES must be a whole number from 1 to 100000");

  std::ifstream file(argv[1], std::ios::binary);
  std::stringstream read;
  read << file.rdbuf();
  if (!file || read.str().empty()) return Usage(std::string("cannot read the script ") + argv[1]);
  const std::string script = read.str();

  std::vector<double> times;
  for (int game = 0; game < games; ++game) {
    const double ms = PlayOnce(script, argv[2]);
    if (ms < 0) return 1;
    times.push_back(ms);
  }
  std::printf("median %.3f ms per game, first %.3f ms, %d games\n", bench::Median(times),
              times.front(), games);
  return std::fflush(stdout) == 0 ? 0 : 3;
}
