#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

constexpr std::int64_t kTick = 200;

class Map1Test : public ConnectionTest {
 protected:
  Map1Test() { Connect("155.8.13.76"); }

  // What the password breaker's start does to the map, from a given count.
  void StartTrace(const std::string& from) {
    sm.Control("map1", "Label7").SetCaption(from);
    sm.Control("map1", "Timer1").SetEnabled(true);
  }

  // The breaker left running by a trace that dropped the login prompt and the map.
  void TraceLeavingTheBreaker() {
    BypassProxy();
    StartBreaker();
    StartTrace("1");
    Wait(kTick);
  }
};

TEST_F(Map1Test, ASecondBreakerStartSetsTheTraceBackButNotTheBreaker) {
  BypassProxy();
  StartBreaker();
  Wait(10'000);
  EXPECT_EQ(Text("map1", "Label7"), "150");
  const double progress = sm.Peek("cracking")->Find("prbegg")->value;
  EXPECT_EQ(progress, 45);
  Click("login", "Text2");
  StartBreaker();
  EXPECT_EQ(Text("map1", "Label7"), "200");
  EXPECT_EQ(sm.Peek("cracking")->Find("prbegg")->value, progress);
  Wait(11'000);  // the breaker finishes 21 s after its first start
  EXPECT_EQ(Text("login", "Text2"), "vilemzahradka");
  EXPECT_EQ(Text("map1", "Label7"), "145");
}

struct TraceCase {
  const char* name;
  std::vector<std::string> showing;
  std::string unloaded;  // empty: none of them
};

class Map1TraceTest : public Map1Test, public ::testing::WithParamInterface<TraceCase> {};

TEST_P(Map1TraceTest, AtZeroOnlyTheFirstShowingScreenOfTheConnectionGoes) {
  const TraceCase& c = GetParam();
  BypassProxy();
  sm.SetVisible("login", false);
  for (const std::string& screen : c.showing) sm.Show(screen);
  StartTrace("3");
  Wait(kTick * 3);
  EXPECT_FALSE(Showing("map1"));
  for (const std::string& screen : c.showing) {
    EXPECT_EQ(Showing(screen), screen != c.unloaded) << screen;
  }
  if (!c.unloaded.empty()) {
    EXPECT_FALSE(Loaded(c.unloaded));
  }
  EXPECT_EQ(Screens().front(), "security");
  Wait(60'000);  // the trace went with the map
  EXPECT_EQ(Screens().front(), "security");
}

INSTANTIATE_TEST_SUITE_P(
    ShowingSets, Map1TraceTest,
    ::testing::Values(TraceCase{"Comp1AndComp2", {"Comp2", "comp1"}, "comp1"},
                      TraceCase{"Comp2AndLogin", {"Comp2", "login"}, "Comp2"},
                      TraceCase{"LoginAndBreaker", {"login", "cracking"}, "login"},
                      TraceCase{"BreakerOnly", {"cracking"}, "cracking"},
                      TraceCase{"TargetOfTheOtherNetwork", {"comp3"}, ""}),
    [](const ::testing::TestParamInfo<TraceCase>& info) { return std::string(info.param.name); });

TEST_F(Map1Test, DisconnectEndsTheConnectionWithoutPenalty) {
  BypassProxy();
  StartBreaker();
  Wait(5'000);
  sm.Show("comp3");  // a target of the other network is left alone
  sm.Show("comp1");
  Click("map1", "Command1");
  EXPECT_FALSE(Loaded("map1"));
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_TRUE(Loaded("comp1"));  // hidden, keeping its rows
  EXPECT_FALSE(Showing("comp1"));
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_TRUE(Loaded("login"));
  EXPECT_FALSE(Showing("login"));
  EXPECT_EQ(Screens().front(), "board");
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");

  Connect("234.122.126.9");
  EXPECT_EQ(Text("map1", "Label7"), "Neaktivní");
  EXPECT_FALSE(ControlVisible("map1", "Line5"));
}

TEST_F(Map1Test, DisconnectBeforeAnyBypassDoesNotStartTheBreakersRouteCheck) {
  sm.Unload("cracking");  // as after a finished breaker: asking about it would create it
  Click("map1", "Command1");
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("security"));
  EXPECT_FALSE(Loaded("proxy"));
  EXPECT_EQ(Screens().front(), "board");
}

// A trace drops the connection at the login prompt and leaves the breaker running; the next
// question whether map 1 shows loads it again, and its load rule sees the unprotected breaker.
TEST_F(Map1Test, LoadedWhileTheBreakerRunsUnbypassedTheMapRaisesTheAlarm) {
  TraceLeavingTheBreaker();
  ASSERT_FALSE(Loaded("map1"));
  ASSERT_FALSE(Loaded("login"));
  ASSERT_TRUE(Showing("cracking"));
  ASSERT_EQ(Screens().front(), "security");
  EXPECT_FALSE(Showing("proxy"));

  Click("Programy", "Command6");  // asks whether map 1 shows
  EXPECT_TRUE(Loaded("map1"));
  EXPECT_FALSE(Showing("map1"));
  EXPECT_EQ(Front(3), (std::vector<std::string>{"neniserver", "proxy", "security"}));
  EXPECT_FALSE(Showing("loser"));
}

TEST_F(Map1Test, TheLoadRuleShowsTheCaughtScreenAtVelka) {
  TraceLeavingTheBreaker();
  SetCriminality("Velká");
  Click("Programy", "Command6");
  EXPECT_EQ(Front(3), (std::vector<std::string>{"neniserver", "loser", "proxy"}));
}

TEST_F(Map1Test, ABreakerLoadedButNotShowingRaisesNothing) {
  ASSERT_TRUE(Loaded("cracking"));  // loaded hidden by the Connect
  sm.Unload("map1");
  sm.Show("map1");
  EXPECT_FALSE(Showing("security"));
  EXPECT_FALSE(Showing("proxy"));
}

}  // namespace
}  // namespace quillon::testing
