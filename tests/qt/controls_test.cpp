// How each kind of control is drawn, and which control a click reaches.
#include <QHelpEvent>
#include <QToolTip>

#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

using engine::ScreenManager;
namespace colors = engine::colors;

const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kText = qRgb(17, 116, 225);
const QRgb kTitle = qRgb(95, 176, 237);

// A screen of every kind at the top left of the desktop (1 pixel = 15 twips), another
// overlapping its lower right corner, and a disabled one to the right.
engine::ScreenRegistry KindScreens(std::vector<std::string>& clicks) {
  auto logClick = [&clicks](std::string name) {
    return [&clicks, name](ScreenManager&) { clicks.push_back(name); };
  };
  engine::ScreenDesign s = engine::ManualScreen("kinds", "Form1", 0, 0, 9000, 6000);
  s.controls = {
      // An invisible click area over the label written on it: the area takes the click.
      engine::Image("Area", 0, 0, 1500, 600),
      engine::Label("Under", 150, 150, "Pod").ButtonText(),
      // A shape before a label: the label beneath still takes the click.
      engine::Shape("Box", 1800, 0, 1500, 600),
      engine::Label("Inside", 1950, 150, "Uvnitř"),
      // A hidden click area does not hide the picture beneath it.
      engine::Image("Hidden", 3600, 0, 1500, 600).Hidden(),
      engine::Picture("Pic", 3600, 0, 1500, 600, "connect").Tip("Připojit"),
      engine::Line("Route", 0, 1500, 3000, 1500).Width(3).Colour(colors::kTitle),
      engine::ProgressBar("Bar", 0, 2100, 3000, 300),
      engine::Frame("Frame1", 3600, 1800, 3000, 1500, "Soubory"),
      engine::Button("Cmd", 3750, 2250, 2700, 315, "Password braker", "tool-password"),
      engine::Shape("Outline", 0, 4500, 3000, 1200),
  };
  s.load = [](ScreenManager& sm) { sm.Show("other"); };
  for (const char* name : {"Area", "Under", "Inside", "Hidden", "Pic", "Cmd"}) {
    s.click[name] = logClick(name);
  }
  engine::ScreenDesign other = engine::ManualScreen("other", "Form1", 7500, 4500, 3000, 3000);
  other.controls = {engine::Label("Label1", 1800, 1800, "Jiná"),
                    engine::Shape("Shape1", 60, 60, 2880, 2880)};
  other.click["Label1"] = logClick("other");

  engine::ScreenDesign locked = engine::ManualScreen("locked", "Form1", 12000, 0, 3000, 3000);
  locked.enabled = false;
  locked.controls = {engine::Image("Area", 0, 0, 3000, 3000)};
  locked.click["Area"] = logClick("locked");

  engine::ScreenRegistry registry;
  registry.Add(std::move(s));
  registry.Add(std::move(other));
  registry.Add(std::move(locked));
  return registry;
}

class ControlsTest : public ::testing::Test {
 protected:
  ControlsTest() {
    game.manager.Show("locked");
    game.manager.Show("kinds");
    game.window.Refresh();
    WindowHarness::Settle();
  }
  void Click(int twipsX, int twipsY) { game.ClickAt(game.WindowPoint(twipsX, twipsY)); }

  std::vector<std::string> clicks;
  engine::ScreenRegistry screens = KindScreens(clicks);
  WindowHarness game{screens, "kinds"};
};

TEST_F(ControlsTest, AClickReachesTheEarlierOfOverlappingControlsOnTheFrontScreen) {
  Click(300, 300);    // on the label "Pod", under the click area
  Click(2050, 250);   // on "Uvnitř", inside the shape
  Click(4000, 300);   // on the picture, under the hidden click area
  Click(5000, 2400);  // on the command button inside the frame
  Click(4000, 2000);  // on the frame's own area: nothing
  EXPECT_EQ(clicks, (std::vector<std::string>{"Area", "Inside", "Pic", "Cmd"}));

  clicks.clear();
  Click(13000, 1000);  // a disabled screen ignores it
  EXPECT_EQ(game.manager.VisibleFrontToBack().front(), "kinds");
  Click(10000, 7000);  // on "other" where "kinds" does not cover it: to the front
  EXPECT_EQ(game.manager.VisibleFrontToBack().front(), "other");
  Click(7800, 4800);  // where the two overlap, the screen in front takes the click
  EXPECT_EQ(game.manager.VisibleFrontToBack().front(), "other");
  Click(9400, 6350);  // on "Jiná"
  EXPECT_EQ(clicks, std::vector<std::string>{"other"});
}

// The second press of a double click counts again only on a command button.
TEST_F(ControlsTest, ADoubleClickIsTwoClicksOnlyOnACommandButton) {
  const auto doubleClick = [this](QPoint at) {
    QTest::mouseClick(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    WindowHarness::Settle();
  };
  doubleClick(game.WindowPoint(4000, 300));
  EXPECT_EQ(clicks, std::vector<std::string>{"Pic"});
  clicks.clear();
  doubleClick(game.WindowPoint(5000, 2400));
  EXPECT_EQ(clicks, (std::vector<std::string>{"Cmd", "Cmd"}));
}

TEST_F(ControlsTest, ShapesAndLinesAreThinStrokesInTheirColour) {
  const QImage image = game.Grab();
  // Shape "Outline": 1-pixel blue frame at (0, 300) - (199, 379), black inside.
  EXPECT_EQ(image.pixel(100, 300), kText);
  EXPECT_EQ(image.pixel(0, 340), kText);
  EXPECT_EQ(image.pixel(199, 340), kText);
  EXPECT_EQ(image.pixel(100, 379), kText);
  EXPECT_EQ(image.pixel(100, 301), kBlack);
  EXPECT_EQ(image.pixel(1, 340), kBlack);
  // Line "Route": 3 pixels wide along row 100, in the title colour.
  EXPECT_EQ(image.pixel(100, 99), kTitle);
  EXPECT_EQ(image.pixel(100, 100), kTitle);
  EXPECT_EQ(image.pixel(100, 101), kTitle);
  EXPECT_EQ(image.pixel(100, 97), kBlack);
  EXPECT_EQ(image.pixel(100, 103), kBlack);

  game.manager.Control("kinds", "Route").SetVisible(false);  // hidden controls are not drawn
  game.window.Refresh();
  EXPECT_EQ(game.Grab().pixel(100, 100), kBlack);
}

TEST_F(ControlsTest, TheProgressBarFillsItsShareOfMinToMax) {
  game.manager.Control("kinds", "Bar").SetValue(25);
  game.window.Refresh();
  const QImage image = game.Grab();
  // The bar spans x 0..199 at y 140..159; a quarter is filled in blue.
  EXPECT_EQ(image.pixel(30, 150), kText);
  EXPECT_EQ(image.pixel(60, 150), kBlack);
  EXPECT_EQ(image.pixel(150, 150), kBlack);

  game.manager.Control("kinds", "Bar").SetValue(100);
  game.window.Refresh();
  EXPECT_EQ(game.Grab().pixel(190, 150), kText);
}

TEST_F(ControlsTest, APictureShowsItsTooltip) {
  const QPoint at = game.WindowPoint(4000, 300);
  QHelpEvent help(QEvent::ToolTip, at, game.window.viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(game.window.viewport(), &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Připojit"));
  QToolTip::hideText();
}

}  // namespace
}  // namespace quillon::testing
