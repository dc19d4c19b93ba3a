// The connection maps of both networks: their trace countdown, Disconnect, and map 1's load rule.
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
  EXPECT_EQ(sm.Peek("cracking")->Find("prbegg")->value, 45);
  Click("login", "Text2");
  StartBreaker();
  EXPECT_EQ(Text("map1", "Label7"), "200");
  EXPECT_EQ(sm.Peek("cracking")->Find("prbegg")->value, 45);
  Wait(11'000);  // the breaker finishes 21 s after its first start
  EXPECT_EQ(Text("login", "Text2"), "vilemzahradka");
  EXPECT_EQ(Text("map1", "Label7"), "145");
}

// The connection's screens are dropped in the list's own order, not in the order shown; a target
// of the other network is not its concern.
TEST_F(Map1Test, AtZeroOnlyTheFirstShowingScreenOfTheConnectionGoes) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"cracking", "login", "Comp2", "comp1", "comp3"}, "comp1"},
      {{"cracking", "login"}, "login"},
      {{"comp3"}, ""},
  };
  for (const auto& [showing, unloaded] : cases) {
    SCOPED_TRACE(unloaded);
    Connect("155.8.13.76");
    BypassProxy();
    sm.SetVisible("login", false);
    for (const std::string& screen : showing) sm.Show(screen);
    StartTrace("3");
    Wait(kTick * 2);
    EXPECT_TRUE(Showing("map1"));
    Wait(kTick);
    EXPECT_FALSE(Loaded("map1"));
    for (const std::string& screen : showing) {
      EXPECT_EQ(Showing(screen), screen != unloaded) << screen;
    }
    EXPECT_TRUE(unloaded.empty() || !Loaded(unloaded)) << unloaded;
    EXPECT_EQ(Screens().front(), "security");
    Wait(60'000);  // the trace went with the map
    for (const char* screen : {"security", "comp1", "Comp2", "comp3", "cracking"}) {
      sm.Unload(screen);
    }
  }
}

TEST_F(Map1Test, DisconnectEndsTheConnectionWithoutPenalty) {
  sm.Unload("cracking");  // as after a finished breaker: asking about it would create it
  Click("map1", "Command1");
  EXPECT_FALSE(Loaded("cracking"));  // no route check without a breaker
  EXPECT_FALSE(Loaded("security"));
  EXPECT_EQ(Screens().front(), "board");

  Connect("155.8.13.76");
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
}

// A trace drops the connection at the login prompt and leaves the breaker running; the next
// question whether map 1 shows loads it again, and its load rule sees the unprotected breaker.
TEST_F(Map1Test, LoadedWhileTheBreakerRunsUnbypassedTheMapRaisesTheAlarm) {
  TraceLeavingTheBreaker();
  ASSERT_FALSE(Loaded("map1"));
  ASSERT_TRUE(Showing("cracking"));
  ASSERT_EQ(Screens().front(), "security");
  EXPECT_FALSE(Showing("proxy"));

  SetCriminality("Velká");
  Click("Programy", "Command6");  // asks whether map 1 shows
  EXPECT_TRUE(Loaded("map1"));
  EXPECT_FALSE(Showing("map1"));
  EXPECT_EQ(Front(4), (std::vector<std::string>{"neniserver", "loser", "proxy", "security"}));
}

TEST_F(Map1Test, ABreakerLoadedButNotShowingRaisesNothing) {
  ASSERT_TRUE(Loaded("cracking"));  // loaded hidden by the Connect
  sm.Unload("map1");
  sm.Show("map1");
  EXPECT_FALSE(Showing("security"));
  EXPECT_FALSE(Showing("proxy"));
}

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
      {{"cracking", "login", "comp5", "comp4", "comp3", "comp1"}, "comp3"},
      {{"cracking", "login"}, "login"},
      {{"comp1", "Comp2"}, ""},
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
  EXPECT_EQ(Screens().front(), "board");
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");
}

}  // namespace
}  // namespace quillon::testing
