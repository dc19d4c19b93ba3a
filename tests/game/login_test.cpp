#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class LoginTest : public ConnectionTest {
 protected:
  LoginTest() { Connect("155.8.13.76"); }

  // The message board as it stands while mission k (2..5) is current: mission 1 is paid.
  void MissionCurrent(int k) {
    sm.Control("board", "Picture1").SetVisible(false);
    sm.Control("board", "Picture7").SetVisible(true);
    sm.Control("board", "Picture" + std::to_string(k)).SetVisible(true);
  }

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

TEST_F(LoginTest, TheFirstAccountOpensTheFirstTargetInANewGame) {
  EXPECT_EQ(Text("login", "Label1"), "Please insert your name and password");
  LogIn("sysop", "vilemzahradka");
  EXPECT_EQ(Screens().front(), "comp1");
  EXPECT_FALSE(Showing("security"));
  ExpectPromptDoneWith();
}

class LoginRefusalTest : public LoginTest,
                         public ::testing::WithParamInterface<std::pair<const char*, const char*>> {
};

TEST_P(LoginRefusalTest, ComparisonsAreExactOverTheWholeText) {
  LogIn(GetParam().first, GetParam().second);
  ExpectRefused();
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // until the alarm is acknowledged
}

INSTANTIATE_TEST_SUITE_P(
    NearMisses, LoginRefusalTest,
    ::testing::Values(std::pair{"Sysop", "vilemzahradka"}, std::pair{"SYSOP", "vilemzahradka"},
                      std::pair{"sysop ", "vilemzahradka"}, std::pair{" sysop", "vilemzahradka"},
                      std::pair{"sysop", "vilemzahradka "}, std::pair{"sysop", "Vilemzahradka"},
                      std::pair{"sysop", "vilem zahradka"}, std::pair{"sysop", ""},
                      std::pair{"", ""}, std::pair{"root", "vilemzahradka"}));

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
  MissionCurrent(a.slot);
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

TEST_F(LoginTest, TheFifthAccountAsksForTheVoiceFirst) {
  MissionCurrent(5);
  LogIn("sysop", "ludekhora");
  EXPECT_TRUE(Showing("voice"));
  EXPECT_FALSE(Showing("comp5"));
}

TEST_F(LoginTest, TheAddressPlaysNoPartOnlyTheMissionDoes) {
  MissionCurrent(3);  // a target of map 2, reached through map 1's address
  LogIn("sysop", "karelmoucha");
  EXPECT_TRUE(Showing("comp3"));
  EXPECT_TRUE(Showing("map1"));
}

TEST_F(LoginTest, ARefusalAtVelkaShowsTheCaughtScreenToo) {
  SetCriminality("Velká");
  LogIn("sysop", "heslo");
  const std::vector<std::string> visible = Screens();
  ASSERT_GE(visible.size(), 2u);
  EXPECT_EQ(visible[0], "loser");
  EXPECT_EQ(visible[1], "security");
  ExpectPromptDoneWith();
}

TEST_F(LoginTest, TheBreakersPairIsAcceptedAsItStands) {
  BypassProxy();
  StartBreaker();
  Wait(21'000);
  EXPECT_EQ(Text("login", "Text1"), "sysop");
  Click("login", "Command1");
  EXPECT_TRUE(Showing("comp1"));
  ExpectPromptDoneWith();
}

TEST_F(LoginTest, EnterSubmitsNothing) {
  Click("login", "Text1");
  Type("sysop\r");
  Click("login", "Text2");
  Type("vilemzahradka\r");
  EXPECT_TRUE(Showing("login"));
  EXPECT_FALSE(Showing("comp1"));
  EXPECT_FALSE(Showing("security"));
}

}  // namespace
}  // namespace quillon::testing
