#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class StatistikaTest : public GameTest {
 protected:
  StatistikaTest() { Wait(1600); }  // the splash is gone
};

TEST_F(StatistikaTest, TheCriminalityValueShowsTheCaughtScreenOnlyAtTheTopLevel) {
  for (const char* level : {"Není", "Malá", "Střední"}) {
    sm.Control("Statistika", "Label1").SetCaption(level);
    EXPECT_TRUE(Click("Statistika", "Label1"));
    EXPECT_FALSE(Loaded("loser")) << level;
  }
  sm.Control("Statistika", "Label1").SetCaption("Velká");
  Click("Statistika", "Label1");
  EXPECT_EQ(Screens().front(), "loser");
}

class AboutTest : public StatistikaTest {
 protected:
  void OpenCredits() { ASSERT_TRUE(Click("Statistika", "Command1")); }
};

TEST_F(AboutTest, TheCreditsDisableTheDesktopAndPlayTheClosingSound) {
  OpenCredits();
  EXPECT_EQ(sound.played, std::vector<std::string>{"data/about.dat"});
  for (const char* screen : {"board", "Programy", "Statistika", "dny"}) {
    EXPECT_FALSE(sm.Peek(screen)->enabled) << screen;
    EXPECT_TRUE(Showing(screen)) << screen;
  }
  EXPECT_TRUE(sm.Peek("connect")->enabled);  // what the credits do not disable stays usable

  EXPECT_FALSE(Click("board", "Picture1"));
  EXPECT_FALSE(Click("Statistika", "Command1"));
  EXPECT_FALSE(Loaded("Message"));
  EXPECT_EQ(sm.ActiveScreen(), "about");
}

TEST_F(AboutTest, TheCalendarKeepsGoingWhileItsScreenIsDisabled) {
  OpenCredits();
  const std::string before = Text("dny", "Label2");
  Wait(3002);
  EXPECT_NE(Text("dny", "Label2"), before);
}

TEST_F(AboutTest, TheClosePictureAppearsAfterThreePointEightSecondsAndEndsTheGame) {
  bool ended = false;
  sm.SetEndListener([&] { ended = true; });
  OpenCredits();
  EXPECT_FALSE(Click("about", "Picture2"));  // not there yet: no way out
  Wait(3799);
  EXPECT_FALSE(ControlVisible("about", "Picture2"));
  Wait(1);
  EXPECT_TRUE(ControlVisible("about", "Picture2"));
  EXPECT_FALSE(sm.Peek("about")->Find("Timer1")->enabled);  // only once

  EXPECT_TRUE(Click("about", "Picture2"));
  EXPECT_TRUE(ended);
  EXPECT_TRUE(Screens().empty());
}

TEST_F(AboutTest, WithoutItsSoundTheCreditsShowTheErrorAndStillWork) {
  sound.playable.clear();
  OpenCredits();
  EXPECT_TRUE(sound.played.empty());
  EXPECT_EQ(Screens().front(), "error");
  EXPECT_TRUE(Showing("about"));
  EXPECT_FALSE(sm.Peek("dny")->enabled);  // the desktop was disabled before the sound failed

  Click("error", "error");
  EXPECT_FALSE(Loaded("error"));
  Wait(3800);
  EXPECT_TRUE(ControlVisible("about", "Picture2"));
}

}  // namespace
}  // namespace quillon::testing
