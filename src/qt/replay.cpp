#include "qt/replay.h"

#include <QApplication>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <system_error>

#include "game/game.h"
#include "platform/folders.h"
#include "qt/application.h"
#include "qt/game_window.h"
#include "qt/qt_services.h"

namespace quillon::qt {

Replay::Replay(script::ScriptRunner& runner, script::ScriptReader& script, GameWindow& window,
               const engine::Clock& realClock, double speed)
    : view_(window), realClock_(realClock), pacing_(runner, script, view_, speed) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

void Replay::Step() {
  pacing_.Step(realClock_.NowMs());
  const std::optional<std::int64_t> next = pacing_.NextStep();
  if (!next) return timer_.stop();
  const std::int64_t wait =
      std::clamp<std::int64_t>(*next - realClock_.NowMs(), 0, std::numeric_limits<int>::max());
  timer_.start(int(wait));
}

void Replay::Stop() {
  const std::optional<std::int64_t> line = pacing_.Stop();
  if (!line) return;
  timer_.stop();
  std::cout.flush();
  std::cerr << "quillon: the replay stopped at line " << *line << std::endl;
}

void Replay::InWindow::Refresh() {
  window_.Refresh();
}

void Replay::InWindow::Highlight(std::string_view screen, std::string_view control) {
  window_.Highlight(screen, control);
}

void Replay::InWindow::Close() {
  window_.close();
}

namespace {

// A file to replay must be a regular file, and a script that script mode runs without refusing a
// line (script::ReplayRefusal): one that is not is refused with the line at fault before any
// window opens.
int CheckReplayFile(const std::string& file) {
  if (file == "-") {
    std::cerr << "quillon: cannot replay standard input: a replay reads a file\n";
    return 2;
  }
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  std::ifstream script;
  if (std::filesystem::is_regular_file(status)) script.open(file);
  if (!script.is_open()) {
    if (std::filesystem::exists(status) && !std::filesystem::is_directory(status)) {
      std::cerr << "quillon: cannot replay " << file << ": it is no regular file\n";
    } else {
      std::cerr << "quillon: cannot read " << file << '\n';
    }
    return 2;
  }
  const std::string refusal = script::ReplayRefusal(script, platform::SoundFolder());
  if (refusal.empty()) return 0;
  std::cerr << "quillon: cannot replay " << file << ": " << refusal << '\n';
  return 2;
}

}  // namespace

int RunReplay(int argc, char** argv, const std::string& file, const ReplayOptions& options) {
  if (const int status = CheckReplayFile(file); status != 0) return status;
  const std::unique_ptr<QApplication> app = OpenApplication(argc, argv);
  if (!app) return 1;
  std::cout << std::unitbuf;  // what the script prints shows as the replay comes to it

  std::ifstream script(file);
  // A sound that the runner prints is heard too; without audio output it is only printed.
  QtSoundPlayer audible(platform::SoundFolder(), true);
  const engine::ScreenRegistry& screens = game::GameScreens();
  script::ScriptRunner runner(screens, std::cout, std::cerr, platform::SoundFolder(), &audible);
  script::ScriptReader reader(screens, script);

  GameWindow window(runner.Game());
  const engine::SteadyClock realClock;
  Replay replay(runner, reader, window, realClock, options.speed);
  window.WatchOnly([&replay, &window] {
    replay.Stop();
    window.close();
  });
  runner.Start();
  window.Refresh();
  if (options.windowed) {
    window.ShowWindowed();
  } else {
    window.ShowFullScreen();
  }
  app->setQuitOnLastWindowClosed(true);
  QTimer::singleShot(0, &window, [&replay] { replay.Step(); });
  app->exec();
  if (!replay.Over()) replay.Stop();  // the window was closed
  return runner.Status();
}

}  // namespace quillon::qt
