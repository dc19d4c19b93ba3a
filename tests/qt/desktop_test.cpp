// The whole game in its window: the start-up desktop, clicks at scaled positions, resizing.
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kTitle = qRgb(95, 176, 237);

// The rectangle of a screen in the 1024 x 768 window, in pixels.
QRect ScreenRect(const engine::ScreenDesign& design) {
  return QRect(design.Left() / 15, design.Top() / 15, design.width / 15, design.height / 15);
}

class DesktopWindowTest : public ::testing::Test {
 protected:
  // The title line of the message board, in pixels of a 1024 x 768 desktop.
  QRect BoardTitle() const {
    const engine::ScreenDesign& board = *game.manager.Design("board");
    const engine::ControlDesign& title = *board.Find("Label4");
    return QRect((board.Left() + title.left) / 15, (board.Top() + title.top) / 15, 60, 14);
  }

  WindowHarness game{GameScreens()};
};

TEST_F(DesktopWindowTest, StartUpDesktopShowsBackdropTitlesAndTheSplashUntil1600ms) {
  const QRect splash = ScreenRect(*game.manager.Design("start")).adjusted(2, 2, -2, -2);
  QImage atStart = game.Grab();
  ASSERT_EQ(atStart.size(), QSize(1024, 768));
  EXPECT_LT(CountNear(atStart, splash, kBlack, 8), splash.width() * splash.height() / 2)
      << "the splash covers the middle of the desktop at start";

  game.Wait(1599);
  EXPECT_TRUE(game.Showing("start"));
  EXPECT_LT(CountNear(game.Grab(), splash, kBlack, 8), splash.width() * splash.height() / 2);

  game.Wait(1);
  EXPECT_FALSE(game.Showing("start"));
  game.Wait(400);  // the desktop as it stands two seconds after start
  QImage desktop = game.Grab();
  EXPECT_EQ(CountNear(desktop, splash, kBlack, 8), splash.width() * splash.height())
      << "the black backdrop shows where the splash was";
  EXPECT_EQ(desktop.pixel(512, 384), kBlack);
  EXPECT_EQ(desktop.pixel(700, 300), kBlack);

  // The light blue title of the message board, in its title line at the top left, and
  // nothing light blue beside it.
  EXPECT_GT(CountNear(desktop, BoardTitle(), kTitle, 24), 10);
  EXPECT_EQ(CountNear(desktop, BoardTitle().translated(100, 0), kTitle, 24), 0);
}

TEST_F(DesktopWindowTest, KonecHryClickAtItsScaledPositionOpensTheCredits) {
  game.Wait(2000);
  ASSERT_FALSE(game.Showing("about"));
  game.ClickAt(game.ControlCentre("Statistika", "Command1"));
  EXPECT_TRUE(game.Showing("about"));
  EXPECT_EQ(game.manager.VisibleFrontToBack().front(), "about");
}

TEST_F(DesktopWindowTest, ABoardIconAndAMessagesTextButtonTakeClicksInTheWindow) {
  game.Wait(1600);
  game.ClickAt(game.ControlCentre("board", "Picture1"));
  ASSERT_TRUE(game.Showing("Message"));

  // "Storno" is a text under an invisible click area: the area takes the click.
  game.ClickAt(game.ControlCentre("Message", "Label11"));
  EXPECT_EQ(game.manager.Peek("Message"), nullptr);
  EXPECT_EQ(game.manager.VisibleFrontToBack().front(), "board");
}

TEST_F(DesktopWindowTest, TheDesktopScalesWithTheWindow) {
  game.Wait(2000);
  // Twice as wide: bars left and right, the desktop at its own size in the middle.
  game.Resize(2048, 768);
  QImage wide = game.Grab();
  ASSERT_EQ(wide.size(), QSize(2048, 768));
  EXPECT_GT(CountNear(wide, BoardTitle().translated(512, 0), kTitle, 24), 10);
  EXPECT_EQ(CountNear(wide, QRect(0, 0, 512, 768), kBlack, 0), 512 * 768);

  // Half the size: the same control lands at half its position.
  game.Resize(512, 384);
  const QPoint konecHry = game.ControlCentre("Statistika", "Command1");
  EXPECT_NEAR(konecHry.x(), (12705 + 120 + 2295 / 2) / 30, 1);
  game.ClickAt(konecHry);
  EXPECT_TRUE(game.Showing("about"));
}

TEST_F(DesktopWindowTest, TheCreditsCloseButtonEndsTheGameAndClosesTheWindow) {
  game.Wait(2000);
  game.ClickAt(game.ControlCentre("Statistika", "Command1"));
  game.Wait(3800);
  ASSERT_TRUE(game.window.isVisible());
  game.ClickAt(game.ControlCentre("about", "Picture2"));
  EXPECT_TRUE(game.manager.Ended());
  EXPECT_FALSE(game.window.isVisible());
  EXPECT_FALSE(game.window.TimerArmed());
}

TEST_F(DesktopWindowTest, TheWindowsOwnTimerFiresTheTicksThatFellDue) {
  ASSERT_TRUE(game.window.TimerArmed());
  // The splash's tick falls due; the timer armed for that moment runs it from the event loop.
  game.clock.Set(1600);
  game.window.Refresh();
  ASSERT_TRUE(game.Showing("start"));
  WindowHarness::Settle();
  EXPECT_FALSE(game.Showing("start"));
  EXPECT_TRUE(game.window.TimerArmed()) << "armed again for the calendar";

  game.window.close();  // closing the window stops the game's timers
  WindowHarness::Settle();
  EXPECT_FALSE(game.window.TimerArmed());
}

TEST_F(DesktopWindowTest, F11TogglesBetweenFullScreenAndA1024By768Window) {
  game.window.ToggleFullScreen();
  WindowHarness::Settle();
  EXPECT_TRUE(game.window.isFullScreen());
  game.window.ToggleFullScreen();
  WindowHarness::Settle();
  EXPECT_FALSE(game.window.isFullScreen());
  EXPECT_EQ(game.window.size(), QSize(1024, 768));
}

}  // namespace
}  // namespace quillon::testing
