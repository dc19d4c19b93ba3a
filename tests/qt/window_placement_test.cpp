// The game's window on the display: full screen or a window of its own, and how it closes.
#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <climits>

#include "qt/window_harness.h"

#if __has_include(<xcb/xproto.h>)
#include <xcb/xproto.h>
#endif

namespace quillon::testing {
namespace {

// The tests' display is 1280 x 1024, all of it free for windows; beside it lies a small one of
// 320 x 240. The off-screen platform frames a window with 2 pixels on each side.

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

// F11 held down, or pressed faster than the window system answers: each press toggles once,
// and the window comes back from full screen at the size and place the player last gave it.
TEST_F(WindowPlacementTest, EachF11PressTogglesOnceHoweverFastThePressesCome) {
  ShowWindowed();
  game.window.setGeometry(200, 100, 800, 600);
  WindowHarness::Settle();
  for (int press = 0; press < 200; ++press) QTest::keyClick(&game.window, Qt::Key_F11);
  WindowHarness::Settle();
  EXPECT_FALSE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(200, 100, 800, 600));

  for (int press = 0; press < 199; ++press) QTest::keyClick(&game.window, Qt::Key_F11);
  WindowHarness::Settle();
  EXPECT_TRUE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(0, 0, 1280, 1024));
  QTest::keyClick(&game.window, Qt::Key_F11);
  WindowHarness::Settle();
  EXPECT_FALSE(game.window.isFullScreen());
  EXPECT_EQ(game.window.geometry(), QRect(200, 100, 800, 600));
}

// On a display smaller than the smallest window, the window takes its free area, frame and
// all, and the player cannot make it bigger than the display by making it smaller.
TEST_F(WindowPlacementTest, OnADisplaySmallerThan640x480TheWindowFitsItsFreeArea) {
  const QList<QScreen*> displays = QGuiApplication::screens();
  ASSERT_EQ(displays.size(), 2);
  ASSERT_EQ(displays[1]->availableGeometry(), QRect(1280, 0, 320, 240));
  game.window.setScreen(displays[1]);
  ShowWindowed();
  EXPECT_EQ(game.window.screen(), displays[1]);
  EXPECT_EQ(game.window.geometry(), QRect(1282, 2, 316, 236));
  EXPECT_EQ(game.window.minimumSize(), QSize(316, 236));
  game.Resize(300, 200);
  EXPECT_EQ(game.window.size(), QSize(316, 236));
}

TEST(CentredWindowTest, TheFrameAndAllAreCentredInTheFreeAreaAndFitASmallOne) {
  // A panel takes the top 32 pixels of a 1920 x 1080 display; the frame has a title bar.
  const QMargins frame(4, 28, 4, 4);
  EXPECT_EQ(qt::GameWindow::CentredWindow(QRect(0, 32, 1920, 1048), frame),
            QRect(448, 184, 1024, 768));
  // Free area of exactly 1024 x 768: the window shrinks so that its title bar stays on it.
  EXPECT_EQ(qt::GameWindow::CentredWindow(QRect(0, 0, 1024, 768), frame),
            QRect(4, 28, 1016, 736));
  // A free area smaller than the frame: a window of no size, not one of a negative size.
  EXPECT_EQ(qt::GameWindow::CentredWindow(QRect(0, 0, 6, 20), frame), QRect(4, 28, 0, 0));
  // A display scaled by a factor near zero: its free area reaches INT_MAX, whose width
  // overflows an int.
  const QRect boundless(QPoint(0, 0), QPoint(INT_MAX, INT_MAX));
  EXPECT_EQ(qt::GameWindow::CentredWindow(boundless, QMargins()),
            QRect(1073741312, 1073741440, 1024, 768));
}

TEST(SmallestWindowTest, ItIs640x480OrTheFreeAreaOfASmallerDisplay) {
  const QMargins frame(4, 28, 4, 4);
  EXPECT_EQ(qt::GameWindow::SmallestWindow(QRect(0, 32, 1920, 1048), frame), QSize(640, 480));
  EXPECT_EQ(qt::GameWindow::SmallestWindow(QRect(0, 0, 320, 240), frame), QSize(312, 208));
  EXPECT_EQ(qt::GameWindow::SmallestWindow(QRect(0, 0, 320, 240), QMargins()), QSize(320, 240));
  EXPECT_EQ(qt::GameWindow::SmallestWindow(QRect(0, 0, 6, 20), frame), QSize(0, 0));
}

// The size F11 brings the window back to is never the full screen the window system has not
// left yet, wherever a window manager put it.
TEST(WindowedGeometryTest, AWindowAsLargeAsTheDisplayIsNoSizeToComeBackTo) {
  const QSize display(1920, 1200);
  EXPECT_TRUE(qt::GameWindow::IsWindowedGeometry(QRect(448, 216, 1024, 768), display));
  EXPECT_TRUE(qt::GameWindow::IsWindowedGeometry(QRect(0, 23, 1920, 1177), display));
  EXPECT_FALSE(qt::GameWindow::IsWindowedGeometry(QRect(0, 0, 1920, 1200), display));
  EXPECT_FALSE(qt::GameWindow::IsWindowedGeometry(QRect(0, 23, 1920, 1200), display));
  EXPECT_FALSE(qt::GameWindow::IsWindowedGeometry(QRect(-4, -28, 1928, 1232), display));
  EXPECT_FALSE(qt::GameWindow::IsWindowedGeometry(QRect(), display));
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
