// The password breaker: its bar and its reset of the login prompt. The password it finds for
// each mission is played by examples/full-game.qs.
#include <string>

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
  Wait(1000);
  EXPECT_EQ(Progress(), 5);
  Wait(18'000);
  EXPECT_EQ(Progress(), 95);
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

TEST_F(CrackingTest, CreatedAfreshBehindTheBypassItResetsThePrompt) {
  Connect("155.8.13.76");
  sm.Unload("cracking");  // so that the click creates it afresh
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
