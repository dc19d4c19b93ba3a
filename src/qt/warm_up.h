// The first time a screen opens it costs more than every later time: its pictures must be
// rasterised at the window's scale, its fonts' glyphs made, its text boxes' style worked out.
// While the player looks at the desktop after the first frame, the warm-up draws every screen of
// the game once where nobody sees it, one screen a turn of the event loop, so that the first
// opening is as quick as the others. It reads the designs only: the game never notices it.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>
#include <functional>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::qt {

class GameWindow;

class WarmUp : public QObject {
 public:
  // The warm-up begins `delayMs` after the first frame, once that frame is surely on the display.
  WarmUp(GameWindow& window, const engine::ScreenManager& manager, const engine::ScreenRegistry& screens,
         int delayMs = 20);

  // Something more to make ready once, before the first screen is drawn: the sounds.
  void AlsoPrepare(std::function<void()> task) { task_ = std::move(task); }

  // Whether every screen has been drawn at the window's present size.
  bool Done() const { return done_; }

 protected:
  // Starts after the first frame, and again after the window changed its size.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void DrawNext();

  GameWindow& window_;
  const engine::ScreenManager& manager_;
  const engine::ScreenRegistry& screens_;
  std::vector<std::string> names_;
  std::size_t next_ = 0;  // the screen to draw next
  bool done_ = false;
  int delayMs_;
  std::function<void()> task_;
  QTimer step_;
  bool painted_ = false;
};

}  // namespace quillon::qt
