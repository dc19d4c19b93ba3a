// The tools that act on the second network: the bypasses and the password breaker's route
// check on map 2, the voice generator, the flood and the trojan.
#include <ostream>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

const std::vector<std::string> kEveryTool{"Command2", "Command3", "Command4",
                                          "Command5", "Command6", "Command7"};

class Network2ToolsTest : public ConnectionTest {
 protected:
  Network2ToolsTest() {
    for (const std::string& tool : kEveryTool) GiveTool(tool);
  }

  void ConnectToComp3Network() { Connect("255.182.27.156"); }
  void BypassFirewall() { Click("Programy", "Command7"); }
  bool Drawn(const char* line) const { return ControlVisible("map2", line); }
};

// --- Bypasses and the password breaker on map 2 ---------------------------------------------

TEST_F(Network2ToolsTest, EachBypassDrawsItsOwnRouteOnMap2) {
  ConnectToComp3Network();
  ASSERT_TRUE(Showing("map2"));
  BypassProxy();
  EXPECT_TRUE(Drawn("Line6"));
  EXPECT_TRUE(Drawn("Line7"));
  EXPECT_FALSE(Drawn("Line8"));
  EXPECT_FALSE(Drawn("Line9"));
  BypassFirewall();
  EXPECT_TRUE(Drawn("Line8"));
  EXPECT_TRUE(Drawn("Line9"));
  EXPECT_FALSE(Showing("neniserver"));
}

TEST_F(Network2ToolsTest, TheFirewallBypassDrawsNothingWhileOnlyMap1Shows) {
  Connect("155.8.13.76");
  BypassFirewall();
  EXPECT_FALSE(Showing("map2"));
  EXPECT_FALSE(Drawn("Line8"));
  EXPECT_FALSE(Drawn("Line9"));
  EXPECT_FALSE(Showing("neniserver"));  // not even a notice
}

TEST_F(Network2ToolsTest, WithBothBypassesTheBreakerRunsAndTheTraceStartsAt150) {
  ConnectToComp3Network();
  BypassProxy();
  BypassFirewall();
  StartBreaker();
  EXPECT_TRUE(Showing("cracking"));
  EXPECT_TRUE(Showing("login"));
  EXPECT_TRUE(Showing("map2"));
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("map2", "Label8"), "150");
  Wait(200);
  EXPECT_EQ(Text("map2", "Label8"), "149");
}

struct AlarmCase {
  const char* name;
  bool proxy, firewall;

  friend void PrintTo(const AlarmCase& c, std::ostream* out) { *out << c.name; }
};

class Map2AlarmTest : public Network2ToolsTest, public ::testing::WithParamInterface<AlarmCase> {};

