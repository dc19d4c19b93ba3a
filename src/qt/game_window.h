// The game's one top-level window. It shows the whole 1024 x 768 desktop scaled to fit, with
// black bars around it, draws the game's screens in the game's order, and hands the player's
// clicks and keys to the game session, one event at a time. It holds no rule of the game.
//
// Before each event of the player, and whenever a timer falls due, the window moves the
// session's game time on to the real clock: the timers due by then fire first, each at its own
// due moment as a script's `wait` fires them, then the event is handled.
//
// The desktop is a QGraphicsScene in pixels of the 1024 x 768 desktop, shown by a view that
// scales it to the window: the view gives the scaling (real line edits included, so their caret,
// selection and input methods keep working at any size), the stacking of screens and controls by
// z-value, and redraws only the items that changed. The scene is in desktop pixels rather than
// twips so that the embedded line edits keep their natural frame, caret and font metrics.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QRect>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/screen_manager.h"
#include "engine/services.h"
#include "session/game_session.h"

class QGraphicsRectItem;

namespace quillon::qt {

class ScreenItem;
class TextBox;

class GameWindow : public QGraphicsView, private QAbstractNativeEventFilter {
 public:
  // The game played in real time: the window moves the session's game time on to `realClock`
  // before every event and whenever a timer falls due. Without a real clock, game time is
  // moved by whoever owns the session (a test, the screenshot tool, a replay), and the window
  // fires only the timers due at the session's time. The game's end closes the window.
  explicit GameWindow(session::GameSession& session, const engine::Clock* realClock = nullptr,
                      QWidget* parent = nullptr);
  ~GameWindow() override;

  // A replay: the player's clicks and keys no longer reach the game; Escape calls `stop`. The
  // window's own keys (F11) still work.
  void WatchOnly(std::function<void()> stop);
  // Marks a control of a showing screen for a moment, where a replay clicks it.
  void Highlight(std::string_view screen, std::string_view control);
  int Highlights() const { return int(highlights_.size()); }

  // Brings the picture up to date with the game when something changed, then arms the one
  // timer for the next tick that falls due. Runs after every event.
  void Refresh();

  // What a click at a point of the desktop (in desktop pixels) lands on: the screen in front
  // there and the control it reaches, or no control for the screen's empty area.
  struct Hit {
    std::string screen;
    std::string control;  // empty: the screen's empty area
  };
  std::optional<Hit> HitAt(QPointF desktop) const;

  // A text box of a showing screen, null when there is none.
  TextBox* TextBoxOf(std::string_view screen, std::string_view control) const;
  // Whether the window's one timer is armed for the engine's next tick.
  bool TimerArmed() const { return timer_.isActive(); }

  // Covers the whole display, whatever its size.
  void ShowFullScreen();
  // A 1024 x 768 window (smaller on a smaller display) that the player can move and resize,
  // down to 640 x 480 (less on a display with less free area). It comes up centred the first
  // time, and where the player left it after.
  void ShowWindowed();
  // F11: between full screen and the window.
  void ToggleFullScreen();
  // Where a centred window goes in a display's free area, given its frame's size: the
  // window's own area (frame excluded), the frame and all inside the free area.
  static QRect CentredWindow(const QRect& available, const QMargins& frame);
  // How small the player may make the window: 640 x 480, or all of a smaller display's free
  // area, frame and all.
  static QSize SmallestWindow(const QRect& available, const QMargins& frame);
  // Whether `normal`, the window's own area when it is not full screen, is a size to come
  // back to on a display of size `display`: not while it is still as large as the display.
  static bool IsWindowedGeometry(const QRect& normal, const QSize& display);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  // Moves game time on to the real clock: the timers due by then fire.
  void CatchUp();
  // The real time, or the session's own time when its owner moves it.
  std::int64_t RealNow() const;
  // An event from a text box: the scene is brought up to date once the box's event is over.
  void DeliverFromTextBox(const session::PlayerEvent& event);
  void Click(QPointF desktop);
  // Brings the scene in line with the game's screens.
  void UpdateScene();
  // Gives the keyboard to the game's focused text box.
  void UpdateFocus();
  TextBox* FocusedTextBox() const;
  // Tab and Shift+Tab: the next or previous text box of the active screen takes the focus.
  void MoveFocus(bool forward);
  void RememberWindowedGeometry();
  // Where the window goes when it is not full screen: where the player left it, or centred.
  QRect WindowedGeometry();
  // A window manager frames the window only once it shows it: a window centred before its
  // frame was known whose frame then sticks out of the display (a display hardly bigger than
  // the window) is centred again, frame and all, so that its title bar lies on the display.
  void CentreInFrameOnceKnown();
  QRect AvailableArea() const;
  QMargins FrameMargins() const;
  // Notices the window system destroying the window from outside, and framing it.
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  // A refresh once the current event is over (a text box must not vanish in its own event).
  void RefreshSoon();
  void FitDesktop();

  session::GameSession& session_;
  const engine::ScreenManager& manager_;      // the session's game, read to draw it
  const engine::Clock* realClock_ = nullptr;  // null: game time is moved by the session's owner
  bool watchOnly_ = false;
  std::function<void()> stop_;
  std::vector<QGraphicsRectItem*> highlights_;
  QGraphicsScene scene_;
  QGraphicsRectItem* desktop_ = nullptr;  // clips the screens to the desktop
  std::map<std::string, ScreenItem*, std::less<>> screens_;
  std::optional<QRect> windowedGeometry_;  // where the player last had the window
  bool centreInFrame_ = false;             // centred before the frame was known
  bool fullScreen_ = false;                // what the player last asked for
  QTimer timer_;
  std::uint64_t shownRevision_ = 0;
  bool refreshQueued_ = false;
};

}  // namespace quillon::qt
