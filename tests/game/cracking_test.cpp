#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class CrackingTest : public ConnectionTest {
 protected:
  double Progress() const { return sm.Peek("cracking")->Find("prbegg")->value; }
};

TEST_F(CrackingTest, TheBarFillsOverTwentySecondsFromTheFirstTick) {
  Connect("155.8.13.76");
  Click("login", "Text1");
  Type("someone");
  BypassProxy();
  StartBreaker();
  EXPECT_EQ(Screens().front(), "cracking");
  EXPECT_EQ(Text("login", "Text1"), "");  // emptied by the start
  Wait(1000);                             // the first tick only notes the time
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
                      BoardCase{"MissionTwoRewardWaiting", {"Picture7", "Picture8"}, ""},
                      BoardCase{
                          "MissionThree", {"Picture7", "Picture9", "Picture3"}, "karelmoucha"}),
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
