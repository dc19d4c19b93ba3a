#include <string>
#include <utility>

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
    EXPECT_FALSE(Showing("loser"));
    for (const char* target : {"comp1", "Comp2", "comp3", "comp4", "voice"}) {
      EXPECT_FALSE(Showing(target)) << target;
    }
    ExpectPromptDoneWith();
  }
};

TEST_F(LoginTest, ComparisonsAreExactOverTheWholeText) {
  for (const auto& [name, password] :
       {std::pair{"Sysop", "vilemzahradka"}, std::pair{"sysop ", "vilemzahradka"},
        std::pair{"sysop", "vilemzahradka "}, std::pair{"sysop", "Vilemzahradka"},
        std::pair{"", ""}}) {
    SCOPED_TRACE(std::string(name) + "/" + password);
    Connect("155.8.13.76");
    LogIn(name, password);
    ExpectRefused();
  }
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // until the alarm is acknowledged
}

TEST_F(LoginTest, TheFirstAccountWorksUntilMissionOneIsPaid) {
  // Replied but not yet collected: the reward icon waits, the done icon is not there.
  sm.Control("board", "Picture1").SetVisible(false);
  sm.Control("board", "Picture6").SetVisible(true);
  LogIn("sysop", "vilemzahradka");
  EXPECT_TRUE(Showing("comp1"));

  Connect("155.8.13.76");
  sm.Control("board", "Picture7").SetVisible(true);  // collected
  LogIn("sysop", "vilemzahradka");
  ExpectRefused();
}

struct Account {
  const char* password;
  int slot;
  const char* screen;
};

class LaterAccountTest : public LoginTest, public ::testing::WithParamInterface<Account> {};

TEST_P(LaterAccountTest, WorksExactlyWhileItsMessageIsOnTheBoard) {
  const Account& a = GetParam();
  // Before its message has come (mission 1 paid, nothing else yet).
  sm.Control("board", "Picture1").SetVisible(false);
  sm.Control("board", "Picture7").SetVisible(true);
  LogIn("sysop", a.password);
  ExpectRefused();
  Click("security", "Command1");

  Connect("155.8.13.76");
  sm.Control("board", "Picture" + std::to_string(a.slot)).SetVisible(true);
  LogIn("sysop", a.password);
  EXPECT_EQ(Screens().front(), a.screen);
  EXPECT_FALSE(Showing("security"));
  ExpectPromptDoneWith();

  // Accepted as done: the message icon gives way to the reward icon.
  Connect("155.8.13.76");
  sm.Unload("voice");  // a new connection does not close the voice check; its own rules do
  sm.Control("board", "Picture" + std::to_string(a.slot)).SetVisible(false);
  sm.Control("board", "Picture" + std::to_string(4 + 2 * a.slot)).SetVisible(true);
  LogIn("sysop", a.password);
  ExpectRefused();
}

INSTANTIATE_TEST_SUITE_P(FourAccounts, LaterAccountTest,
                         ::testing::Values(Account{"ivanbartosek", 2, "Comp2"},
                                           Account{"karelmoucha", 3, "comp3"},
                                           Account{"kvetnamor", 4, "comp4"},
                                           Account{"ludekhora", 5, "voice"}));

}  // namespace
}  // namespace quillon::testing
