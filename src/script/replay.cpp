#include "script/replay.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

#include "game/game.h"

namespace quillon::script {

Replay::Replay(ScriptRunner& runner, ScriptReader& script, ReplayView& view, double speed)
    : runner_(runner), script_(script), view_(view), speed_(speed) {}

std::optional<std::int64_t> Replay::NextStep() const {
  if (over_) return std::nullopt;
  return wakeAt_;
}

std::int64_t Replay::RealSpan(std::int64_t gameMs) const {
  // The longest span a front end's timer takes: an int of ms.
  constexpr std::int64_t kLongest = std::numeric_limits<int>::max();
  const double span = std::ceil(double(gameMs) / speed_);
  return span >= double(kLongest) ? kLongest : std::int64_t(span);
}

std::int64_t Replay::NotBefore(std::int64_t gap) const {
  return lastEvent_ ? *lastEvent_ + RealSpan(std::max(gap, lastGap_))
                    : std::numeric_limits<std::int64_t>::min();
}

void Replay::Step(std::int64_t realNow) {
  if (over_) return;
  wakeAt_.reset();
  int linesLeft = kReplayLinesPerStep;
  while (!over_) {
    if (waiting_) {
      if (!StepWait(realNow)) return;
      continue;
    }
    if (nextKey_ < keys_.size()) {
      if (realNow < NotBefore(kReplayKeyGapMs)) return WakeAt(NotBefore(kReplayKeyGapMs));
      runner_.Game().Deliver(session::PlayerEvent::KeyPress(keys_[nextKey_++]));
      lastEvent_ = realNow;
      lastGap_ = kReplayKeyGapMs;
      view_.Refresh();
      if (runner_.Game().Ended()) return Finish();
      continue;
    }
    if (holdUntil_) {
      if (realNow < *holdUntil_) return WakeAt(*holdUntil_);
      return Finish();
    }
    if (!pending_) {
      pending_ = script_.Next();
      if (!pending_) {
        holdUntil_ = realNow + RealSpan(kReplayEndHoldMs);
        continue;
      }
    }
    if (!Play(*pending_, realNow)) return;
    pending_.reset();
    // Lines that take no time (prints, comments, waits of 0) could run for minutes on end: the
    // front end gets its turn now and then, to draw and to hear Escape, and steps on at once.
    if (--linesLeft == 0 && !over_) return WakeAt(realNow);
  }
}

bool Replay::Play(const ScriptLine& line, std::int64_t now) {
  lineNumber_ = line.number;
  if (!line.refusal.empty()) {
    runner_.RunLine(line);
    Finish();
    return true;
  }
  switch (line.command.kind) {
    case ScriptCommand::Kind::Click:
      if (now < NotBefore(kReplayClickGapMs)) {
        WakeAt(NotBefore(kReplayClickGapMs));
        return false;
      }
      view_.Refresh();
      view_.Highlight(line.command.screen, line.command.control);
      lastEvent_ = now;
      lastGap_ = kReplayClickGapMs;
      break;
    case ScriptCommand::Kind::Type:
    case ScriptCommand::Kind::Key:
      keys_ = line.command.keys;
      nextKey_ = 0;
      return true;
    case ScriptCommand::Kind::Wait:
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
  view_.Refresh();
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
  view_.Refresh();
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
  runner_.ReportLinesAfterTheEnd(script_);
  view_.Close();
}

std::optional<std::int64_t> Replay::Stop() {
  if (over_) return std::nullopt;
  over_ = true;
  stopped_ = true;
  return lineNumber_;
}

std::string ReplayRefusal(std::istream& script, const std::filesystem::path& soundFolder) {
  std::ostream discarded(nullptr);  // what the run prints goes nowhere
  const ScriptResult run =
      RunScript(game::GameScreens(), script, discarded, discarded, soundFolder);
  return run.status == 2 ? run.refusal : std::string();
}

}  // namespace quillon::script
