#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class CrackingTest : public ConnectionTest {
 protected:
  double Progress() const { return sm.Peek("cracking")->Find("prbegg")->value; }
  std::vector<std::string> Front(size_t n) const {
    const std::vector<std::string> visible = Screens();
    return {visible.begin(), visible.begin() + static_cast<long>(std::min(n, visible.size()))};
  }
};

TEST_F(CrackingTest, TheBarFillsOverTwentySecondsFromTheFirstTick) {
  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  EXPECT_EQ(Screens().front(), "cracking");
  EXPECT_EQ(Text("cracking", "Label1"), "CRACKING");
  EXPECT_EQ(Text("login", "Text1"), "");
  Wait(1000);  // the first tick only notes the time
  EXPECT_EQ(Progress(), 0);
  for (int tick = 2; tick <= 20; ++tick) {
    Wait(1000);
    EXPECT_FLOAT_EQ(static_cast<float>(Progress()), static_cast<float>(5 * (tick - 1))) << tick;
  }
  EXPECT_TRUE(Showing("cracking"));
  EXPECT_EQ(Text("login", "Text2"), "");
  Wait(999);
  EXPECT_TRUE(Showing("cracking"));
  Wait(1);  // the 21st tick: full, and done
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  EXPECT_EQ(Text("login", "Text2"), "vilemzahradka");
  EXPECT_TRUE(Showing("login"));
  EXPECT_FALSE(Showing("security"));
}

TEST_F(CrackingTest, ASecondClickKeepsTheStartTime) {
  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  Wait(5'500);
  EXPECT_EQ(Progress(), 20);
  StartBreaker();
  EXPECT_EQ(Progress(), 20);
  Wait(15'500);
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_EQ(Text("login", "Text2"), "vilemzahradka");
}

TEST_F(CrackingTest, AfterAnUnloadTheNextStartBeginsAgainAtZero) {
  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  Wait(10'000);
  Connect("155.8.13.76");  // unloads the running breaker
  BypassProxy();
  StartBreaker();
  Wait(1000);
  EXPECT_EQ(Progress(), 0);
  Wait(19'000);
  EXPECT_TRUE(Showing("cracking"));
  Wait(1000);
  EXPECT_FALSE(Loaded("cracking"));
}

TEST_F(CrackingTest, TheLoginPromptIsFilledEvenIfItWasUnloadedMeanwhile) {
  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  sm.Unload("login");
  Wait(21'000);
  EXPECT_TRUE(Loaded("login"));
  EXPECT_FALSE(Showing("login"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  EXPECT_EQ(Text("login", "Text2"), "vilemzahradka");
}

// --- The password follows the message board ------------------------------------------------

struct BoardCase {
  const char* name;
  std::vector<std::string> shown;  // board icons shown, Picture1 hidden when any is
  const char* password;
};

class CrackingPasswordTest : public CrackingTest,
                             public ::testing::WithParamInterface<BoardCase> {};

TEST_P(CrackingPasswordTest, IsTheCurrentMissionsPassword) {
  const BoardCase& c = GetParam();
  if (!c.shown.empty()) sm.Control("board", "Picture1").SetVisible(false);
  for (const std::string& icon : c.shown) sm.Control("board", icon).SetVisible(true);
  Connect("96.88.173.246");  // the target attacked does not matter
  GiveTool("Command7");
  BypassProxy();
  Click("Programy", "Command7");
  StartBreaker();
  Wait(21'000);
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  EXPECT_EQ(Text("login", "Text2"), c.password);
}

INSTANTIATE_TEST_SUITE_P(
    Missions, CrackingPasswordTest,
    ::testing::Values(BoardCase{"NewGame", {}, "vilemzahradka"},
                      BoardCase{"MissionOneRewardWaiting", {"Picture6"}, "vilemzahradka"},
                      BoardCase{"MissionOnePaid", {"Picture7"}, ""},
                      BoardCase{"MissionTwo", {"Picture7", "Picture2"}, "ivanbartosek"},
                      BoardCase{"MissionTwoRewardWaiting", {"Picture7", "Picture8"}, ""},
                      BoardCase{
                          "MissionThree", {"Picture7", "Picture9", "Picture3"}, "karelmoucha"},
                      BoardCase{"MissionFour", {"Picture7", "Picture11", "Picture4"}, "kvetnamor"},
                      BoardCase{"MissionFive", {"Picture7", "Picture13", "Picture5"}, "ludekhora"}),
    [](const ::testing::TestParamInfo<BoardCase>& info) { return std::string(info.param.name); });

// --- The route check of the load handler ---------------------------------------------------

// The breaker unloaded while the prompt waits, so that the next click creates it afresh.
class CrackingLoadTest : public CrackingTest {
 protected:
  void ConnectWithoutBreaker(const std::string& address) {
    Connect(address);
    sm.Unload("cracking");
  }
};

// The click goes on to the tools panel's route check, which finds the same route and drops
// the connection; the breaker does not come back.
TEST_F(CrackingLoadTest, OnAnUnbypassedMap1TheClickDropsTheConnection) {
  ConnectWithoutBreaker("155.8.13.76");
  StartBreaker();
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("map1"));
  EXPECT_FALSE(Loaded("login"));
  EXPECT_EQ(Front(2), (std::vector<std::string>{"proxy", "security"}));
  EXPECT_FALSE(Showing("loser"));
  Wait(60'000);
  EXPECT_FALSE(Loaded("cracking"));
  Click("security", "Command1");
  EXPECT_EQ(Text("Statistika", "Label1"), "Malá");  // one alarm, one step
}

TEST_F(CrackingLoadTest, OnAnUnbypassedMap1AtVelkaTheCaughtScreenFollows) {
  ConnectWithoutBreaker("155.8.13.76");
  SetCriminality("Velká");
  StartBreaker();
  EXPECT_EQ(Front(3), (std::vector<std::string>{"loser", "proxy", "security"}));
}

TEST_F(CrackingLoadTest, OnMap2WithNeitherBypassTheSecurityLiesInFront) {
  ConnectWithoutBreaker("255.182.27.156");
  StartBreaker();
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_FALSE(Loaded("login"));
  EXPECT_EQ(Front(2), (std::vector<std::string>{"security", "proxy"}));
}

TEST_F(CrackingLoadTest, OnMap2WithOneBypassTheLoadPassesAndTheRouteCheckCatchesIt) {
  ConnectWithoutBreaker("255.182.27.156");
  BypassProxy();
  StartBreaker();
  EXPECT_FALSE(Loaded("cracking"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_EQ(Front(2), (std::vector<std::string>{"security", "proxy"}));
}

TEST_F(CrackingLoadTest, BehindTheBypassTheLoadResetsThePrompt) {
  ConnectWithoutBreaker("155.8.13.76");
  Click("login", "Text2");
  Type("guess");
  BypassProxy();
  StartBreaker();
  EXPECT_TRUE(Showing("cracking"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");  // emptied by the click, filled by the load
  EXPECT_EQ(Text("login", "Text2"), "");
  EXPECT_EQ(Progress(), 0);
}

}  // namespace
}  // namespace quillon::testing
