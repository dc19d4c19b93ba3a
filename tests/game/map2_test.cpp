// The second network's connection map: its trace countdown and Disconnect.
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

constexpr std::int64_t kTick = 200;

class Map2Test : public GameTest {
 protected:
  Map2Test() {
    Wait(1600);  // the splash has gone
    sm.Show("map2");
  }

  // What the password breaker's launch does to the map.
  void StartTrace(const std::string& from) {
    sm.Control("map2", "Label8").SetCaption(from);
    sm.Control("map2", "Timer1").SetEnabled(true);
  }

  void DrawBothBypasses() {
    for (const char* line : {"Line6", "Line7", "Line8", "Line9"}) {
      sm.Control("map2", line).SetVisible(true);
    }
  }
};

TEST_F(Map2Test, AtZeroOnlyTheFirstShowingScreenOfTheConnectionIsUnloaded) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"login", "comp4"}, "comp4"},    {{"comp5", "comp3"}, "comp3"},
      {{"cracking", "comp5"}, "comp5"}, {{"cracking", "login"}, "login"},
      {{"cracking"}, "cracking"},       {{"comp1", "Comp2"}, ""},
  };
  for (const auto& [showing, unloaded] : cases) {
    SCOPED_TRACE(unloaded);
    sm.Show("map2");
    DrawBothBypasses();  // so that a breaker shown here passes its route check
    for (const std::string& screen : showing) sm.Show(screen);
    StartTrace("2");
    Wait(kTick * 2);
    EXPECT_FALSE(Showing("map2"));
    EXPECT_EQ(Screens().front(), "security");
    for (const std::string& screen : showing) {
      EXPECT_EQ(Showing(screen), screen != unloaded) << screen;
    }
    EXPECT_TRUE(unloaded.empty() || !Loaded(unloaded)) << unloaded;
    for (const char* screen :
         {"security", "login", "comp1", "Comp2", "comp3", "comp4", "comp5", "cracking"}) {
      sm.Unload(screen);
    }
  }
}

TEST_F(Map2Test, DisconnectHidesTheTargetsOfBothNetworksAndStopsTheTraceWithoutPenalty) {
  ASSERT_TRUE(Click("map2", "Command1"));  // before the breaker ever ran: no route check
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Showing("proxy"));

  sm.Show("Comp2");
  sm.Control("Comp2", "Label4").SetVisible(false);  // a file already deleted there
  sm.SetVisible("Comp2", false);                    // and the target hidden: left as it was
  const std::vector<std::string> showing{"comp1", "comp3", "comp4", "comp5", "login"};
  for (const std::string& screen : showing) sm.Show(screen);
  sm.Control("login", "Text1").SetText("sysop");
  sm.Show("map2");
  DrawBothBypasses();
  sm.Show("cracking");
  StartTrace("150");
  Wait(kTick * 100);

  ASSERT_TRUE(Click("map2", "Command1"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_FALSE(Loaded("cracking"));
  for (const std::string& screen : showing) {
    EXPECT_TRUE(Loaded(screen)) << screen;
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Showing("Comp2"));
  EXPECT_FALSE(ControlVisible("Comp2", "Label4"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  EXPECT_EQ(Screens().front(), "board");
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");

  sm.Show("map2");
  EXPECT_EQ(Text("map2", "Label8"), "Neaktivní");
  EXPECT_FALSE(ControlVisible("map2", "Line6"));
}

}  // namespace
}  // namespace quillon::testing
