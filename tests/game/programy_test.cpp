// The tools panel: every tool's handler with each of its branches.
#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class ProgramyTest : public ConnectionTest {
 protected:
  ProgramyTest() {
    for (const char* tool :
         {"Command2", "Command3", "Command4", "Command5", "Command6", "Command7"}) {
      GiveTool(tool);
    }
  }
  void Tool(int number) { Click("Programy", "Command" + std::to_string(number)); }
  // The screens a click added to those showing before it, front first.
  std::vector<std::string> Added(const std::vector<std::string>& before) const {
    std::vector<std::string> added;
    for (const std::string& screen : Screens()) {
      if (std::find(before.begin(), before.end(), screen) == before.end()) added.push_back(screen);
    }
    return added;
  }
  void BypassFirewall() { Tool(7); }
  double Flag(const char* check) const { return sm.Peek("back")->Find(check)->value; }
};

// --- Password braker ------------------------------------------------------------------------

TEST_F(ProgramyTest, BreakerWithNothingOpenOnlyShowsTheNotice) {
  const std::vector<std::string> before = Screens();
  Tool(1);
  EXPECT_EQ(Added(before), std::vector<std::string>{"neniserver"});
  EXPECT_TRUE(Loaded("cracking"));  // created hidden by the timer write
  EXPECT_FALSE(sm.Peek("cracking")->Find("tmrTest")->enabled);
  Wait(30'000);
  EXPECT_EQ(Added(before), std::vector<std::string>{"neniserver"});
}

TEST_F(ProgramyTest, BreakerWithoutAPromptOnAnUnbypassedMap1StillRaisesTheAlarm) {
  Connect("155.8.13.76");
  LogIn("sysop", "vilemzahradka");  // typed by hand: the prompt is gone, the map stays
  ASSERT_TRUE(Showing("comp1"));
  Tool(1);
  EXPECT_EQ(Front(3), (std::vector<std::string>{"proxy", "security", "neniserver"}));
  EXPECT_FALSE(Loaded("map1"));
  EXPECT_FALSE(Loaded("login"));
  EXPECT_TRUE(Showing("comp1"));
}

// The breaker loaded hidden by Connect, or created afresh by the click: its load handler raises
// the alarm first, then the route check finds the same route.
TEST_F(ProgramyTest, BreakerOnAnUnbypassedMap1RaisesTheMap1Alarm) {
  for (const char* level : {"Malá", "Střední"}) {
    Connect("155.8.13.76");
    if (std::string(level) == "Střední") sm.Unload("cracking");
    Tool(1);
    EXPECT_EQ(Front(2), (std::vector<std::string>{"proxy", "security"}));
    for (const char* screen : {"map1", "login", "cracking"}) {
      EXPECT_FALSE(Loaded(screen)) << screen;
    }
    EXPECT_FALSE(Showing("loser"));
    Wait(60'000);
    EXPECT_FALSE(Loaded("cracking"));
    Click("security", "Command1");
    EXPECT_EQ(Text("Statistika", "Label1"), level);  // one alarm, one step
  }
}

TEST_F(ProgramyTest, TheMap1AlarmAtVelkaPutsTheCaughtScreenInFront) {
  Connect("155.8.13.76");
  SetCriminality("Velká");
  Tool(1);
  EXPECT_EQ(Front(3), (std::vector<std::string>{"loser", "proxy", "security"}));
}

struct Map2Route {
  const char* name;
  bool proxy, firewall;
};

class BreakerOnMap2Test : public ProgramyTest, public ::testing::WithParamInterface<Map2Route> {};

TEST_P(BreakerOnMap2Test, NeedsBothBypasses) {
  const Map2Route& r = GetParam();
  Connect("255.182.27.156");
  sm.Show("voice");  // as the fifth account's login leaves it
  if (r.proxy) BypassProxy();
  if (r.firewall) BypassFirewall();
  Tool(1);
  if (r.proxy && r.firewall) {
    EXPECT_EQ(Screens().front(), "cracking");
    EXPECT_TRUE(Showing("login"));
    EXPECT_FALSE(Showing("security"));
    EXPECT_EQ(Text("map2", "Label8"), "150");
    Wait(200);
    EXPECT_EQ(Text("map2", "Label8"), "149");
    return;
  }
  // The map-2 alarm: `security` in front of `proxy`, and the pending voice check closed.
  EXPECT_EQ(Front(2), (std::vector<std::string>{"security", "proxy"}));
  for (const char* screen : {"map2", "login", "voice", "cracking"}) {
    EXPECT_FALSE(Loaded(screen)) << screen;
  }
  EXPECT_FALSE(Showing("loser"));
  Wait(60'000);  // and no trace is left running behind it
  EXPECT_EQ(Screens().front(), "security");
  Click("security", "Command1");
  EXPECT_EQ(Text("Statistika", "Label1"), "Malá");
}

INSTANTIATE_TEST_SUITE_P(
    Routes, BreakerOnMap2Test,
    ::testing::Values(Map2Route{"Neither", false, false}, Map2Route{"ProxyOnly", true, false},
                      Map2Route{"FirewallOnly", false, true}, Map2Route{"Both", true, true}),
    [](const ::testing::TestParamInfo<Map2Route>& info) { return std::string(info.param.name); });

TEST_F(ProgramyTest, TheMap2AlarmAtVelkaPutsTheCaughtScreenInFront) {
  Connect("255.182.27.156");
  BypassProxy();
  SetCriminality("Velká");
  Tool(1);
  EXPECT_EQ(Front(3), (std::vector<std::string>{"loser", "security", "proxy"}));
}

// --- Generátor hlasu, Files wizard ---------------------------------------------------------

TEST_F(ProgramyTest, TheVoiceGeneratorNeedsTheVoiceCheck) {
  Tool(2);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Loaded("voicebraker"));
  sm.Show("voice");
  Tool(2);
  EXPECT_EQ(Screens().front(), "voicebraker");
}

TEST_F(ProgramyTest, TheWizardRefusesWithoutAFileServer) {
  sm.Show("comp4");
  Tool(3);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Showing("wizard"));
}

// --- Destruktor v 4.0 ------------------------------------------------------------------------

TEST_F(ProgramyTest, TheFloodWithoutTheFourthTargetOnlyShowsTheNotice) {
  Connect("45.103.222.39");
  sm.Show("comp3");
  Tool(4);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_TRUE(Showing("map2"));
  EXPECT_EQ(Flag("Check1"), 0);
  EXPECT_EQ(Text("Statistika", "Label2"), "Začátečník");
}

TEST_F(ProgramyTest, TheFloodClosesEveryConnectionScreenAndMarksTheServerDestroyed) {
  Connect("45.103.222.39");
  BypassProxy();
  BypassFirewall();
  Tool(1);
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp5", "comp4"}) sm.Show(screen);
  ASSERT_TRUE(Showing("cracking"));
  ASSERT_TRUE(Showing("login"));

  Tool(4);
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp4", "comp5", "login"}) {
    EXPECT_TRUE(Loaded(screen)) << screen;  // hidden, not unloaded
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_FALSE(Showing("neniserver"));
  EXPECT_EQ(Flag("Check1"), 1);
  EXPECT_EQ(Text("Statistika", "Label2"), "Hodně známý");
  Wait(60'000);  // the trace went with the map
  EXPECT_FALSE(Showing("security"));
}

// --- Sub Seven ----------------------------------------------------------------------------

TEST_F(ProgramyTest, TheTrojanIsPlantedOnlyOnTheFifthTargetThroughMap2) {
  Tool(5);  // no target at all
  EXPECT_EQ(Screens().front(), "neniserver");
  Click("neniserver", "Picture1");
  sm.Show("comp5");
  Tool(5);  // without map 2
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Showing("trojan"));
  EXPECT_EQ(Flag("mise5"), 0);

  sm.Show("map2");
  Tool(5);
  EXPECT_EQ(Screens().front(), "trojan");
  EXPECT_EQ(Flag("mise5"), 1);
}

TEST_F(ProgramyTest, TheTrojanOnAnotherTargetShowsTheNoticeButPlantsNothing) {
  sm.Show("map2");
  for (const char* target : {"comp1", "Comp2", "comp3", "comp4"}) {
    sm.Show(target);
    Tool(5);
    EXPECT_EQ(Screens().front(), "trojan") << target;
    Click("trojan", "Picture1");
    sm.SetVisible(target, false);
  }
  EXPECT_EQ(Flag("mise5"), 0);
}

// --- Proxy and firewall bypass ------------------------------------------------------------

TEST_F(ProgramyTest, TheProxyBypassDrawsTheRouteOfTheShowingMap) {
  Tool(6);
  EXPECT_EQ(Screens().front(), "neniserver");
  Click("neniserver", "Picture1");

  Connect("155.8.13.76");
  Tool(6);
  for (const char* line : {"Line5", "Line6", "Line7"}) {
    EXPECT_TRUE(ControlVisible("map1", line)) << line;
  }
  EXPECT_FALSE(Showing("neniserver"));

  Connect("255.182.27.156");
  Tool(6);
  EXPECT_TRUE(ControlVisible("map2", "Line6"));
  EXPECT_TRUE(ControlVisible("map2", "Line7"));
  EXPECT_FALSE(ControlVisible("map2", "Line8"));
  EXPECT_FALSE(ControlVisible("map2", "Line9"));
}

TEST_F(ProgramyTest, TheFirewallBypassActsOnlyOnMap2) {
  const std::vector<std::string> before = Screens();
  Tool(7);
  EXPECT_TRUE(Added(before).empty());

  Connect("155.8.13.76");
  const std::vector<std::string> onMap1 = Screens();
  Tool(7);
  EXPECT_TRUE(Added(onMap1).empty());  // not even a notice
  EXPECT_FALSE(ControlVisible("map1", "Line5"));
  EXPECT_FALSE(ControlVisible("map2", "Line8"));

  Connect("255.182.27.156");
  Tool(7);
  EXPECT_TRUE(ControlVisible("map2", "Line8"));
  EXPECT_TRUE(ControlVisible("map2", "Line9"));
  EXPECT_FALSE(ControlVisible("map2", "Line6"));
}

}  // namespace
}  // namespace quillon::testing
