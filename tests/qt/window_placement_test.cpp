// The game's window on the display: full screen or a window of its own, and how it closes.
#include <QAbstractEventDispatcher>
#include <QTimer>

#include "qt/window_harness.h"

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#endif

namespace quillon::testing {
namespace {

// The tests' display is 1280 x 1024, all of it free for windows.

class WindowPlacementTest : public ::testing::Test {
 protected:
  void ShowWindowed() {
    game.window.ShowWindowed();
    WindowHarness::Settle();
  }
  void ToggleFullScreen() {
    game.window.ToggleFullScreen();
    WindowHarness::Settle();
  }

  WindowHarness game{game::GameScreens()};
};

// Centred on the display, back where the player left it after full screen, never below 640 x 480.
TEST_F(WindowPlacementTest, TheWindowComesUpCentredAndComesBackFromFullScreenWhereItWas) {
  ShowWindowed();
  EXPECT_FALSE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(128, 128, 1024, 768));
  game.window.setGeometry(200, 100, 800, 600);
  ToggleFullScreen();
  EXPECT_TRUE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(0, 0, 1280, 1024));

  ToggleFullScreen();
  EXPECT_FALSE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(200, 100, 800, 600));
  game.Resize(300, 200);
  EXPECT_EQ(game.window.size(), QSize(640, 480));
}

TEST(CentredWindowTest, TheFrameAndAllAreCentredInTheFreeAreaAndFitASmallOne) {
  // A panel takes the top 32 pixels of a 1920 x 1080 display; the frame has a title bar.
  const QMargins frame(4, 28, 4, 4);
  EXPECT_EQ(qt::GameWindow::CentredWindow(QRect(0, 32, 1920, 1048), frame),
            QRect(448, 184, 1024, 768));
  // Free area of exactly 1024 x 768: the window shrinks so that its title bar stays on it.
  EXPECT_EQ(qt::GameWindow::CentredWindow(QRect(0, 0, 1024, 768), frame),
            QRect(4, 28, 1016, 736));
}

// Runs the application's event loop until something ends it; the status it ended with. A loop
// that does not end fails after five seconds instead of hanging the tests.
int RunEventLoop() {
  constexpr int kStillRunning = 99;
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(kStillRunning); });
  watchdog.start(5000);
  return QCoreApplication::exec();
}

TEST(WindowClosingTest, ClosingTheWindowEndsTheEventLoopWithStatus0) {
  WindowHarness game{game::GameScreens()};
  QTimer::singleShot(0, &game.window, [&game] { game.window.close(); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(game.window.isVisible());
}

#if __has_include(<xcb/xproto.h>)

// An X11 event as the window system delivers it to the application.
bool Deliver(xcb_destroy_notify_event_t event) {
  qintptr result = 0;
  return QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event,
                                                                 &result);
}

xcb_destroy_notify_event_t DestroyNotify(WId window) {
  xcb_destroy_notify_event_t event{};
  event.response_type = XCB_DESTROY_NOTIFY;
  event.event = static_cast<xcb_window_t>(window);
  event.window = static_cast<xcb_window_t>(window);
  return event;
}

TEST(WindowClosingTest, AWindowDestroyedFromOutsideEndsTheEventLoopWithStatus0) {
  WindowHarness game{game::GameScreens()};
  const WId window = game.window.winId();
  Deliver(DestroyNotify(window + 1));  // another window: nothing happens
  WindowHarness::Settle();
  ASSERT_TRUE(game.window.isVisible());

  QTimer::singleShot(0, &game.window, [window] { Deliver(DestroyNotify(window)); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(game.window.isVisible());
}

#endif

}  // namespace
}  // namespace quillon::testing
