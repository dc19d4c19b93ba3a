// A text box of a screen: a real line edit, so that the caret, selection, clipboard and input
// methods work, whose every key goes to the game's key-press handler before it edits the text.
// The game's text is what the box shows.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/screen_manager.h"

namespace quillon::window {

class TextBox : public QLineEdit {
 public:
  // `afterEvent` runs after every key or edit that reached the game; the window brings itself
  // up to date then, once the box's own event is over.
  TextBox(engine::ScreenManager& manager, std::string screen, const engine::ControlDesign& design,
          std::uint64_t instance, std::function<void()> afterEvent);

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
  // Runs the game's key-press handler; the code the box should take, 0 for none.
  int GameKeyPress(int code);

  engine::ScreenManager& manager_;
  std::string screen_;
  std::string control_;
  std::uint64_t instance_;
  std::function<void()> afterEvent_;
};

}  // namespace quillon::window
