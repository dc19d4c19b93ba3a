#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

using Screens_ = std::vector<std::string>;

class StartupTest : public GameTest {};

TEST_F(StartupTest, TheSplashLiesOverTheDesktopForOneTimerInterval) {
  const Screens_ desktop{"Programy", "connect", "Statistika", "dny", "board", "back"};
  Screens_ withSplash{"start"};
  withSplash.insert(withSplash.end(), desktop.begin(), desktop.end());
  EXPECT_EQ(Screens(), withSplash);

  Wait(1599);
  EXPECT_TRUE(Showing("start"));
  Wait(1);
  EXPECT_EQ(Screens(), desktop);
  EXPECT_TRUE(Loaded("start"));  // hidden, not unloaded
  Wait(60'000);
  EXPECT_EQ(Screens(), desktop);  // and it never comes back
}

TEST_F(StartupTest, TheCalendarAdvancesADayAboutEveryThreeSeconds) {
  EXPECT_EQ(Text("dny", "Label2"), "20.11.2010");
  Wait(2999);
  EXPECT_EQ(Text("dny", "Label2"), "20.11.2010");
  Wait(1);
  EXPECT_EQ(Text("dny", "Label2"), "21.11.2010");
  // Timer2 hands back after 2 ms, so each later day takes 3002 ms.
  Wait(3002 * 9);
  EXPECT_EQ(Text("dny", "Label2"), "30.11.2010");
  Wait(3002);
  EXPECT_EQ(Text("dny", "Label2"), "1.12.2010");
  Wait(3002 * 31);
  EXPECT_EQ(Text("dny", "Label2"), "1.1.2011");
}

}  // namespace
}  // namespace quillon::testing
