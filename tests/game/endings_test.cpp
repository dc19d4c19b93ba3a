// How a game ends: caught after three alarms, caught by a refused login at "Velká", caught for
// the wrong file on the third target; or left on purpose through the credits or Escape.
#include <string>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class EndingsTest : public ConnectionTest {
 protected:
  // Connected, route bypassed and the breaker started: the trace is running.
  void StartTrace(const std::string& address) {
    Connect(address);
    BypassProxy();
    GiveTool("Command7");
    Click("Programy", "Command7");
    StartBreaker();
    ASSERT_TRUE(Showing("cracking"));
  }

  void Acknowledge() { ASSERT_TRUE(Click("security", "Command1")); }

  // The board as after the reward of mission 2: mission 3 is current, its tools taken.
  void ArrangeMission3() {
    for (const char* icon : {"Picture1", "Picture2"}) sm.Control("board", icon).SetVisible(false);
    for (const char* icon : {"Picture7", "Picture9", "Picture3"}) {
      sm.Control("board", icon).SetVisible(true);
    }
    for (const char* tool : {"Command6", "Command3", "Command7"}) GiveTool(tool);
  }

  void ExpectEnded() {
    EXPECT_TRUE(sm.Ended());
    EXPECT_TRUE(Screens().empty());
  }
};

TEST_F(EndingsTest, ThreeTracesOnEitherNetworkGetThePlayerCaught) {
  StartTrace("155.8.13.76");
  Wait(40'000);  // map 1 gives 40 seconds
  ASSERT_EQ(Screens().front(), "security");
  Acknowledge();
  EXPECT_EQ(Text("Statistika", "Label1"), "Malá");

  StartTrace("255.182.27.156");
  Wait(29'800);
  EXPECT_FALSE(Showing("security"));
  Wait(200);  // map 2 only 30
  ASSERT_EQ(Screens().front(), "security");
  Acknowledge();
  EXPECT_EQ(Text("Statistika", "Label1"), "Střední");
  EXPECT_FALSE(Showing("loser"));

  StartTrace("234.122.126.9");
  Wait(40'000);
  Acknowledge();
  EXPECT_EQ(Text("Statistika", "Label1"), "Velká");
  ASSERT_EQ(Screens().front(), "loser");

  ASSERT_TRUE(Click("loser", "Command1"));
  ExpectEnded();
}

TEST_F(EndingsTest, ARefusedLoginAtVelkaShowsTheCaughtScreenAtOnce) {
  for (const char* level : {"Malá", "Střední", "Velká"}) {
    Connect("155.8.13.76");
    LogIn("sysop", "heslo");
    ASSERT_TRUE(Showing("security"));
    Acknowledge();
    EXPECT_EQ(Text("Statistika", "Label1"), level);
  }
  ASSERT_TRUE(Showing("loser"));  // the third acknowledgement; the player carries on

  Connect("155.8.13.76");
  LogIn("Sysop", "vilemzahradka");
  EXPECT_EQ(Screens()[0], "loser");
  EXPECT_EQ(Screens()[1], "security");
  EXPECT_FALSE(Showing("comp1"));

  ASSERT_TRUE(Click("loser", "Command1"));
  ExpectEnded();
}

TEST_F(EndingsTest, DeletingTheWrongFileOnTheThirdTargetGetsThePlayerReported) {
  ArrangeMission3();
  StartTrace("255.182.27.156");
  Wait(21'000);
  EXPECT_EQ(Text("login", "Text2"), "karelmoucha");
  Click("login", "Command1");
  ASSERT_TRUE(Showing("comp3"));
  OpenWizard();

  ASSERT_TRUE(Click("comp3", "Command5"));  // a test file: that one was wanted
  EXPECT_FALSE(Showing("loser2"));
  ASSERT_TRUE(Click("comp3", "Command7"));  // "cenik.dat": not to be touched
  ASSERT_TRUE(Showing("loser2"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // no alarm: straight to the police

  ASSERT_TRUE(Click("loser2", "Command1"));
  ExpectEnded();
}

TEST_F(EndingsTest, KonecHryInMidMissionEndsThroughTheCredits) {
  ArrangeMission3();
  StartTrace("255.182.27.156");
  Wait(5'000);

  ASSERT_TRUE(Click("Statistika", "Command1"));
  ASSERT_EQ(Screens().front(), "about");
  EXPECT_EQ(sound.played.back(), "data/about.dat");
  // The desktop is on view but no longer takes the player's clicks.
  EXPECT_FALSE(Click("Programy", "Command6"));
  EXPECT_FALSE(Click("board", "Picture3"));
  EXPECT_FALSE(ControlVisible("about", "Picture2"));

  Wait(3'800);
  ASSERT_TRUE(ControlVisible("about", "Picture2"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");
  ASSERT_TRUE(Click("about", "Picture2"));
  ExpectEnded();
}

TEST_F(EndingsTest, EscapeInAnAddressBoxEndsTheGameAtOnceWhateverIsOpen) {
  StartTrace("155.8.13.76");
  Wait(21'000);
  Click("login", "Command1");
  ASSERT_TRUE(Showing("comp1"));
  OpenWizard();

  Click("connect", "Picture1");
  Click("ip", "Text3");
  Type("12");
  const size_t clicks = sound.played.size();
  sm.TypeKey(27);
  ExpectEnded();
  EXPECT_EQ(sound.played.size(), clicks);  // Escape ends before its click is played
  EXPECT_FALSE(Click("comp1", "Command7"));
}

}  // namespace
}  // namespace quillon::testing
