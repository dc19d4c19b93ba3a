#include "qt/replay.h"

#include <QApplication>
#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "game/game.h"
#include "platform/folders.h"
#include "qt/application.h"
#include "qt/game_window.h"
#include "qt/qt_services.h"

namespace quillon::qt {

Replay::Replay(script::ScriptRunner& runner, script::ScriptReader& script, GameWindow& window,
               const engine::Clock& realClock, double speed)
    : runner_(runner), script_(script), window_(window), realClock_(realClock), speed_(speed) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
}

std::optional<std::int64_t> Replay::NextStep() const {
  if (over_) return std::nullopt;
  return wakeAt_;
}

std::int64_t Replay::RealSpan(std::int64_t gameMs) const {
  const double span = std::ceil(double(gameMs) / speed_);
  return span >= double(INT_MAX) ? INT_MAX : std::int64_t(span);
}

std::int64_t Replay::NotBefore(std::int64_t gap) const {
  return lastEvent_ ? *lastEvent_ + RealSpan(std::max(gap, lastGap_)) : LLONG_MIN;
}

void Replay::WakeAt(std::int64_t realMs) {
  wakeAt_ = realMs;
  const std::int64_t wait = std::clamp<std::int64_t>(realMs - realClock_.NowMs(), 0, INT_MAX);
  timer_.start(int(wait));
}

void Replay::Step() {
  if (over_) return;
  const std::int64_t now = realClock_.NowMs();
  wakeAt_.reset();
  while (!over_) {
    if (waiting_) {
      if (!StepWait(now)) return;
      continue;
    }
    if (nextKey_ < keys_.size()) {
      if (now < NotBefore(kReplayKeyGapMs)) return WakeAt(NotBefore(kReplayKeyGapMs));
      runner_.Game().Deliver(session::PlayerEvent::KeyPress(keys_[nextKey_++]));
      lastEvent_ = now;
      lastGap_ = kReplayKeyGapMs;
      window_.Refresh();
      if (runner_.Game().Ended()) return Finish();
      continue;
    }
    if (holdUntil_) {
      if (now < *holdUntil_) return WakeAt(*holdUntil_);
      return Finish();
    }
    if (!pending_) {
      pending_ = script_.Next();
      if (!pending_) {
        holdUntil_ = now + RealSpan(kReplayEndHoldMs);
        continue;
      }
    }
    if (!Play(*pending_, now)) return;
    pending_.reset();
  }
}

bool Replay::Play(const script::ScriptLine& line, std::int64_t now) {
  lineNumber_ = line.number;
  if (!line.refusal.empty()) {
    runner_.RunLine(line);
    Finish();
    return true;
  }
  switch (line.command.kind) {
    case script::ScriptCommand::Kind::Click:
      if (now < NotBefore(kReplayClickGapMs)) {
        WakeAt(NotBefore(kReplayClickGapMs));
        return false;
      }
      window_.Refresh();
      window_.Highlight(line.command.screen, line.command.control);
      lastEvent_ = now;
      lastGap_ = kReplayClickGapMs;
      break;
    case script::ScriptCommand::Kind::Type:
    case script::ScriptCommand::Kind::Key:
      keys_ = line.command.keys;
      nextKey_ = 0;
      return true;
    case script::ScriptCommand::Kind::Wait:
      if (!runner_.BeginWait(line)) {
        Finish();
        return true;
      }
      waiting_ = true;
      waitRealStart_ = now;
      waitGameStart_ = runner_.Game().Now();
      waitGameEnd_ = waitGameStart_ + line.command.ms;
      return true;
    default:
      break;
  }
  const bool goesOn = runner_.RunLine(line);
  window_.Refresh();
  if (!goesOn) Finish();
  return true;
}

bool Replay::StepWait(std::int64_t now) {
  const std::int64_t game = runner_.Game().Now();
  // Game time as far as the real clock has come, but not past the wait's end.
  const double reached = double(now - waitRealStart_) * speed_;
  const std::int64_t target =
      reached >= double(waitGameEnd_ - waitGameStart_)
          ? waitGameEnd_
          : std::max(game, waitGameStart_ + std::int64_t(std::floor(reached)));
  runner_.Game().AdvanceTo(target);
  window_.Refresh();
  if (runner_.Game().Ended()) {
    Finish();
    return true;
  }
  if (target >= waitGameEnd_) {
    waiting_ = false;
    return true;
  }
  // Nothing changes before the next timer falls due, or the wait ends.
  std::int64_t next = waitGameEnd_;
  if (const std::optional<std::int64_t> due = runner_.Game().NextTimerDue()) {
    next = std::min(next, std::max(*due, target + 1));
  }
  WakeAt(waitRealStart_ + RealSpan(next - waitGameStart_));
  return false;
}

void Replay::Finish() {
  if (over_) return;
  over_ = true;
  timer_.stop();
  runner_.ReportLinesAfterTheEnd(script_);
  window_.close();
}

void Replay::Stop() {
  if (over_) return;
  over_ = true;
  stopped_ = true;
  timer_.stop();
  std::cout.flush();
  std::cerr << "quillon: the replay stopped at line " << lineNumber_ << std::endl;
}

namespace {

// A replay plays only a script that script mode runs to its end: the file is run once headless
// first, so a file that is no script is refused at once, with the line at fault, before any
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
  std::ostream discarded(nullptr);  // what the run prints goes nowhere
  const script::ScriptResult run =
      script::RunScript(game::GameScreens(), script, discarded, discarded, platform::SoundFolder());
  if (run.status != 2) return 0;
  std::cerr << "quillon: cannot replay " << file << ": " << run.refusal << '\n';
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
