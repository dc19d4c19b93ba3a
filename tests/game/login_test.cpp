// The login prompt: one exact name and the current mission's password. Each password working
// while its mission is current is played by examples/full-game.qs; mission 1's refused once it
// is paid, by tests/scripts/mission-1-recorded-end.qs.
#include <string>
#include <utility>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class LoginTest : public ConnectionTest {
 protected:
  LoginTest() { Connect("155.8.13.76"); }

  void ExpectPromptDoneWith() {
    EXPECT_TRUE(Loaded("login"));
    EXPECT_FALSE(Showing("login"));
    EXPECT_EQ(Text("login", "Text1"), "");
    EXPECT_EQ(Text("login", "Text2"), "");
  }

  void ExpectRefused() {
    EXPECT_EQ(Screens().front(), "security");
    for (const char* target : {"comp1", "Comp2", "comp3", "comp4", "voice"}) {
      EXPECT_FALSE(Showing(target)) << target;
    }
    ExpectPromptDoneWith();
    Click("security", "Command1");
    SetCriminality("Není");
    Connect("155.8.13.76");
  }
};

TEST_F(LoginTest, ComparisonsAreExactOverTheWholeText) {
  for (const auto& [name, password] :
       {std::pair{"Sysop", "vilemzahradka"}, std::pair{"sysop ", "vilemzahradka"},
        std::pair{"sysop", "vilemzahradka "}, std::pair{"sysop", "Vilemzahradka"},
        std::pair{"", ""}, std::pair{"sysop", "ivanbartosek"}}) {  // mission 2's, too early
    SCOPED_TRACE(std::string(name) + "/" + password);
    LogIn(name, password);
    EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // until the alarm is acknowledged
    ExpectRefused();
  }
  LogIn("sysop", "vilemzahradka");
  EXPECT_EQ(Screens().front(), "comp1");
  ExpectPromptDoneWith();
}

TEST_F(LoginTest, ARefusedLoginAtVelkaPutsTheCaughtScreenOverTheAlarm) {
  SetCriminality("Velká");
  LogIn("Sysop", "vilemzahradka");
  EXPECT_EQ(Front(2), (std::vector<std::string>{"loser", "security"}));
  EXPECT_FALSE(Showing("comp1"));
}

}  // namespace
}  // namespace quillon::testing
