// A text box of a screen: a real line edit, so that the caret, selection, clipboard and input
// methods work. A key that types (a character, Backspace, Enter, Escape) goes to the game as
// the game's own key press: its key-press handler first, then the edit at the end of the text,
// as in script mode. Other edits (Delete, a paste) reach the game as the box's new text. The
// game's text is what the box shows.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <string>

#include "session/player_event.h"
#include "engine/screen_manager.h"

namespace quillon::qt {

class TextBox : public QLineEdit {
 public:
  // `deliver` hands the box's keys and edits to the game, through the window.
  TextBox(const engine::ScreenManager& manager, std::string screen, const engine::ControlDesign& design,
          std::uint64_t instance, std::function<void(const session::PlayerEvent&)> deliver);

  const std::string& Screen() const { return screen_; }
  const std::string& Control() const { return control_; }

  // Shows the game's text; the caret stays where it was while the text is unchanged.
  void ShowGameText();

  // The character code the game's key-press handler receives for a key: the Unicode code
  // point of the typed character, 8 Backspace, 13 Enter, 27 Escape; 0 for keys that only move
  // the caret or run a shortcut.
  static int CharacterCode(const QKeyEvent& event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;

 private:
  // The box's state in the game; null once its screen was unloaded (or loaded anew).
  const engine::ControlState* GameState() const;
  // A key press of the game; the box then shows the game's text.
  void TypeKey(int code);

  const engine::ScreenManager& manager_;
  std::string screen_;
  std::string control_;
  std::uint64_t instance_;
  std::function<void(const session::PlayerEvent&)> deliver_;
};

}  // namespace quillon::qt
