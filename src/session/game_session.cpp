#include "session/game_session.h"

#include <algorithm>

namespace quillon::session {

namespace {

// The text box that Tab (forward) or Shift+Tab (backward) moves to from the focused one, in
// design order and round the end: the next visible, enabled text box.
std::optional<std::size_t> NextTextBox(const engine::ScreenState& screen, bool forward) {
  const int count = int(screen.controls.size());
  const int from = screen.focus >= 0 ? screen.focus : (forward ? -1 : count);
  for (int step = 1; step <= count; ++step) {
    const int index = ((from + (forward ? step : -step)) % count + count) % count;
    const engine::ControlState& control = screen.controls[std::size_t(index)];
    if (control.design->kind == engine::ControlKind::TextBox && control.visible &&
        control.enabled) {
      return std::size_t(index);
    }
  }
  return std::nullopt;
}

}  // namespace

GameSession::GameSession(const engine::ScreenRegistry& screens, engine::SoundPlayer& sound,
                         engine::DocumentOpener& documents, const engine::DateFormatter& dates)
    : manager_(screens, engine::Services{&sound, &documents, &dates, &clock_}) {
  manager_.SetEndListener([this] { GameOver(); });
}

void GameSession::Start(std::string_view firstScreen) {
  manager_.Start(firstScreen);
}

void GameSession::AdvanceTo(std::int64_t moment) {
  Advance(std::clamp(moment, Now(), engine::kVirtualTimeLimitMs) - Now());
}

void GameSession::Advance(std::int64_t ms) {
  const std::optional<std::int64_t> due = manager_.NextTimerDue();
  engine::AdvanceVirtualTime(manager_, clock_, ms);
  if (due && *due <= Now()) timersFired_ = true;
}

bool GameSession::Deliver(PlayerEvent event) {
  if (manager_.Ended()) return false;
  const engine::ScreenState* screen = manager_.Peek(event.screen);
  switch (event.kind) {
    case PlayerEvent::Kind::Click:
    case PlayerEvent::Kind::ClickScreen:
      if (!manager_.TakesClick(event.screen, event.control)) return false;
      break;
    case PlayerEvent::Kind::Key:
      // A key goes to the focused text box of the active screen.
      event.screen = manager_.ActiveScreen();
      event.control = manager_.FocusedControl();
      if (event.control.empty()) return false;
      break;
    case PlayerEvent::Kind::Edit:
    case PlayerEvent::Kind::Focus:
      if (!screen || !screen->Find(event.control)) return false;
      break;
  }

  if (listener_) listener_->BeforeEvent(event, Now(), timersFired_);
  timersFired_ = false;
  const std::uint64_t reads = clock_.Reads();
  switch (event.kind) {
    case PlayerEvent::Kind::Click:
      manager_.Click(event.screen, event.control);
      break;
    case PlayerEvent::Kind::ClickScreen:
      manager_.ClickScreen(event.screen);
      break;
    case PlayerEvent::Kind::Key:
      manager_.TypeKey(event.key);
      break;
    case PlayerEvent::Kind::Edit:
      manager_.EditText(event.screen, event.control, event.text);
      break;
    case PlayerEvent::Kind::Focus:
      manager_.SetFocus(event.screen, event.control);
      break;
  }
  if (listener_) listener_->AfterEvent(event, clock_.Reads() != reads);
  return true;
}

bool GameSession::MoveFocus(bool forward) {
  const std::string screen = manager_.ActiveScreen();
  const engine::ScreenState* state = manager_.Peek(screen);
  if (!state || !state->visible || !state->enabled) return false;
  const std::optional<std::size_t> next = NextTextBox(*state, forward);
  return next && Deliver(PlayerEvent::FocusOn(screen, state->design->controls[*next].name));
}

void GameSession::Leave(std::int64_t moment) {
  if (!listener_ || manager_.Ended()) return;
  AdvanceTo(moment);
  if (listener_ && !manager_.Ended()) listener_->GameOver(Now());
  listener_ = nullptr;
}

void GameSession::GameOver() {
  if (listener_) listener_->GameOver(Now());
  if (onEnd_) onEnd_();
}

}  // namespace quillon::session
