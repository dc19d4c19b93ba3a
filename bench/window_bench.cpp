// In-process benchmarks of the game's real window, drawn off screen (QT_QPA_PLATFORM=offscreen)
// on a virtual clock, as the window tests draw it:
//   bench_window repaint PASSES     input to repaint, at 1024 x 768 and at 3840 x 2160
//   bench_window repaint PASSES WIDTHxHEIGHT    at that size only (for a profiler)
//   bench_window memory game|bare   peak RSS after one whole game, or after the bare window
//   bench_window growth GAMES       RSS after game 10 and after the last, headless and windowed
//
// The game is examples/full-game.qs. Its clicks and keys reach the window as Qt events: a
// click is a mouse press and release on the viewport where the control is, a key a key press
// and release on the window, as the window system would send them. `wait` moves the virtual
// clock; `expect` and the other lines run as in script mode, so a game that went astray in the
// window is caught and the run fails.
#include <sys/resource.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "script/runner.h"
#include "bare_view.h"
#include "bench_util.h"
#include "qt/game_window.h"
#include "qt/control_style.h"
#include "qt/warm_up.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

using quillon::script::ScriptCommand;
using quillon::script::ScriptLine;

// The script, whole and read into lines as script mode reads it.
struct Script {
  std::string text;
  std::vector<quillon::script::ScriptLine> lines;
};

Script ReadScript(const char* file) {
  std::ifstream in(file);
  Script script;
  script.text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::istringstream text(script.text);
  quillon::script::ScriptReader reader(quillon::game::GameScreens(), text);
  while (std::optional<quillon::script::ScriptLine> line = reader.Next()) script.lines.push_back(std::move(*line));
  return script;
}

// A click or key as its script line says it, for the trace.
std::string Describe(const quillon::script::ScriptCommand& command, int key = 0) {
  if (command.kind == quillon::script::ScriptCommand::Kind::Click) {
    return "click " + command.screen + " " + command.control;
  }
  return "key " + std::to_string(key);
}

// Counts the paint events of the viewport.
class PaintCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

// Runs what an event set off until the window has nothing left to do. The time from `start`
// to the end of the last paint of the viewport, or nothing when the event painted nothing. A
// paint is sent from within the event loop, so it is over when the pass that ran it returns.
std::optional<double> UntilPainted(const PaintCounter& paints, Clock::time_point start) {
  constexpr double kNothingPaintedAfterMs = 200;
  QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
  std::optional<double> lastPaint;
  int counted = paints.count;
  while (true) {
    const bool busy = loop->processEvents(QEventLoop::AllEvents);
    if (paints.count != counted) {
      counted = paints.count;
      lastPaint = MsSince(start);
    }
    if (!busy && (lastPaint || MsSince(start) > kNothingPaintedAfterMs)) return lastPaint;
  }
}

// What one pass of events measured: the time to repaint of each event that painted.
struct Latencies {
  std::vector<double> ms;
  int unpainted = 0;

  std::optional<double> Add(std::optional<double> latency) {
    if (latency) {
      ms.push_back(*latency);
    } else {
      ++unpainted;
    }
    return latency;
  }
};

// With BENCH_TRACE=1, each event's line of the script and its time to repaint, on standard
// error: which events are the slow ones.
void Trace(const std::string& event, std::optional<double> latency) {
  static const bool tracing = qEnvironmentVariable("BENCH_TRACE") == u"1";
  if (!tracing) return;
  std::fprintf(stderr, "%8.3f ms  %s\n", latency.value_or(0.0), event.c_str());
}

// One key press and release on `widget`, as the window system sends them.
void PressKey(QWidget* widget, int code) {
  switch (code) {
    case 8:
      QTest::keyClick(widget, Qt::Key_Backspace);
      return;
    case 13:
      QTest::keyClick(widget, Qt::Key_Return);
      return;
    case 27:
      QTest::keyClick(widget, Qt::Key_Escape);
      return;
    default:
      break;
  }
  if (code < 127) {
    QTest::keyClick(widget, char(code));
    return;
  }
  const char32_t character = char32_t(code);
  const QString text = QString::fromUcs4(&character, 1);
  QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, text, Qt::NoModifier);
  QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

