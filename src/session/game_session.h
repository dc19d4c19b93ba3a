// One game being played: its screens, its clock, and the only way into it. Every front end (the
// window, script mode, the replay, the fuzzers, the benchmarks) moves game time and hands the
// player's events to the game through a session, and none does either by itself.
//
// Game time is virtual: it moves only when the session is told to move it, and every timer due
// on the way fires at its own moment, so a game played in real time goes exactly as a script
// that waits the same. An event of the player is handled at one moment of game time, which
// stands still while it is handled.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "engine/design.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "session/player_event.h"

namespace quillon::session {

class GameSession {
 public:
  // The game's services but its clock: the session keeps the game clock itself.
  GameSession(const engine::ScreenRegistry& screens, engine::SoundPlayer& sound,
              engine::DocumentOpener& documents, const engine::DateFormatter& dates);
  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // Loads the first screen, whose load handler opens the rest.
  void Start(std::string_view firstScreen);

  // --- Game time ---------------------------------------------------------------------------
  // The game clock, in ms since the start.
  std::int64_t Now() const { return clock_.Time(); }
  // Moves game time on to `moment`, firing every timer due by then, each at its own moment; a
  // moment before now moves nothing, and game time never passes engine::kVirtualTimeLimitMs.
  void AdvanceTo(std::int64_t moment);
  // Moves game time on by `ms`; throws std::out_of_range, moving nothing, for a negative `ms`
  // or one that would pass engine::kVirtualTimeLimitMs.
  void Advance(std::int64_t ms);
  std::optional<std::int64_t> NextTimerDue() const { return manager_.NextTimerDue(); }

  // --- The player --------------------------------------------------------------------------
  // Hands one event of the player to the game at the current moment. False, and nothing
  // happens nor is heard, when the game does not take it: the game has ended, the click does
  // not reach a control or screen that takes it, no text box has the focus for a key, the box
  // of an edit or a focus is not there.
  bool Deliver(PlayerEvent event);
  // Tab (forward) or Shift+Tab: the focus moves to the next (or previous) visible, enabled text
  // box of the active screen, in design order and round the end. False when there is none.
  bool MoveFocus(bool forward);

  // Hears of every event the game takes, and of the end; null for none.
  void SetListener(PlayerEventListener* listener) { listener_ = listener; }
  // Called when the game ends, once the listener has heard of it.
  void SetEndListener(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }
  // The player leaves the game running (closes the window) at `moment`: with a listener, time
  // moves on to it and the listener hears that the game is over. Nothing more reaches it.
  void Leave(std::int64_t moment);

  // --- What front ends read ----------------------------------------------------------------
  const engine::ScreenManager& Game() const { return manager_; }
  bool Ended() const { return manager_.Ended(); }
  // The game itself, for a test that sets a scene up by hand as a handler would; nothing that
  // plays the game uses it.
  engine::ScreenManager& SceneForTests() { return manager_; }

 private:
  void GameOver();

  engine::VirtualClock clock_;
  engine::ScreenManager manager_;
  PlayerEventListener* listener_ = nullptr;
  std::function<void()> onEnd_;
  bool timersFired_ = false;  // since the last event the game took
};

}  // namespace quillon::session
