// The statistics panel and the closing credits it opens with "Konec hry".
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

// Their sound, the web address and the close that ends the game are played in script mode
// (ScriptModeTest) and by examples/full-game.qs.
TEST_F(StatistikaTest, TheCreditsHoldTheDesktopWhileTheCalendarGoesOn) {
  ASSERT_TRUE(Click("Statistika", "Command1"));
  EXPECT_EQ(Screens().front(), "about");
  for (const char* screen : {"board", "Programy", "Statistika", "dny"}) {
    EXPECT_FALSE(sm.Peek(screen)->enabled) << screen;
    EXPECT_TRUE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Click("board", "Picture1"));
  EXPECT_EQ(sm.ActiveScreen(), "about");
  EXPECT_TRUE(Click("connect", "Picture1"));  // what the credits do not disable stays usable
  Click("ip", "Command2");
  EXPECT_FALSE(Click("about", "Picture2"));  // not there yet: no way out
  Wait(3800);
  EXPECT_EQ(Text("dny", "Label2"), "21.11.2010");  // the disabled calendar went on
}

}  // namespace
}  // namespace quillon::testing
