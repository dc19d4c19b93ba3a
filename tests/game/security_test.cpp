#include <algorithm>
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class SecurityTest : public GameTest {
 protected:
  SecurityTest() { Wait(1600); }

  std::string Criminality() const { return Text("Statistika", "Label1"); }

  void Alarm() { sm.Show("security"); }
  void Acknowledge() { ASSERT_TRUE(Click("security", "Command1")); }

  long Count(const std::string& screen) const {
    const std::vector<std::string> screens = Screens();
    return std::count(screens.begin(), screens.end(), screen);
  }
};

// --- Criminality -----------------------------------------------------------------------------

TEST_F(SecurityTest, SeveralAlarmsBeforeOneAcknowledgementCostOneStep) {
  Alarm();
  Alarm();
  sm.Show("Programy");
  Alarm();
  EXPECT_EQ(Screens().front(), "security");
  EXPECT_EQ(Count("security"), 1);
  EXPECT_EQ(Criminality(), "Není");  // an alarm alone costs nothing

  Acknowledge();
  EXPECT_EQ(Criminality(), "Malá");
  EXPECT_FALSE(Loaded("security"));
  EXPECT_FALSE(Click("security", "Command1"));
  EXPECT_EQ(Criminality(), "Malá");
}

TEST_F(SecurityTest, ThreeAcknowledgedAlarmsGetThePlayerCaughtAndAFourthStaysAtTheTop) {
  const char* const levels[] = {"Malá", "Střední", "Velká"};
  for (const char* level : levels) {
    EXPECT_FALSE(Loaded("loser")) << level;
    Alarm();
    Acknowledge();
    EXPECT_EQ(Criminality(), level);
  }
  EXPECT_EQ(Screens().front(), "loser");
  EXPECT_EQ(Screens()[1], "board");  // the board first, then the caught screen over it

  sm.Show("Programy");
  Alarm();
  Acknowledge();
  EXPECT_EQ(Criminality(), "Velká");
  EXPECT_EQ(Screens().front(), "loser");
  EXPECT_EQ(Count("loser"), 1);
  EXPECT_FALSE(Loaded("security"));
}

TEST_F(SecurityTest, TheCriminalityOnTheStatisticsScreenIsWhatCounts) {
  sm.Control("Statistika", "Label1").SetCaption("Střední");
  Alarm();
  Acknowledge();
  EXPECT_EQ(Criminality(), "Velká");
  EXPECT_TRUE(Showing("loser"));
}

// --- Dropping the connection -----------------------------------------------------------------

TEST_F(SecurityTest, OnlyTheFirstShowingScreenOfTheConnectionIsUnloaded) {
  sm.Show("comp3");
  sm.Show("login");
  sm.Show("map2");
  Alarm();
  Acknowledge();
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_TRUE(Showing("login"));
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_FALSE(Loaded("security"));
  EXPECT_TRUE(Showing("board"));

  Alarm();
  Acknowledge();  // now the login prompt is the first one showing
  EXPECT_FALSE(Loaded("login"));
  EXPECT_TRUE(Showing("comp3"));

  Alarm();
  Acknowledge();
  EXPECT_FALSE(Loaded("comp3"));
}

TEST_F(SecurityTest, TheListIsWalkedInItsOwnOrder) {
  // Shown in the reverse order, so that the order of showing cannot decide.
  for (const char* screen : {"comp5", "comp4", "comp3", "Comp2", "comp1", "login", "map1"}) {
    sm.Show(screen);
  }
  const std::vector<std::string> order{"map1",  "login", "comp1", "Comp2",
                                       "comp3", "comp4", "comp5"};
  for (size_t dropped = 0; dropped < order.size(); ++dropped) {
    Alarm();
    Acknowledge();
    for (size_t i = 0; i < order.size(); ++i) {
      EXPECT_EQ(Showing(order[i]), i > dropped) << "after " << order[dropped] << ": " << order[i];
    }
  }
}

TEST_F(SecurityTest, AScreenLoadedButHiddenIsNotDropped) {
  sm.Show("map1");
  sm.SetVisible("map1", false);
  sm.Show("comp1");
  Alarm();
  Acknowledge();
  EXPECT_FALSE(Loaded("comp1"));
  EXPECT_TRUE(Loaded("map1"));
}

TEST_F(SecurityTest, ThePasswordBreakerIsLeftRunning) {
  sm.Show("cracking");
  ASSERT_TRUE(Showing("cracking"));
  Alarm();
  Acknowledge();  // nothing of the connection showing: nothing unloaded
  EXPECT_TRUE(Showing("cracking"));
  EXPECT_EQ(Criminality(), "Malá");

  sm.Show("login");
  Alarm();
  Acknowledge();
  EXPECT_FALSE(Loaded("login"));
  EXPECT_TRUE(Showing("cracking"));
}

TEST_F(SecurityTest, TheBoardComesForward) {
  sm.Show("comp1");
  sm.Show("Programy");
  Alarm();
  Acknowledge();
  EXPECT_EQ(Screens().front(), "board");
}

// --- Caught screens --------------------------------------------------------------------------

TEST_F(SecurityTest, TheCaughtScreenEndsTheWholeGame) {
  sm.Show("map1");
  sm.Control("map1", "Label7").SetCaption("200");
  sm.Control("map1", "Timer1").SetEnabled(true);
  sm.Show("loser");
  EXPECT_TRUE(Click("loser", "Command1"));
  EXPECT_TRUE(sm.Ended());
  EXPECT_TRUE(Screens().empty());
  Wait(60'000);  // no trace runs out after the end
  EXPECT_FALSE(Loaded("security"));
  EXPECT_FALSE(Click("board", "Picture1"));
}

TEST_F(SecurityTest, TheSecondCaughtScreenIsMadeVisibleAndEndsTheGameToo) {
  sm.Show("comp3");
  sm.SetVisible("loser2", true);  // the wrong deletion makes it visible rather than showing it
  EXPECT_EQ(Screens().front(), "loser2");
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_EQ(Text("loser2", "Label4"), "Byl jsi chycen");
  EXPECT_NE(Text("loser2", "Label2").find("Miroslav Krejčí"), std::string::npos);
  EXPECT_TRUE(Click("loser2", "Command1"));
  EXPECT_TRUE(sm.Ended());
  EXPECT_TRUE(Screens().empty());
}

TEST_F(SecurityTest, ACaughtScreenStaysUpWhileATraceRunsOutBehindIt) {
  sm.Show("map1");
  sm.Control("map1", "Label7").SetCaption("2");
  sm.Control("map1", "Timer1").SetEnabled(true);
  sm.Show("loser");
  Wait(400);
  EXPECT_EQ(Screens().front(), "security");
  EXPECT_TRUE(Showing("loser"));
  EXPECT_FALSE(sm.Ended());
}

}  // namespace
}  // namespace quillon::testing
