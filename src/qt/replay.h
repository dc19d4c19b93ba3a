// A script played in the window in real time, for a person to watch: a recording of a game, or
// any script. The script runs on the script runner's virtual clock, exactly as in script mode,
// and that clock is stepped on in real time (or N times faster): each wait moves it on piece by
// piece, from one timer's due moment to the next, so every timer fires at its own moment and
// the replay ends the same as script mode would, with the same output and exit status. Clicks
// are marked where they land and typed text comes key by key; the player's own clicks and keys
// do not reach the game, and Escape or closing the window stops the replay.
#pragma once

#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>

#include "script/runner.h"
#include "engine/services.h"

namespace quillon::qt {

class GameWindow;

// After a click, and before one, at least kReplayClickGapMs of real time pass (divided by the
// speed), and kReplayKeyGapMs between two keys, so that a script without waits can be followed
// too.
inline constexpr std::int64_t kReplayClickGapMs = 400;
inline constexpr std::int64_t kReplayKeyGapMs = 100;
// The last picture stays this long once the script is over (divided by the speed).
inline constexpr std::int64_t kReplayEndHoldMs = 1000;

class Replay {
 public:
  // The runner has started the game, and the window shows it; `realClock` paces the replay.
  Replay(script::ScriptRunner& runner, script::ScriptReader& script, GameWindow& window,
         const engine::Clock& realClock, double speed);

  // Plays on as far as the real clock has come, then arms its timer for the next step.
  void Step();
  // The moment of the real clock when the next step is due; nothing once the replay is over.
  std::optional<std::int64_t> NextStep() const;
  bool Over() const { return over_; }
  // Stops the replay where it is, as Escape or closing the window does.
  void Stop();
  bool Stopped() const { return stopped_; }

 private:
  // The real time when a click or key whose gap is `gap` may come after the last one.
  std::int64_t NotBefore(std::int64_t gap) const;
  std::int64_t RealSpan(std::int64_t gameMs) const;
  // Plays the line read; false when it waits for the real clock.
  bool Play(const script::ScriptLine& line, std::int64_t now);
  bool StepWait(std::int64_t now);
  void WakeAt(std::int64_t realMs);
  void Finish();

  script::ScriptRunner& runner_;
  script::ScriptReader& script_;
  GameWindow& window_;
  const engine::Clock& realClock_;
  double speed_;
  QTimer timer_;
  std::optional<std::int64_t> wakeAt_;
  std::optional<std::int64_t> lastEvent_;  // real time of the last click or key
  std::int64_t lastGap_ = 0;               // and its gap
  std::optional<script::ScriptLine> pending_;      // a line read and not played yet
  std::int64_t lineNumber_ = 0;
  // The wait being played: where it started on both clocks, and where it ends.
  bool waiting_ = false;
  std::int64_t waitRealStart_ = 0;
  std::int64_t waitGameStart_ = 0;
  std::int64_t waitGameEnd_ = 0;
  // The keys of a `type` or `key` line still to press.
  std::vector<int> keys_;
  size_t nextKey_ = 0;
  // The script is over; the picture stays until then.
  std::optional<std::int64_t> holdUntil_;
  bool over_ = false;
  bool stopped_ = false;
};

struct ReplayOptions {
  double speed = 1;
  bool windowed = false;
};

// Replays `file` in the window; returns the exit status script mode gives for it. A file that
// script mode refuses is refused before any window opens, with status 2.
int RunReplay(int argc, char** argv, const std::string& file, const ReplayOptions& options);

}  // namespace quillon::qt