bool IsClickOrKeys(const quillon::script::ScriptLine& line) {
  const quillon::script::ScriptCommand::Kind kind = line.command.kind;
  return line.refusal.empty() &&
         (kind == quillon::script::ScriptCommand::Kind::Click || kind == quillon::script::ScriptCommand::Kind::Type ||
          kind == quillon::script::ScriptCommand::Kind::Key);
}

// The game of a script in the real window.
class WindowGame {
 public:
  WindowGame(QSize size, const std::filesystem::path& data)
      : runner_(quillon::game::GameScreens(), out_, err_, data), window_(runner_.Game()) {
    window_.resize(size);
    window_.show();
    runner_.Start();
    window_.Refresh();
    window_.viewport()->installEventFilter(&paints_);
    UntilPainted(paints_, Clock::now());
    // The player's first look at the desktop: time enough for the window's warm-up.
    const Clock::time_point warmUpStart = Clock::now();
    while (!warmUp_.Done()) QCoreApplication::processEvents();
    if (qEnvironmentVariable("BENCH_TRACE") == u"1") {
      std::fprintf(stderr, "warm-up: %.3f ms after the first frame\n", MsSince(warmUpStart));
    }
  }

  // Plays the script; each click and key goes into `latencies`, and its kind ('c' or 'k')
  // into `kinds`. False, with the reason on standard error, when the game went astray.
  bool Play(const std::vector<quillon::script::ScriptLine>& script, Latencies& latencies, std::string& kinds) {
    for (const quillon::script::ScriptLine& line : script) {
      if (runner_.Game().Ended()) break;
      const quillon::script::ScriptCommand& command = line.command;
      if (!IsClickOrKeys(line)) {
        if (!runner_.RunLine(line) && !runner_.Game().Ended()) break;
        if (command.kind == quillon::script::ScriptCommand::Kind::Wait) {
          window_.Refresh();
          UntilPainted(paints_, Clock::now());
        }
      } else if (command.kind == quillon::script::ScriptCommand::Kind::Click) {
        const std::optional<QPoint> point = WhereToClick(command.screen, command.control);
        if (!point) {
          std::cerr << "line " << line.number << ": " << Describe(command)
                    << " cannot be clicked in the window\n";
          return false;
        }
        const Clock::time_point start = Clock::now();
        QTest::mouseClick(window_.viewport(), Qt::LeftButton, Qt::NoModifier, *point);
        Trace(Describe(command), latencies.Add(UntilPainted(paints_, start)));
        kinds += 'c';
      } else {
        for (const int code : command.keys) {
          const Clock::time_point start = Clock::now();
          PressKey(&window_, code);
          Trace(Describe(command, code), latencies.Add(UntilPainted(paints_, start)));
          kinds += 'k';
        }
      }
    }
    // The window took over the end of the game from the runner: it closes.
    if (runner_.Status() != 0 || !runner_.Game().Ended()) {
      std::cerr << "the game in the window went astray (status " << runner_.Status()
                << (runner_.Game().Ended() ? ", ended" : ", not ended") << "):\n"
                << out_.str() << err_.str();
      return false;
    }
    return true;
  }

