// The security alarm: what acknowledging it costs and which screen of the connection it drops.
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

TEST_F(SecurityTest, EachAcknowledgedAlarmCostsOneStepAndTheThirdGetsThePlayerCaught) {
  Alarm();
  Alarm();  // several alarms before one acknowledgement cost one step
  EXPECT_EQ(Count("security"), 1);
  EXPECT_EQ(Criminality(), "Není");  // an alarm alone costs nothing
  for (const char* level : {"Malá", "Střední", "Velká"}) {
    EXPECT_FALSE(Loaded("loser")) << level;
    Alarm();
    Acknowledge();
    EXPECT_EQ(Criminality(), level);
    EXPECT_FALSE(Loaded("security"));
  }
  EXPECT_EQ(Front(2), (std::vector<std::string>{"loser", "board"}));

  sm.Show("Programy");
  Alarm();
  Acknowledge();  // a fourth stays at the top
  EXPECT_EQ(Criminality(), "Velká");
  EXPECT_EQ(Screens().front(), "loser");
  EXPECT_EQ(Count("loser"), 1);
  bool ended = false;
  sm.SetEndListener([&] { ended = true; });
  ASSERT_TRUE(Click("loser", "Command1"));
  EXPECT_TRUE(ended);
}

TEST_F(SecurityTest, EachAcknowledgementDropsTheFirstShowingScreenInTheListsOwnOrder) {
  sm.Show("comp5");
  sm.SetVisible("comp5", false);  // loaded but hidden: never dropped
  sm.Show("cracking");            // not part of the connection here: left running
  // Shown in the reverse order, so that the order of showing cannot decide.
  for (const char* screen : {"comp4", "comp3", "Comp2", "comp1", "login", "map2", "map1"}) {
    sm.Show(screen);
  }
  const std::vector<std::string> order{"map1", "map2", "login", "comp1", "Comp2", "comp3", "comp4"};
  for (size_t dropped = 0; dropped < order.size(); ++dropped) {
    sm.Control("Statistika", "Label1").SetCaption("Není");  // never caught here
    sm.Show("Programy");
    Alarm();
    Acknowledge();
    EXPECT_FALSE(Loaded(order[dropped]));
    for (size_t i = 0; i < order.size(); ++i) {
      EXPECT_EQ(Showing(order[i]), i > dropped) << "after " << order[dropped] << ": " << order[i];
    }
    EXPECT_EQ(Screens().front(), "board");  // the board comes forward
  }
  EXPECT_TRUE(Showing("cracking"));
  EXPECT_TRUE(Loaded("comp5"));
}

}  // namespace
}  // namespace quillon::testing
