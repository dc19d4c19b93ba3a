// The whole game in its window: the start-up desktop, where screens stand, clicks at scaled
// positions, resizing. Positions are worked out by hand from the design's twips, 15 to a pixel.
#include "qt/warm_up.h"
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kTitle = qRgb(95, 176, 237);
const QRgb kWhite = qRgb(255, 255, 255);

// The board's title "Zprávy": the board at (12, 12), its title 8, 5 pixels in.
const QRect kBoardTitle(20, 17, 60, 14);

class DesktopWindowTest : public ::testing::Test {
 protected:
  void ClickAt(int x, int y) { game.ClickAt(game.DesktopPoint(x, y)); }
  void OpenCredits() {
    game.Wait(2000);
    game.ClickAt(game.ControlCentre("Statistika", "Command1"));
    ASSERT_TRUE(game.Showing("about"));
  }

  WindowHarness game{game::GameScreens()};
};

// The address entry, 2520 x 1365 twips, centred at (428, 338); its Connect button 18, 60
// pixels in and 61 x 19 big.
TEST_F(DesktopWindowTest, ACentredScreenTakesItsClicksWhereItIsDrawn) {
  game.Wait(2000);
  game.ClickAt(game.ControlCentre("connect", "Picture1"));
  ASSERT_TRUE(game.Showing("ip"));
  ClickAt(425, 407);  // just left of the entry: nothing there to click
  EXPECT_FALSE(game.Showing("noconnect"));
  ClickAt(476, 407);
  EXPECT_TRUE(game.Showing("noconnect"));  // an empty address
}

// The credits, 4590 x 4425 twips, centred at (359, 236). The web address (white, 4, 232 pixels
// in) lies over the foot of the logo (4, 20 pixels in, 150 x 248), drawn on it and taking its
// clicks; the close picture (192, 240 pixels in, 78 x 25) ends the game.
TEST_F(DesktopWindowTest, TheCreditsWebAddressLiesOverTheLogoAndTheirCloseEndsTheGame) {
  OpenCredits();
  const QRect address(363, 468, 150, 13);
  EXPECT_GT(CountNear(game.Grab(), address, kWhite, 60), 40);
  ClickAt(380, 474);
  EXPECT_EQ(game.documents.opened, std::vector<std::string>{"http://www.pergamen-studio.example/"});

  game.Wait(3800);
  ASSERT_TRUE(game.window.isVisible());
  ClickAt(590, 488);
  EXPECT_TRUE(game.manager.Ended());
  EXPECT_FALSE(game.window.isVisible());
  EXPECT_FALSE(game.window.TimerArmed());
}

TEST_F(DesktopWindowTest, TheDesktopScalesWithTheWindow) {
  game.Wait(2000);
  // Twice as wide: bars left and right, the desktop at its own size in the middle.
  game.Resize(2048, 768);
  QImage wide = game.Grab();
  ASSERT_EQ(wide.size(), QSize(2048, 768));
  EXPECT_GT(CountNear(wide, kBoardTitle.translated(512, 0), kTitle, 24), 10);
  EXPECT_EQ(CountNear(wide, QRect(0, 0, 512, 768), kBlack, 0), 512 * 768);

  // Half the size: "Konec hry" (the statistics at 847, 520, the button 8, 124 pixels in,
  // 153 x 17) lands at half its position.
  game.Resize(512, 384);
  game.ClickAt(QPoint((847 + 8 + 76) / 2, (520 + 124 + 8) / 2));
  EXPECT_TRUE(game.Showing("about"));
}

TEST_F(DesktopWindowTest, TheWindowsOwnTimerFiresTheTicksThatFellDue) {
  ASSERT_TRUE(game.window.TimerArmed());
  // The splash's tick falls due; the timer armed for that moment runs it from the event loop.
  game.real.Set(1600);
  game.window.Refresh();
  ASSERT_TRUE(game.Showing("start"));
  WindowHarness::Settle();
  EXPECT_FALSE(game.Showing("start"));
  EXPECT_TRUE(game.window.TimerArmed()) << "armed again for the calendar";

  game.window.close();  // closing the window stops the game's timers
  WindowHarness::Settle();
  EXPECT_FALSE(game.window.TimerArmed());
}

// The bounding box of what is drawn in a rectangle and the pixel around it, on a black ground.
QRect DrawnWithin(const QImage& image, const QRect& rect) {
  QRect drawn;
  const QRect around = rect.adjusted(-1, -1, 1, 1);
  for (int y = around.top(); y <= around.bottom(); ++y) {
    for (int x = around.left(); x <= around.right(); ++x) {
      if (ColourDistance(image.pixel(x, y), kBlack) > 8) drawn |= QRect(x, y, 1, 1);
    }
  }
  return drawn;
}

// The close picture, 78 x 25 pixels on a notice and 81 x 29 on the alarm, fills each control:
// the failed connection's notice at (400, 331), its close 91, 57 pixels in; the alarm, 308 x 160
// centred at (358, 304), its close 152, 116 pixels in.
TEST_F(DesktopWindowTest, TheClosePictureIsDrawnAtTheSizeOfEachControl) {
  game.Wait(2000);
  for (const auto& [screen, close] : {std::pair{"noconnect", QRect(491, 388, 78, 25)},
                                      std::pair{"security", QRect(510, 420, 81, 29)}}) {
    game.manager.Show(screen);
    game.window.Refresh();
    EXPECT_EQ(DrawnWithin(game.Grab(), close), close) << screen;
    game.manager.Unload(screen);
  }
}

// After the first frame, every screen is drawn once out of sight: the game never notices.
TEST_F(DesktopWindowTest, TheWarmUpDrawsEveryScreenAndLeavesTheGameAsItWas) {
  game.Wait(2000);
  qt::WarmUp warmUp(game.window, game.manager, game::GameScreens(), 0);
  EXPECT_FALSE(warmUp.Done()) << "not before a frame";
  const std::uint64_t revision = game.manager.Revision();
  game.window.viewport()->repaint();
  while (!warmUp.Done()) QCoreApplication::processEvents();
  EXPECT_EQ(game.manager.Revision(), revision);
  EXPECT_EQ(
      game.manager.VisibleFrontToBack(),
      (std::vector<std::string>{"Programy", "connect", "Statistika", "dny", "board", "back"}));
  for (const char* screen : {"ip", "map1", "map2", "Message", "about", "cracking"}) {
    EXPECT_EQ(game.manager.Peek(screen), nullptr) << screen;
  }
}

}  // namespace
}  // namespace quillon::testing
