// `make bench`: runs every benchmark and prints, for each, the game's figure, the reference's
// figure from the same run and their ratio (docs/performance.md).
//   bench_run [all|startup|repaint|headless|memory|idle|web]
// Settings from the environment: BENCH_PAIRS (15) alternate pairs of whole-process runs,
// BENCH_PASSES (5) games per window size for input to repaint, BENCH_GAMES (100) games for the
// growth check, BENCH_IDLE_SECONDS (60), and BENCH_QUICK=1 for tiny counts of everything.
// BENCH_REFERENCE=PROGRAM runs PROGRAM in the bare window's place, such as another build of the
// game, to hold two builds against each other in the same runs.
// `web` measures the browser build (make web) with bench/web/bench_web.mjs under node; `all`
// includes it when that build is there.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "bench_util.h"

namespace {

using Clock = std::chrono::steady_clock;
using Environment = std::vector<std::pair<std::string, std::string>>;

const std::string kGame = BENCH_GAME;
const std::string kBare = std::getenv("BENCH_REFERENCE") ? std::getenv("BENCH_REFERENCE") : BENCH_BARE;
const std::string kWindowBench = BENCH_WINDOW;
const std::string kHeadlessBench = BENCH_HEADLESS;
const std::string kScript = BENCH_SCRIPT;
const std::string kHeadlessGames = BENCH_HEADLESS_GAMES;
const std::string kData = BENCH_DATA;
const std::string kWebBench = BENCH_WEB;
const std::string kWebBuild = BENCH_WEB_BUILD;

// Starts a program with some variables of the environment set; its output goes to /dev/null
// unless `show` is set.
pid_t Start(const std::vector<std::string>& command, const Environment& environment, bool show) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
  if (!show) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
  }
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  std::perror(argv[0]);
  _exit(127);
}

struct Exit {
  double ms = 0;       // from just before the fork to the end of the wait
  double peakMiB = 0;  // the child's peak RSS
  int status = 0;      // its exit status, or 128 + the signal that ended it
};

Exit Finish(pid_t pid, Clock::time_point started) {
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
  }
  Exit exit;
  exit.ms = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
  exit.peakMiB = double(usage.ru_maxrss) / 1024;
  exit.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return exit;
}

Exit Run(const std::vector<std::string>& command, const Environment& environment,
         bool show = false) {
  const Clock::time_point started = Clock::now();
  return Finish(Start(command, environment, show), started);
}