 private:
  // A point of the viewport where a click lands on the control: the middle of its rectangle,
  // or else the first point of a grid over it that reaches it.
  std::optional<QPoint> WhereToClick(const std::string& screen, const std::string& control) {
    const quillon::engine::ScreenDesign* design = runner_.Game().Game().Design(screen);
    const quillon::engine::ScreenState* state = runner_.Game().Game().Peek(screen);
    const quillon::engine::ControlDesign* controlDesign = design ? design->Find(control) : nullptr;
    if (!controlDesign || !state) return std::nullopt;
    const QRectF rect =
        quillon::qt::ControlRect(*controlDesign, state->Find(control)->text)
            .translated(quillon::qt::Px(design->Left()), quillon::qt::Px(design->Top()));
    constexpr int kSteps = 8;
    for (int step = 0; step <= kSteps * kSteps; ++step) {
      const QPointF desktop =
          step == 0 ? rect.center()
                    : QPointF(rect.left() + rect.width() * ((step - 1) % kSteps + 0.5) / kSteps,
                              rect.top() + rect.height() * ((step - 1) / kSteps + 0.5) / kSteps);
      const QPoint point = window_.mapFromScene(desktop);
      const auto hit = window_.HitAt(window_.mapToScene(point));
      if (hit && hit->screen == screen && hit->control == control) return point;
    }
    return std::nullopt;
  }

  std::ostringstream out_;
  std::ostringstream err_;
  PaintCounter paints_;  // outlives the window it watches
  quillon::script::ScriptRunner runner_;
  quillon::qt::GameWindow window_;
  quillon::qt::WarmUp warmUp_{window_, runner_.Game().Game(), quillon::game::GameScreens()};
};

// The reference: the same kinds of events, one after the other, on the bare window.
void PlayBare(QSize size, const std::string& kinds, Latencies& latencies) {
  PaintCounter paints;
  bench::BareView view;
  view.resize(size);
  view.show();
  view.viewport()->installEventFilter(&paints);
  UntilPainted(paints, Clock::now());
  for (const char kind : kinds) {
    const Clock::time_point start = Clock::now();
    if (kind == 'c') {
      QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, view.RectCentre());
    } else {
      QTest::keyClick(&view, 'a');
    }
    latencies.Add(UntilPainted(paints, start));
  }
}

long PeakRssKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

long RssKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

int Repaint(int passes, std::vector<QSize> sizes, const std::vector<quillon::script::ScriptLine>& script) {
  for (const QSize size : sizes) {
    Latencies game, bare;
    for (int pass = 0; pass < passes; ++pass) {
      std::string kinds;
      if (!WindowGame(size, BENCH_DATA).Play(script, game, kinds)) return 1;
      PlayBare(size, kinds, bare);
    }
    bench::PrintTitle("Input to repaint, in process, offscreen " + std::to_string(size.width()) +
                      " x " + std::to_string(size.height()) + " (" + std::to_string(passes) +
                      " games, alternately)");
    bench::PrintRow("p50 (ms)", bench::Percentile(game.ms, 0.5), bench::Percentile(bare.ms, 0.5));
    bench::PrintRow("p99 (ms)", bench::Percentile(game.ms, 0.99), bench::Percentile(bare.ms, 0.99));
    bench::PrintRow("max (ms)", bench::Percentile(game.ms, 1), bench::Percentile(bare.ms, 1));
    bench::PrintNote(std::to_string(game.ms.size()) + " game events repainted, " +
                     std::to_string(game.unpainted) + " painted nothing; reference " +
                     std::to_string(bare.ms.size()) + " and " + std::to_string(bare.unpainted));
  }
  return 0;
}

// The kinds of the events of a script, in order: 'c' a click, 'k' a key.
std::string KindsOf(const std::vector<quillon::script::ScriptLine>& script) {
  std::string kinds;
  for (const quillon::script::ScriptLine& line : script) {
    if (!IsClickOrKeys(line)) continue;
    if (line.command.kind == quillon::script::ScriptCommand::Kind::Click) {
      kinds += 'c';
    } else {
      kinds.append(line.command.keys.size(), 'k');
    }
  }
  return kinds;
}

