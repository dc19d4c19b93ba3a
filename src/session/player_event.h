// What the player does, as the game receives it: every front end hands each event to the game
// session, which tells a listener (the recorder) of each.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace quillon::session {

struct PlayerEvent {
  enum class Kind {
    Click,        // a click on a control: ScreenManager::Click
    ClickScreen,  // a click on a screen's empty area: ScreenManager::ClickScreen
    Key,          // a key into the focused text box of the active screen: ScreenManager::TypeKey
    Edit,         // an edit of a box's text that is no key press (Delete, a paste): EditText
    Focus,        // Tab or Shift+Tab: the active screen's focus moves to a text box: SetFocus
  };
  Kind kind = Kind::Click;
  std::string screen;
  std::string control;  // empty for ClickScreen; for Key, the box the key goes to
  int key = 0;          // Key: the character code, 8 Backspace, 13 Enter, 27 Escape
  std::string text;     // Edit: the box's new text

  static PlayerEvent ClickOn(std::string screen, std::string control) {
    const Kind kind = control.empty() ? Kind::ClickScreen : Kind::Click;
    return Make(kind, std::move(screen), std::move(control));
  }
  static PlayerEvent KeyPress(int key) {
    PlayerEvent event = Make(Kind::Key, {}, {});
    event.key = key;
    return event;
  }
  static PlayerEvent EditOf(std::string screen, std::string control, std::string text) {
    PlayerEvent event = Make(Kind::Edit, std::move(screen), std::move(control));
    event.text = std::move(text);
    return event;
  }
  static PlayerEvent FocusOn(std::string screen, std::string control) {
    return Make(Kind::Focus, std::move(screen), std::move(control));
  }

 private:
  static PlayerEvent Make(Kind kind, std::string screen, std::string control) {
    PlayerEvent event;
    event.kind = kind;
    event.screen = std::move(screen);
    event.control = std::move(control);
    return event;
  }
};

class PlayerEventListener {
 public:
  virtual ~PlayerEventListener() = default;
  // Before the game handles the event, at `moment` of the game clock; every timer due by then
  // has fired. `timersFired`: whether any timer fired since the previous event.
  virtual void BeforeEvent(const PlayerEvent& event, std::int64_t moment, bool timersFired) = 0;
  // Once the game has handled it; `clockRead`: whether handling it read the game clock.
  virtual void AfterEvent(const PlayerEvent& event, bool clockRead) = 0;
  // The game ended, or the player left it running (closed its window), at `moment`.
  virtual void GameOver(std::int64_t moment) = 0;
};

}  // namespace quillon::session
