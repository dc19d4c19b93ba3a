// The start of a game: the splash over the desktop, and the calendar.
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

using Screens_ = std::vector<std::string>;

class StartupTest : public GameTest {};

TEST_F(StartupTest, TheSplashLiesOverTheDesktopFor1600MsAndThenStopsItsTimer) {
  const Screens_ desktop{"Programy", "connect", "Statistika", "dny", "board", "back"};
  Screens_ withSplash{"start"};
  withSplash.insert(withSplash.end(), desktop.begin(), desktop.end());
  EXPECT_EQ(Screens(), withSplash);
  EXPECT_EQ(sm.ActiveScreen(), "start");

  Wait(1599);
  EXPECT_TRUE(Showing("start"));
  Wait(1);
  EXPECT_EQ(Screens(), desktop);
  EXPECT_EQ(sm.ActiveScreen(), "Programy");  // not the disabled backdrop
  ASSERT_TRUE(Loaded("start"));              // hidden, not unloaded
  EXPECT_FALSE(sm.Peek("start")->Find("Timer1")->enabled);
}

// The first day lasts 3000 ms; every later one 3002 ms, as a 2 ms timer re-arms the day's.
TEST_F(StartupTest, TheCalendarTurnsADayAt3000MsThenEvery3002Ms) {
  EXPECT_EQ(Text("dny", "Label2"), "20.11.2010");
  Wait(2999);
  EXPECT_EQ(Text("dny", "Label2"), "20.11.2010");
  Wait(1);
  EXPECT_EQ(Text("dny", "Label2"), "21.11.2010");
  Wait(3001);  // 6001 ms
  EXPECT_EQ(Text("dny", "Label2"), "21.11.2010");
  Wait(1);
  EXPECT_EQ(Text("dny", "Label2"), "22.11.2010");
  Wait(3002 * 9);
  EXPECT_EQ(Text("dny", "Label2"), "1.12.2010");
  Wait(3002 * 31);
  EXPECT_EQ(Text("dny", "Label2"), "1.1.2011");
}

}  // namespace
}  // namespace quillon::testing
