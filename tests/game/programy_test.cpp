// The tools panel: every tool's handler with each of its branches.
#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

using Names = std::vector<std::string>;

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
  Names Added(const Names& before) const {
    Names added;
    for (const std::string& screen : Screens()) {
      if (std::find(before.begin(), before.end(), screen) == before.end()) added.push_back(screen);
    }
    return added;
  }
  double Flag(const char* check) const { return sm.Peek("back")->Find(check)->value; }
};

TEST_F(ProgramyTest, TheBreakerWithNothingOpenOnlyShowsTheNotice) {
  const Names before = Screens();
  Tool(1);
  EXPECT_EQ(Added(before), Names{"neniserver"});
  EXPECT_FALSE(sm.Peek("cracking")->Find("tmrTest")->enabled);  // created hidden, stopped
  Wait(30'000);
  EXPECT_EQ(Added(before), Names{"neniserver"});
}

// On map 1 the proxy alarm puts `proxy` in front of `security`, whether the breaker was loaded
// hidden by Connect or is created afresh by the click, and also without a login prompt.
TEST_F(ProgramyTest, TheBreakerOnAnUnbypassedMap1RaisesTheMap1Alarm) {
  for (const char* level : {"Malá", "Střední"}) {
    Connect("155.8.13.76");
    if (std::string(level) == "Střední") sm.Unload("cracking");
    Tool(1);
    EXPECT_EQ(Front(2), (Names{"proxy", "security"}));
    for (const char* screen : {"map1", "login", "cracking"}) EXPECT_FALSE(Loaded(screen));
    Wait(60'000);
    Click("security", "Command1");
    EXPECT_EQ(Text("Statistika", "Label1"), level);  // one alarm, one step
    Click("proxy", "Picture1");
  }
  Connect("155.8.13.76");
  LogIn("sysop", "vilemzahradka");  // typed by hand: the prompt is gone, the map stays
  ASSERT_TRUE(Showing("comp1"));
  SetCriminality("Velká");
  Tool(1);
  EXPECT_EQ(Front(4), (Names{"loser", "proxy", "security", "neniserver"}));
  EXPECT_TRUE(Showing("comp1"));
}

TEST_F(ProgramyTest, TheBreakerOnMap2NeedsBothBypasses) {
  for (const int route : {0, 1, 2, 3}) {
    const bool proxy = route & 1, firewall = route & 2;
    SCOPED_TRACE("proxy " + std::to_string(proxy) + ", firewall " + std::to_string(firewall));
    SetCriminality("Není");
    Connect("255.182.27.156");
    sm.Show("voice");  // as the fifth account's login leaves it
    if (proxy) Tool(6);
    if (firewall) Tool(7);
    Tool(1);
    if (proxy && firewall) {
      EXPECT_EQ(Screens().front(), "cracking");
      EXPECT_TRUE(Showing("voice"));
      EXPECT_EQ(Text("map2", "Label8"), "150");
      Wait(200);
      EXPECT_EQ(Text("map2", "Label8"), "149");
      break;
    }
    // The map-2 alarm: `security` in front of `proxy`, and the pending voice check closed.
    EXPECT_EQ(Front(2), (Names{"security", "proxy"}));
    for (const char* screen : {"map2", "login", "voice", "cracking"}) EXPECT_FALSE(Loaded(screen));
    Wait(60'000);  // and no trace is left running behind it
    Click("security", "Command1");
    EXPECT_EQ(Text("Statistika", "Label1"), "Malá");
    Click("proxy", "Picture1");
  }
  Connect("255.182.27.156");
  Tool(6);
  SetCriminality("Velká");
  Tool(1);
  EXPECT_EQ(Front(3), (Names{"loser", "security", "proxy"}));
}

// With their server they are played by examples/full-game.qs.
TEST_F(ProgramyTest, TheVoiceGeneratorAndTheWizardNeedTheirServer) {
  Tool(2);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Loaded("voicebraker"));
  sm.Show("comp4");
  Tool(3);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_FALSE(Showing("wizard"));
}

// What the flood does on the fourth target is played by examples/full-game.qs.
TEST_F(ProgramyTest, TheFloodNeedsTheFourthTargetAndHidesEveryTargetWithIt) {
  Connect("45.103.222.39");
  Tool(6);
  Tool(7);
  Tool(1);
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp5"}) sm.Show(screen);
  Tool(4);
  EXPECT_EQ(Screens().front(), "neniserver");
  EXPECT_EQ(Flag("Check1"), 0);

  sm.Show("comp4");
  ASSERT_TRUE(Showing("cracking"));
  Tool(4);
  for (const char* screen : {"comp1", "Comp2", "comp3", "comp4", "comp5", "login"}) {
    EXPECT_TRUE(Loaded(screen)) << screen;  // hidden, not unloaded
    EXPECT_FALSE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Loaded("cracking"));
  Wait(60'000);  // the trace went with the map
  EXPECT_FALSE(Showing("security"));
}

TEST_F(ProgramyTest, TheTrojanIsPlantedOnlyOnTheFifthTargetThroughMap2) {
  Tool(5);  // no target at all
  EXPECT_EQ(Screens().front(), "neniserver");
  sm.Show("comp5");
  Tool(5);  // without map 2
  EXPECT_EQ(Screens().front(), "neniserver");
  sm.SetVisible("comp5", false);
  sm.Show("map2");
  for (const char* target : {"comp1", "Comp2", "comp3", "comp4"}) {
    sm.Show(target);
    Tool(5);  // the notice, but nothing planted
    EXPECT_EQ(Screens().front(), "trojan") << target;
    Click("trojan", "Picture1");
    sm.SetVisible(target, false);
  }
  EXPECT_EQ(Flag("mise5"), 0);  // planted on the fifth target by examples/full-game.qs
}

// The routes they draw on the map that shows are played by examples/full-game.qs.
TEST_F(ProgramyTest, TheBypassesDrawNothingWithoutTheirMap) {
  const Names before = Screens();
  Tool(7);  // the firewall bypass does nothing without map 2, not even a notice
  EXPECT_TRUE(Added(before).empty());
  Tool(6);
  EXPECT_EQ(Screens().front(), "neniserver");
  Click("neniserver", "Picture1");

  Connect("155.8.13.76");
  Tool(7);
  EXPECT_FALSE(ControlVisible("map1", "Line5"));
  Connect("255.182.27.156");
  Tool(6);
  EXPECT_FALSE(ControlVisible("map2", "Line8"));  // the firewall's part
}

}  // namespace
}  // namespace quillon::testing
