// A script played in the window in real time, for a person to watch: a recording of a game, or
// any script, paced as script/replay.h says. Clicks are marked where they land and typed text
// comes key by key; the player's own clicks and keys do not reach the game, and Escape or
// closing the window stops the replay.
#pragma once

#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/services.h"
#include "script/replay.h"
#include "script/runner.h"

namespace quillon::qt {

class GameWindow;

// The replay in the window: script::Replay paces it, a timer of the window's steps it on the real
// clock, and the window shows it.
class Replay {
 public:
  // The runner has started the game, and the window shows it; `realClock` paces the replay.
  Replay(script::ScriptRunner& runner, script::ScriptReader& script, GameWindow& window,
         const engine::Clock& realClock, double speed);

  // Plays on as far as the real clock has come, then arms its timer for the next step.
  void Step();
  // The moment of the real clock when the next step is due; nothing once the replay is over.
  std::optional<std::int64_t> NextStep() const { return pacing_.NextStep(); }
  bool Over() const { return pacing_.Over(); }
  // Stops the replay where it is, as Escape or closing the window does, and says where.
  void Stop();
  bool Stopped() const { return pacing_.Stopped(); }

 private:
  // What the replay shows, in the window.
  class InWindow final : public script::ReplayView {
   public:
    explicit InWindow(GameWindow& window) : window_(window) {}
    void Refresh() override;
    void Highlight(std::string_view screen, std::string_view control) override;
    void Close() override;

   private:
    GameWindow& window_;
  };

  InWindow view_;
  const engine::Clock& realClock_;
  script::Replay pacing_;
  QTimer timer_;
};

struct ReplayOptions {
  double speed = 1;
  bool windowed = false;
};

// Replays `file` in the window; returns the exit status script mode gives for it. A file that
// script mode refuses is refused before any window opens, with status 2.
int RunReplay(int argc, char** argv, const std::string& file, const ReplayOptions& options);

}  // namespace quillon::qt
