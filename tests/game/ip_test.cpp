// The connect button and the address entry: the server directory, the boxes and their keys,
// and what a new connection does to the current one.
#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class IpTest : public ConnectionTest {
 protected:
  std::string Box(int box) const { return Text("ip", "Text" + std::to_string(box)); }
  long Count(const std::string& screen) const {
    const std::vector<std::string> visible = Screens();
    return std::count(visible.begin(), visible.end(), screen);
  }
};

// Only the five addresses examples/full-game.qs connects to answer, typed exactly; the flooded
// server no longer does, and its entry closes.
TEST_F(IpTest, AnyOtherTextIsNoAddressAndTheEntryStaysOpenToBeCorrected) {
  for (const char* address :
       {"155.08.13.76", "155.8.13.76 ", " 155.8.13.76", "76.13.8.155", "155.8.13"}) {
    Connect(address);
    EXPECT_EQ(Front(2), (std::vector<std::string>{"noconnect", "ip"})) << address;
    EXPECT_FALSE(Showing("map1")) << address;
    Click("noconnect", "Picture1");
    Click("ip", "Command2");
  }
  sm.Control("back", "Check1").SetValue(1);
  Connect("45.103.222.39");
  EXPECT_EQ(Screens().front(), "noconnect");
  EXPECT_FALSE(Loaded("ip"));
  EXPECT_FALSE(Showing("map2"));
  Connect("96.88.173.246");  // the other addresses of map 2 still answer
  EXPECT_TRUE(Showing("map2"));
}

TEST_F(IpTest, TheThirdCharacterAndEnterMoveTheFocusOnEachKeyClicking) {
  Click("connect", "Picture1");
  Key('a');
  Key(0x159);  // ř: letters go in unfiltered, and count as characters, not bytes
  EXPECT_EQ(sm.FocusedControl(), "Text1");
  Key(0x17E);
  EXPECT_EQ(Box(1), "ařž");
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  Click("ip", "Text1");
  Type("5");  // a fourth character does not move the focus again
  EXPECT_EQ(sm.FocusedControl(), "Text1");
  Type("\b");  // back to exactly three characters: the change rule moves on again
  EXPECT_EQ(sm.FocusedControl(), "Text2");

  Type("8\r13\r76");
  EXPECT_EQ(Box(2) + "." + Box(3) + "." + Box(4), "8.13.76");
  Type("123\r");  // the last box has no rule of its own, and Enter does not connect
  EXPECT_EQ(sm.FocusedControl(), "Text4");
  EXPECT_FALSE(Showing("noconnect"));
  EXPECT_EQ(sound.played.size(), 16u);
  EXPECT_EQ(sound.played.back(), "data/ip.dat");
}

TEST_F(IpTest, WithoutTheClickSoundTheErrorShowsAndTypingGoesOn) {
  sound.playable.erase("data/ip.dat");
  Click("connect", "Picture1");
  Type("1");
  EXPECT_EQ(Screens().front(), "error");
  EXPECT_EQ(Box(1), "1");  // the character still goes into the box
  Click("ip", "Text1");    // the error notice took the activation: back to the box
  Type("5");
  Click("ip", "Text1");
  Type("5");  // the third character: the error first, then the focus moves
  EXPECT_EQ(Box(1), "155");
  EXPECT_EQ(Screens().front(), "error");
  EXPECT_EQ(Count("error"), 1);
  Click("error", "error");
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(IpTest, ConnectingAgainDropsTheConnectionWithOneNoticeAnOpenTarget) {
  Connect("155.8.13.76");
  Click("login", "Text1");
  Type("sysop");
  Connect("9.9.9.9");  // an unknown address also breaks the connection
  EXPECT_FALSE(Showing("login"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");  // hidden, not unloaded
  EXPECT_FALSE(Showing("map1"));
  EXPECT_FALSE(Loaded("připojení"));  // no target was open
  Click("noconnect", "Picture1");
  Click("ip", "Command2");

  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  Wait(1000);
  EXPECT_EQ(Text("map1", "Label7"), "195");
  sm.Show("comp1");
  sm.Show("comp3");  // a second open target
  Connect("234.122.126.9");
  EXPECT_FALSE(Loaded("comp1"));
  EXPECT_FALSE(Loaded("comp3"));
  EXPECT_FALSE(Showing("cracking"));  // the running breaker was unloaded
  EXPECT_EQ(Count("připojení"), 1);
  EXPECT_EQ(Text("map1", "Label7"), "Neaktivní");  // a fresh map
  EXPECT_FALSE(ControlVisible("map1", "Line5"));
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
}

}  // namespace
}  // namespace quillon::testing
