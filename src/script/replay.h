// A script replayed in real time, for a person to watch: a recording of a game, or any script.
// The pacing lives here, once, for every front end that shows a replay (the window, the page);
// the front end only keeps a real clock, calls Step when it is due and shows what it is told.
//
// The script runs on the script runner's virtual clock, exactly as in script mode, and that
// clock is stepped on in real time (or N times faster): each wait moves it on piece by piece,
// from one timer's due moment to the next, so every timer fires at its own moment and the replay
// ends the same as script mode would, with the same output and exit status. Clicks are marked
// where they land and typed text comes key by key.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/codec.h"
#include "script/runner.h"

namespace quillon::script {

// After a click, and before one, at least kReplayClickGapMs of real time pass (divided by the
// speed), and kReplayKeyGapMs between two keys, so that a script without waits can be followed
// too.
inline constexpr std::int64_t kReplayClickGapMs = 400;
inline constexpr std::int64_t kReplayKeyGapMs = 100;
// The last picture stays this long once the script is over (divided by the speed).
inline constexpr std::int64_t kReplayEndHoldMs = 1000;
// A step plays at most this many lines, then hands the front end back its event loop and is due
// again at once: a script of lines that take no time still lets the window draw and stop.
inline constexpr int kReplayLinesPerStep = 100;

// What a front end shows of a replay.
class ReplayView {
 public:
  virtual ~ReplayView() = default;
  // The game changed: redraw.
  virtual void Refresh() = 0;
  // A click lands here: mark it for a moment.
  virtual void Highlight(std::string_view screen, std::string_view control) = 0;
  // The replay is over: the game ended, the script did, or a line was refused. A replay that the
  // front end stops is not closed by it.
  virtual void Close() = 0;
};

class Replay {
 public:
  // The runner has started the game, and `view` shows it; `speed` is how many times faster than
  // real time the script plays (more than 0).
  Replay(ScriptRunner& runner, ScriptReader& script, ReplayView& view, double speed);

  // Plays on as far as the front end's real clock has come (a steady clock, in ms from any
  // origin), kReplayLinesPerStep lines at most.
  void Step(std::int64_t realNow);
  // The moment of the real clock when the next step is due; nothing once the replay is over.
  std::optional<std::int64_t> NextStep() const;
  bool Over() const { return over_; }
  // Stops the replay where it is, as Escape or closing the window does: the line it stopped at;
  // nothing when the replay was over already.
  std::optional<std::int64_t> Stop();
  bool Stopped() const { return stopped_; }
  // The line played last.
  std::int64_t LineNumber() const { return lineNumber_; }

 private:
  // The real time when a click or key whose gap is `gap` may come after the last one.
  std::int64_t NotBefore(std::int64_t gap) const;
  std::int64_t RealSpan(std::int64_t gameMs) const;
  // Plays the line read; false when it waits for the real clock.
  bool Play(const ScriptLine& line, std::int64_t now);
  bool StepWait(std::int64_t now);
  void WakeAt(std::int64_t realMs) { wakeAt_ = realMs; }
  void Finish();

  ScriptRunner& runner_;
  ScriptReader& script_;
  ReplayView& view_;
  double speed_;
  std::optional<std::int64_t> wakeAt_;
  std::optional<std::int64_t> lastEvent_;  // real time of the last click or key
  std::int64_t lastGap_ = 0;               // and its gap
  std::optional<ScriptLine> pending_;      // a line read and not played yet
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

// A replay plays only a script that script mode runs to its end: the script is run once
// headless first, so that one which is no script is refused at once, with the line at fault,
// before anything is shown. Returns the refusal as script mode prints it after "quillon: "
// ("line N: ..."), or "" when script mode refuses no line; what the run prints goes nowhere.
std::string ReplayRefusal(std::istream& script, const std::filesystem::path& soundFolder);

}  // namespace quillon::script