TEST_P(Map2AlarmTest, TheBreakerWithoutBothBypassesDropsTheConnection) {
  ConnectToComp3Network();
  if (GetParam().proxy) BypassProxy();
  if (GetParam().firewall) BypassFirewall();
  StartBreaker();

  // The map-2 alarm: `security` in front of `proxy`.
  const std::vector<std::string> screens = Screens();
  ASSERT_GE(screens.size(), 2u);
  EXPECT_EQ(screens[0], "security");
  EXPECT_EQ(screens[1], "proxy");
  for (const char* screen : {"map2", "login", "cracking"}) {
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Showing("loser"));
  Wait(60'000);  // and no trace is left running behind it
  EXPECT_EQ(Screens()[0], "security");

  Click("security", "Command1");
  EXPECT_EQ(Text("Statistika", "Label1"), "Malá");
}

INSTANTIATE_TEST_SUITE_P(Bypasses, Map2AlarmTest,
                         ::testing::Values(AlarmCase{"Neither", false, false},
                                           AlarmCase{"OnlyProxy", true, false},
                                           AlarmCase{"OnlyFirewall", false, true}),
                         [](const ::testing::TestParamInfo<AlarmCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(Network2ToolsTest, TheMap2AlarmAtVelkaShowsTheCaughtScreenInFront) {
  SetCriminality("Velká");
  ConnectToComp3Network();
  BypassProxy();
  StartBreaker();
  EXPECT_EQ(Screens().front(), "loser");
  EXPECT_TRUE(Showing("security"));
}

TEST_F(Network2ToolsTest, TheMap2AlarmAlsoClosesAPendingVoiceCheck) {
  Connect("96.88.173.246");
  sm.Show("voice");  // as the fifth account's login leaves it
  BypassFirewall();
  StartBreaker();
  EXPECT_FALSE(Loaded("voice"));
  EXPECT_EQ(Screens().front(), "security");
}

// --- Voice generator ------------------------------------------------------------------------

TEST_F(Network2ToolsTest, TheVoiceGeneratorWorksOnlyWhileTheVoiceCheckIsOpen) {
  Click("Programy", "Command2");
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Loaded("voicebraker"));
  Click("neniserver", "Picture1");

  sm.Show("voice");
  Click("Programy", "Command2");
  EXPECT_EQ(Screens().front(), "voicebraker");
  EXPECT_FALSE(ControlVisible("voice", "Picture4"));
  EXPECT_FALSE(Showing("neniserver"));
  ASSERT_TRUE(Click("voice", "Picture5"));
  EXPECT_TRUE(Showing("comp5"));
  EXPECT_FALSE(Loaded("voice"));
}

// --- Flood ----------------------------------------------------------------------------------

TEST_F(Network2ToolsTest, TheFloodClosesEveryConnectionScreenAndMarksTheServerDestroyed) {
  Connect("45.103.222.39");
  BypassProxy();
  BypassFirewall();
  StartBreaker();
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp5", "comp4"}) sm.Show(screen);
  ASSERT_TRUE(Showing("cracking"));
  ASSERT_TRUE(Showing("login"));

  Click("Programy", "Command4");

  for (const char* screen : {"comp1", "Comp2", "comp3", "comp4", "comp5", "login"}) {
    EXPECT_TRUE(Loaded(screen)) << screen;
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_EQ(sm.Peek("back")->Find("Check1")->value, 1);
  EXPECT_EQ(Text("Statistika", "Label2"), "Hodně známý");
  Wait(60'000);  // the trace went with the map
  EXPECT_FALSE(Showing("security"));

  // The company's server no longer answers; the other addresses of map 2 still do.
  Connect("45.103.222.39");
  EXPECT_EQ(Screens().front(), "noconnect");
  EXPECT_FALSE(Showing("map2"));
  EXPECT_FALSE(Loaded("ip"));
  Click("noconnect", "Picture1");
  Connect("96.88.173.246");
  EXPECT_TRUE(Showing("map2"));
}

TEST_F(Network2ToolsTest, TheFloodWithoutTheFourthTargetOpenOnlyComplains) {
  Connect("45.103.222.39");
  sm.Show("comp3");
  Click("Programy", "Command4");
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_TRUE(Showing("map2"));
  EXPECT_EQ(sm.Peek("back")->Find("Check1")->value, 0);
  EXPECT_EQ(Text("Statistika", "Label2"), "Začátečník");
}

// --- Trojan ---------------------------------------------------------------------------------

TEST_F(Network2ToolsTest, TheTrojanIsPlantedOnlyOnTheFifthTargetThroughMap2) {
  Connect("96.88.173.246");
  sm.Show("comp5");
  Click("Programy", "Command5");
  EXPECT_EQ(Screens().front(), "trojan");
  EXPECT_EQ(Text("trojan", "Label1"), "Serverová část byla zkopírována a aktivována");
  EXPECT_EQ(sm.Peek("back")->Find("mise5")->value, 1);
}

TEST_F(Network2ToolsTest, TheTrojanOnAnotherTargetShowsTheNoticeButPlantsNothing) {
  for (const char* target : {"comp1", "Comp2", "comp3", "comp4"}) {
    sm.Show(target);
    Click("Programy", "Command5");
    EXPECT_EQ(Screens().front(), "trojan") << target;
    Click("trojan", "Picture1");
    sm.SetVisible(target, false);
  }
  EXPECT_EQ(sm.Peek("back")->Find("mise5")->value, 0);
}

TEST_F(Network2ToolsTest, TheTrojanWithoutATargetOrWithoutMap2ShowsNeniserver) {
  Click("Programy", "Command5");
  EXPECT_EQ(Screens().front(), "neniserver");
  Click("neniserver", "Picture1");

  sm.Show("comp5");  // left open after its map went
  Click("Programy", "Command5");
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Showing("trojan"));
  EXPECT_EQ(sm.Peek("back")->Find("mise5")->value, 0);
}

TEST_F(Network2ToolsTest, LoggingOutOfTheFifthTargetEndsTheTrojansChance) {
  Connect("96.88.173.246");
  BypassProxy();
  BypassFirewall();
  StartBreaker();
  sm.Show("comp5");
  Click("comp5", "Label6");
  EXPECT_FALSE(Loaded("map2"));
  Click("Programy", "Command5");
  EXPECT_EQ(sm.Peek("back")->Find("mise5")->value, 0);
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
}

}  // namespace
}  // namespace quillon::testing