// Prints the peak RSS in KiB after one whole game in the window, or after as many clicks and
// keys on the bare window.
int Memory(const std::string& side, const std::vector<quillon::script::ScriptLine>& script) {
  const QSize size(1024, 768);
  Latencies latencies;
  if (side == "game") {
    std::string kinds;
    if (!WindowGame(size, BENCH_DATA).Play(script, latencies, kinds)) return 1;
  } else {
    PlayBare(size, KindsOf(script), latencies);
  }
  std::printf("%ld\n", PeakRssKiB());
  return 0;
}

int Growth(int games, const Script& script) {
  // The first games fill caches that stay; growth after them would be a leak.
  const int early = games >= 20 ? 10 : std::max(1, games / 2);
  long headlessEarly = 0, headless = 0, windowedEarly = 0, windowed = 0;
  for (int game = 1; game <= games; ++game) {
    std::istringstream in(script.text);
    std::ostringstream out, err;
    if (quillon::script::RunScript(quillon::game::GameScreens(), in, out, err, BENCH_DATA).status != 0) return 1;
    if (game == early) headlessEarly = RssKiB();
  }
  headless = RssKiB();
  for (int game = 1; game <= games; ++game) {
    Latencies latencies;
    std::string kinds;
    if (!WindowGame(QSize(1024, 768), BENCH_DATA).Play(script.lines, latencies, kinds)) return 1;
    if (game == early) windowedEarly = RssKiB();
  }
  windowed = RssKiB();
  const std::string after =
      "RSS after game " + std::to_string(early) + ", after game " + std::to_string(games) + ": ";
  std::printf("\n== Growth over %d games in one process ==\n", games);
  std::printf("headless (script runner)      %s%ld KiB, %ld KiB (%+ld KiB)\n", after.c_str(),
              headlessEarly, headless, headless - headlessEarly);
  std::printf("windowed (offscreen 1024x768) %s%ld KiB, %ld KiB (%+ld KiB)\n", after.c_str(),
              windowedEarly, windowed, windowed - windowedEarly);
  return 0;
}

// The off-screen platform, on one display big enough for the largest window measured.
QByteArray OffscreenPlatform(const QTemporaryDir& folder) {
  constexpr const char* kDisplay = R"({
    "synchronousWindowSystemEvents": false,
    "screens": [{"name": "Display", "x": 0, "y": 0, "width": 3840, "height": 2160,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]
  })";
  QFile file(folder.filePath(QStringLiteral("display.json")));
  if (!file.open(QIODevice::WriteOnly) || file.write(kDisplay) < 0) return "offscreen";
  return "offscreen:configfile=" + QFile::encodeName(file.fileName());
}

int Usage() {
  std::cerr << "usage: bench_window repaint PASSES [WIDTHxHEIGHT] | memory game|bare | "
               "growth GAMES\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && std::string_view(argv[1]) == "repaint")) return Usage();
  const std::string mode = argv[1];
  const std::string argument = argv[2];
  const Script script = ReadScript(BENCH_SCRIPT);
  if (script.lines.empty()) {
    std::cerr << "bench_window: cannot read " << BENCH_SCRIPT << '\n';
    return 2;
  }
  QTemporaryDir folder;
  qputenv("QT_QPA_PLATFORM", OffscreenPlatform(folder));
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const int count = std::atoi(argument.c_str());
  if (mode == "repaint" && count > 0) {
    std::vector<QSize> sizes{{1024, 768}, {3840, 2160}};
    if (bench::Quick()) sizes.pop_back();
    if (argc == 4) {
      int width = 0, height = 0;
      if (std::sscanf(argv[3], "%dx%d", &width, &height) != 2 || width < 64 || height < 48 ||
          width > 7680 || height > 4320) {
        return Usage();
      }
      sizes = {QSize(width, height)};
    }
    return Repaint(count, sizes, script.lines);
  }
  if (mode == "memory" && (argument == "game" || argument == "bare")) {
    return Memory(argument, script.lines);
  }
  if (mode == "growth" && count > 0) return Growth(count, script);
  return Usage();
}