bool Found(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (access((folder + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

int Pairs() {
  return bench::Quick() ? 1 : bench::Setting("BENCH_PAIRS", 15);
}

// Runs `game` and `reference` alternately, `pairs` times each; the medians of time and peak
// RSS. False when a run failed.
bool Alternate(const std::string& title, const std::vector<std::string>& game,
               const std::vector<std::string>& reference, const Environment& environment,
               std::vector<double>& gameMs, std::vector<double>& referenceMs) {
  std::vector<double> gameMiB, referenceMiB;
  for (int pair = 0; pair < Pairs(); ++pair) {
    for (const auto* command : {&game, &reference}) {
      const Exit exit = Run(*command, environment);
      if (exit.status != 0) {
        std::cerr << (*command)[0] << " ended with status " << exit.status << '\n';
        return false;
      }
      (command == &game ? gameMs : referenceMs).push_back(exit.ms);
      (command == &game ? gameMiB : referenceMiB).push_back(exit.peakMiB);
    }
  }
  bench::PrintTitle(title + " (" + std::to_string(Pairs()) + " pairs, alternately)");
  bench::PrintRow("wall time, median (ms)", bench::Median(gameMs), bench::Median(referenceMs));
  bench::PrintRow("peak RSS, median (MiB)", bench::Median(gameMiB), bench::Median(referenceMiB));
  return true;
}

// One Xvfb for the whole run, on the display number it picks itself.
class Xvfb {
 public:
  Xvfb() {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    pid_ = Start({"/usr/bin/env", "Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0",
                  "1024x768x24", "-nolisten", "tcp"},
                 {}, false);
    close(pipeEnds[1]);
    pollfd ready{pipeEnds[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&ready, 1, 10'000) == 1 && read(pipeEnds[0], number, sizeof number - 1) > 0) {
      display_ = ":" + std::string(number, strcspn(number, "\n"));
    }
    close(pipeEnds[0]);
  }
  ~Xvfb() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// The off-screen platform on one 1024 x 768 display, described in a file.
std::string OffscreenPlatform() {
  static const std::string file = [] {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quillon-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    std::ofstream(path / "display.json")
        << R"({"screens": [{"name": "Display", "x": 0, "y": 0, "width": 1024, "height": 768,)"
        << R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    return (path / "display.json").string();
  }();
  return "offscreen:configfile=" + file;
}

// The instructions of a whole process counted by callgrind: a figure that noise cannot move.
std::optional<double> Instructions(const std::vector<std::string>& command,
                                   const Environment& environment = {}) {
  const std::string out = std::filesystem::temp_directory_path() /
                          ("quillon-bench-callgrind-" + std::to_string(getpid()));
  std::vector<std::string> valgrind{"/usr/bin/env", "valgrind", "--tool=callgrind",
                                    "--callgrind-out-file=" + out};
  valgrind.insert(valgrind.end(), command.begin(), command.end());
  if (Run(valgrind, environment).status != 0) return std::nullopt;
  std::ifstream file(out);
  std::optional<double> total;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("summary: ", 0) == 0) total = std::stod(line.substr(9));
  }
  std::filesystem::remove(out);
  return total;
}

bool StartToFirstFrame(const std::optional<Xvfb>& xvfb) {
  std::vector<double> gameMs, referenceMs;
  Environment offscreen{{"QT_QPA_PLATFORM", OffscreenPlatform()},
                        {"QUILLON_QUIT_AFTER_FIRST_FRAME", "1"}};
  if (!Alternate("Start to first frame, whole process, offscreen 1024 x 768", {kGame}, {kBare},
                 offscreen, gameMs, referenceMs)) {
    return false;
  }
  if (!bench::Quick() && Found("valgrind")) {
    const std::optional<double> gameIr = Instructions({kGame}, offscreen);
    const std::optional<double> referenceIr = Instructions({kBare}, offscreen);
    if (gameIr && referenceIr) {
      bench::PrintRow("callgrind, instructions (millions)", *gameIr / 1e6, *referenceIr / 1e6);
    }
  }
  if (!xvfb) {
    bench::PrintNote("Xvfb is not installed: no figures on X11 (apt install xvfb)");
    return true;
  }
  if (xvfb->Display().empty()) {
    bench::PrintNote("Xvfb did not start: no figures on X11");
    return true;
  }
  gameMs.clear();
  referenceMs.clear();
  Environment x11{{"QT_QPA_PLATFORM", "xcb"},
                  {"DISPLAY", xvfb->Display()},
                  {"QUILLON_QUIT_AFTER_FIRST_FRAME", "1"}};
  return Alternate("Start to first frame, whole process, Xvfb 1024 x 768", {kGame}, {kBare}, x11,
                   gameMs, referenceMs);
}

bool InputToRepaint() {
  const int passes = bench::Quick() ? 1 : bench::Setting("BENCH_PASSES", 5);
  return Run({kWindowBench, "repaint", std::to_string(passes)}, {}, true).status == 0;
}

bool Headless() {
  if (Run({kHeadlessBench}, {}, true).status != 0) return false;

  const std::filesystem::path empty =
      std::filesystem::temp_directory_path() / ("quillon-bench-empty-" + std::to_string(getpid()));
  std::ofstream{empty};
  const std::vector<std::string> game{kGame, "--script", kScript};
  const std::vector<std::string> reference{kGame, "--script", empty.string()};
  std::vector<double> gameMs, referenceMs;
  const bool ran = Alternate("Headless game, whole process (reference: an empty script)", game,
                             reference, {}, gameMs, referenceMs);
  if (ran) {
    std::ifstream script(kScript);
    int lines = 0;
    for (std::string line; std::getline(script, line);) {
      if (!line.empty() && line.front() != '#') ++lines;
    }
    bench::PrintNote(std::to_string(lines) + " command lines, " +
                     std::to_string(int(lines / (bench::Median(gameMs) / 1000))) +
                     " lines per second, start-up included");
  }
  if (ran && !bench::Quick()) {
    if (!Found("valgrind")) {
      bench::PrintNote("valgrind is not installed: no instruction counts (apt install valgrind)");
    } else {
      const std::optional<double> gameIr = Instructions(game);
      const std::optional<double> referenceIr = Instructions(reference);
      if (gameIr && referenceIr) {
        bench::PrintRow("callgrind, instructions (millions)", *gameIr / 1e6, *referenceIr / 1e6);
      } else {
        bench::PrintNote("callgrind did not run to its end");
      }
    }
  }
  std::filesystem::remove(empty);
  return ran;
}

// The peak RSS of a child that prints its own, in KiB, on its standard output.
std::optional<double> PrintedPeakMiB(const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& word : command) line += "'" + word + "' ";
  FILE* child = popen(line.c_str(), "r");
  if (!child) return std::nullopt;
  long kib = 0;
  const bool read = std::fscanf(child, "%ld", &kib) == 1;
  if (pclose(child) != 0 || !read) return std::nullopt;
  return double(kib) / 1024;
}

bool Memory() {
  std::vector<double> game, reference;
  const int runs = bench::Quick() ? 1 : 3;
  for (int run = 0; run < runs; ++run) {
    const std::optional<double> gameMiB = PrintedPeakMiB({kWindowBench, "memory", "game"});
    const std::optional<double> referenceMiB = PrintedPeakMiB({kWindowBench, "memory", "bare"});
    if (!gameMiB || !referenceMiB) return false;
    game.push_back(*gameMiB);
    reference.push_back(*referenceMiB);
  }
  bench::PrintTitle("Memory, in process, offscreen 1024 x 768 (" + std::to_string(runs) +
                    " pairs, alternately)");
  bench::PrintRow("peak RSS after the whole game (MiB)", bench::Median(game),
                  bench::Median(reference));
  const int games = bench::Quick() ? 1 : bench::Setting("BENCH_GAMES", 100);
  return Run({kWindowBench, "growth", std::to_string(games)}, {}, true).status == 0;
}

// The CPU time, user and system, a process has used so far, in ms.
double CpuMs(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  std::getline(file, stat);
  // The fields after the command's name, which is in parentheses and may hold spaces.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double user = 0, system = 0;
  for (int number = 3; fields >> field; ++number) {
    if (number == 14) user = std::stod(field);
    if (number == 15) {
      system = std::stod(field);
      break;
    }
  }
  return (user + system) * 1000 / double(sysconf(_SC_CLK_TCK));
}

bool Idle(const std::optional<Xvfb>& xvfb) {
  const int seconds = bench::Quick() ? 1 : bench::Setting("BENCH_IDLE_SECONDS", 60);
  const bool onX11 = xvfb && !xvfb->Display().empty();
  const Environment environment =
      onX11 ? Environment{{"QT_QPA_PLATFORM", "xcb"}, {"DISPLAY", xvfb->Display()}}
            : Environment{{"QT_QPA_PLATFORM", OffscreenPlatform()}};
  const Clock::time_point started = Clock::now();
  const pid_t game = Start({kGame}, environment, false);
  const pid_t reference = Start({kBare}, environment, false);
  // Both have shown their window by then; only the time after it counts.
  std::this_thread::sleep_for(std::chrono::seconds(bench::Quick() ? 1 : 3));
  const double gameBefore = CpuMs(game), referenceBefore = CpuMs(reference);
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const double gameCpu = CpuMs(game) - gameBefore;
  const double referenceCpu = CpuMs(reference) - referenceBefore;
  kill(game, SIGTERM);
  kill(reference, SIGTERM);
  const Exit gameExit = Finish(game, started);
  const Exit referenceExit = Finish(reference, started);
  bench::PrintTitle("Idle on the desktop, whole process, " +
                    std::string(onX11 ? "Xvfb" : "offscreen") + " 1024 x 768, side by side for " +
                    std::to_string(seconds) + " s");
  bench::PrintRow("CPU time, user + system (ms)", gameCpu, referenceCpu);
  bench::PrintRow("CPU share of one core (%)", gameCpu / (10.0 * seconds),
                  referenceCpu / (10.0 * seconds));
  // Both end by the signal; any other end is a failure.
  for (const auto& [name, exit] : {std::pair{&kGame, gameExit}, std::pair{&kBare, referenceExit}}) {
    if (exit.status != 128 + SIGTERM) {
      std::cerr << *name << " ended with status " << exit.status << " while idle\n";
      return false;
    }
  }
  return true;
}

// Whether `make web` has built the browser build: its site or script mode under node.
bool WebBuildExists() {
  const std::filesystem::path build(kWebBuild);
  return std::filesystem::exists(build / "site" / "index.html") ||
         std::filesystem::exists(build / "quillon-script");
}

// The page in headless Chromium and the headless game under node, each beside its reference
// (bench/web/bench_web.mjs, which says itself what it skips).
bool Web() {
  if (!Found("node")) {
    bench::PrintNote("node is not installed: no browser benchmarks (apt install nodejs)");
    return true;
  }
  std::fflush(stdout);  // what this process printed comes before the child's lines
  return Run({"/usr/bin/env", "node", "--no-experimental-fetch", kWebBench, "--web-build",
              kWebBuild, "--native-games", kHeadlessGames, "--script", kScript, "--data", kData},
             {}, true)
             .status == 0;
}

// The processor, from /proc/cpuinfo, and how busy the machine is: the figures depend on both.
void PrintMachine() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string model = "unknown processor";
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) {
      model = line.substr(line.find(':') + 2);
      break;
    }
  }
  std::ifstream loadavg("/proc/loadavg");
  double load = 0;
  loadavg >> load;
  std::printf("%s, %u cores, load average %.2f\n", model.c_str(),
              std::thread::hardware_concurrency(), load);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "all";
  const std::vector<std::string> known{"all",    "startup", "repaint", "headless",
                                       "memory", "idle",    "web"};
  if (argc > 2 || std::find(known.begin(), known.end(), which) == known.end()) {
    std::cerr << "usage: bench_run [all|startup|repaint|headless|memory|idle|web]\n";
    return 2;
  }
  const auto wanted = [&](const char* name) { return which == "all" || which == name; };
  std::optional<Xvfb> xvfb;
  if ((wanted("startup") || wanted("idle")) && Found("Xvfb")) xvfb.emplace();

  PrintMachine();
  const Clock::time_point started = Clock::now();
  bool ok = true;
  if (ok && wanted("startup")) ok = StartToFirstFrame(xvfb);
  if (ok && wanted("repaint")) ok = InputToRepaint();
  if (ok && wanted("headless")) ok = Headless();
  if (ok && wanted("memory")) ok = Memory();
  if (ok && wanted("idle")) ok = Idle(xvfb);
  if (ok && which == "all" && !WebBuildExists()) {
    std::printf("\n");
    bench::PrintNote("no browser build in " + kWebBuild + ": no browser benchmarks (make web)");
  } else if (ok && wanted("web")) {
    ok = Web();
  }
  std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                              ("quillon-bench-" + std::to_string(getpid())));
  if (!ok) {
    std::cerr << "bench_run: a benchmark failed\n";
    return 1;
  }
  std::printf("\nbench_run %s took %.0f s\n", which.c_str(),
              std::chrono::duration<double>(Clock::now() - started).count());
  return 0;
}
