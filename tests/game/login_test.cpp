// The login prompt: one exact name and the current mission's password.
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
        std::pair{"", ""}}) {
    SCOPED_TRACE(std::string(name) + "/" + password);
    LogIn(name, password);
    EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // until the alarm is acknowledged
    ExpectRefused();
  }
  LogIn("sysop", "vilemzahradka");
  EXPECT_EQ(Screens().front(), "comp1");
  ExpectPromptDoneWith();
}

// Each account works from its message's arrival until its reward is collected.
TEST_F(LoginTest, EachAccountWorksExactlyWhileItsMissionIsCurrent) {
  sm.Control("board", "Picture1").SetVisible(false);
  sm.Control("board", "Picture6").SetVisible(true);  // replied, the reward not collected
  LogIn("sysop", "vilemzahradka");
  EXPECT_TRUE(Showing("comp1"));
  Connect("155.8.13.76");
  sm.Control("board", "Picture6").SetVisible(false);
  sm.Control("board", "Picture7").SetVisible(true);  // collected
  LogIn("sysop", "vilemzahradka");
  ExpectRefused();

  const std::vector<std::pair<const char*, const char*>> accounts{{"ivanbartosek", "Comp2"},
                                                                  {"karelmoucha", "comp3"},
                                                                  {"kvetnamor", "comp4"},
                                                                  {"ludekhora", "voice"}};
  for (int slot = 2; slot <= 5; ++slot) {
    const auto& [password, screen] = accounts[static_cast<size_t>(slot - 2)];
    SCOPED_TRACE(password);
    LogIn("sysop", password);  // before its message has come
    ExpectRefused();
    sm.Control("board", "Picture" + std::to_string(slot)).SetVisible(true);
    LogIn("sysop", password);
    EXPECT_EQ(Screens().front(), screen);
    EXPECT_FALSE(Showing("security"));
    ExpectPromptDoneWith();
    sm.Unload(screen);
    Connect("155.8.13.76");
    // Accepted as done: the message icon gives way to the reward icon.
    sm.Control("board", "Picture" + std::to_string(slot)).SetVisible(false);
    sm.Control("board", "Picture" + std::to_string(4 + 2 * slot)).SetVisible(true);
    LogIn("sysop", password);
    ExpectRefused();
  }
}

TEST_F(LoginTest, ARefusedLoginAtVelkaPutsTheCaughtScreenOverTheAlarm) {
  SetCriminality("Velká");
  LogIn("Sysop", "vilemzahradka");
  EXPECT_EQ(Front(2), (std::vector<std::string>{"loser", "security"}));
  EXPECT_FALSE(Showing("comp1"));
}

}  // namespace
}  // namespace quillon::testing
