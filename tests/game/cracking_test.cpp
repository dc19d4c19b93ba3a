// The password breaker: its bar, its reset of the login prompt and the password it finds.
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

// The password is the current mission's, by the message board, whatever target is attacked.
TEST_F(CrackingTest, ThePasswordFollowsTheMessageBoard) {
  const std::pair<std::vector<std::string>, const char*> boards[] = {
      {{}, "vilemzahradka"},
      {{"Picture6"}, "vilemzahradka"},  // mission 1's reward waiting
      {{"Picture7"}, ""},               // mission 1 paid, nothing else yet
      {{"Picture7", "Picture9", "Picture3"}, "karelmoucha"},
  };
  GiveTool("Command7");
  for (const auto& [shown, password] : boards) {
    SCOPED_TRACE(password);
    for (const std::string& icon : shown) sm.Control("board", icon).SetVisible(true);
    if (!shown.empty()) sm.Control("board", "Picture1").SetVisible(false);
    Connect("96.88.173.246");
    BypassProxy();
    Click("Programy", "Command7");
    StartBreaker();
    Wait(21'000);
    EXPECT_EQ(Text("login", "Text1"), "sysop");
    EXPECT_EQ(Text("login", "Text2"), password);
  }
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
