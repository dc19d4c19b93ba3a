#include <ostream>
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
  void StartTrace(const std::string& from = "150") {
    sm.Control("map2", "Label8").SetCaption(from);
    sm.Control("map2", "Timer1").SetEnabled(true);
  }

  void DrawBothBypasses() {
    for (const char* line : {"Line6", "Line7", "Line8", "Line9"}) {
      sm.Control("map2", line).SetVisible(true);
    }
  }
};

struct TraceCase {
  const char* name;
  std::vector<std::string> showing;
  std::string unloaded;  // empty: none of them

  friend void PrintTo(const TraceCase& c, std::ostream* out) { *out << c.name; }
};

class Map2TraceTest : public Map2Test, public ::testing::WithParamInterface<TraceCase> {};

TEST_P(Map2TraceTest, AtZeroOnlyTheFirstShowingScreenOfTheConnectionIsUnloaded) {
  const TraceCase& c = GetParam();
  DrawBothBypasses();  // so that a breaker shown here passes its route check
  for (const std::string& screen : c.showing) sm.Show(screen);
  StartTrace("2");
  Wait(kTick * 2);

  EXPECT_FALSE(Showing("map2"));
  EXPECT_EQ(Screens().front(), "security");
  for (const std::string& screen : c.showing) {
    if (screen == c.unloaded) {
      EXPECT_FALSE(Loaded(screen)) << screen;
    } else {
      EXPECT_TRUE(Showing(screen)) << screen;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    ShowingScreens, Map2TraceTest,
    ::testing::Values(TraceCase{"Comp4BeforeLogin", {"login", "comp4"}, "comp4"},
                      TraceCase{"Comp3BeforeComp5", {"comp5", "comp3"}, "comp3"},
                      TraceCase{"Comp5BeforeCracking", {"cracking", "comp5"}, "comp5"},
                      TraceCase{"LoginBeforeCracking", {"cracking", "login"}, "login"},
                      TraceCase{"CrackingAlone", {"cracking"}, "cracking"},
                      TraceCase{"TheFirstNetworkIsNotItsConcern", {"comp1", "Comp2"}, ""}),
    [](const ::testing::TestParamInfo<TraceCase>& info) { return std::string(info.param.name); });

class Map2DisconnectTest : public Map2Test {};

TEST_F(Map2DisconnectTest, HidesTheTargetsOfBothNetworksAndTheLoginKeepingThemLoaded) {
  sm.Show("Comp2");
  sm.Control("Comp2", "Label4").SetVisible(false);  // a file already deleted there
  sm.SetVisible("Comp2", false);                    // and the target hidden: left as it was
  const std::vector<std::string> showing{"comp1", "comp3", "comp4", "comp5", "login"};
  for (const std::string& screen : showing) sm.Show(screen);
  sm.Control("login", "Text1").SetText("sysop");
  sm.Show("map2");

  ASSERT_TRUE(Click("map2", "Command1"));

  EXPECT_FALSE(Loaded("map2"));
  for (const std::string& screen : showing) {
    EXPECT_TRUE(Loaded(screen)) << screen;
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_TRUE(Loaded("Comp2"));
  EXPECT_FALSE(Showing("Comp2"));
  EXPECT_FALSE(ControlVisible("Comp2", "Label4"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  EXPECT_EQ(Screens().front(), "board");
  EXPECT_FALSE(Showing("security"));
}

TEST_F(Map2DisconnectTest, StopsTheTraceWithoutAnyAlarmAndTheNextMapStartsAfresh) {
  DrawBothBypasses();
  sm.Show("login");
  sm.Show("cracking");
  sm.Show("map2");
  StartTrace();
  Wait(kTick * 100);

  ASSERT_TRUE(Click("map2", "Command1"));
  EXPECT_FALSE(Loaded("cracking"));
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");

  sm.Show("map2");
  EXPECT_EQ(Text("map2", "Label8"), "Neaktivní");
  for (const char* line : {"Line6", "Line7", "Line8", "Line9"}) {
    EXPECT_FALSE(ControlVisible("map2", line)) << line;
  }
}

TEST_F(Map2DisconnectTest, BeforeAnyBypassCarriesNoPenalty) {
  // The password breaker has never run: Disconnect must not start its route check.
  ASSERT_TRUE(Click("map2", "Command1"));
  EXPECT_FALSE(Showing("security"));
  EXPECT_FALSE(Showing("proxy"));
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_EQ(Screens().front(), "board");
}

}  // namespace
}  // namespace quillon::testing
