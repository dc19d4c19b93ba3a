#include <algorithm>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class IpTest : public ConnectionTest {
 protected:
  std::string Box(int box) const { return Text("ip", "Text" + std::to_string(box)); }
  // The box that has the focus on `ip`, also while another screen is active.
  std::string BoxWithFocus() const {
    const engine::ScreenState* ip = sm.Peek("ip");
    return ip->design->controls[static_cast<size_t>(ip->focus)].name;
  }
};

TEST_F(IpTest, TheConnectPictureAndItsBorderBothOpenTheAddressEntry) {
  for (const char* control : {"Picture1", "Image1"}) {
    EXPECT_TRUE(Click("connect", control));
    EXPECT_EQ(Screens().front(), "ip") << control;
    EXPECT_EQ(sm.FocusedControl(), "Text1") << control;
    Click("ip", "Command2");  // Storno
    EXPECT_FALSE(Loaded("ip")) << control;
  }
}

// --- The server directory ----------------------------------------------------------------

struct Row {
  const char* address;
  const char* map;
};

class IpDirectoryTest : public IpTest, public ::testing::WithParamInterface<Row> {};

TEST_P(IpDirectoryTest, AListedAddressOpensItsMapAndAnEmptyLoginPrompt) {
  const Row row = GetParam();
  const std::string otherMap = std::string(row.map) == "map1" ? "map2" : "map1";
  Connect(row.address);
  EXPECT_FALSE(Loaded("ip"));
  EXPECT_TRUE(Showing(row.map));
  EXPECT_FALSE(Showing(otherMap));
  EXPECT_EQ(Screens().front(), "login");
  EXPECT_EQ(Text("login", "Text1"), "");
  EXPECT_EQ(Text("login", "Text2"), "");
  EXPECT_FALSE(Showing("noconnect"));
}

INSTANTIATE_TEST_SUITE_P(FiveRows, IpDirectoryTest,
                         ::testing::Values(Row{"155.8.13.76", "map1"}, Row{"234.122.126.9", "map1"},
                                           Row{"255.182.27.156", "map2"},
                                           Row{"96.88.173.246", "map2"},
                                           Row{"45.103.222.39", "map2"}));

TEST_F(IpTest, AddressesAreComparedAsExactTextPartByPart) {
  for (const char* address :
       {"155.08.13.76", "155.8.13.76 ", " 155.8.13.76", "155.8.13.77", "76.13.8.155", "155.8.13"}) {
    Connect(address);
    EXPECT_TRUE(Showing("noconnect")) << address;
    EXPECT_TRUE(Showing("ip")) << address;  // stays open, as typed, to be corrected
    EXPECT_FALSE(Showing("map1")) << address;
    EXPECT_FALSE(Showing("login")) << address;
    Click("noconnect", "Picture1");
    Click("ip", "Command2");
  }
}

TEST_F(IpTest, TheDestroyedServerNoLongerAnswersAndTheEntryCloses) {
  sm.Control("back", "Check1").SetValue(1);
  Connect("45.103.222.39");
  EXPECT_TRUE(Showing("noconnect"));
  EXPECT_FALSE(Loaded("ip"));
  EXPECT_FALSE(Showing("map2"));
  EXPECT_FALSE(Showing("login"));
  // The other addresses of map 2 still answer.
  Connect("96.88.173.246");
  EXPECT_TRUE(Showing("map2"));
}

// --- Boxes, focus and keys -----------------------------------------------------------------

TEST_F(IpTest, TheThirdCharacterAndEnterMoveTheFocusOn) {
  Click("connect", "Picture1");
  sm.TypeKey('a');
  sm.TypeKey(0x159);  // ř: letters go in unfiltered, and count as characters, not bytes
  EXPECT_EQ(sm.FocusedControl(), "Text1");
  sm.TypeKey(0x17E);
  EXPECT_EQ(Box(1), "ařž");
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  Click("ip", "Text1");
  Type("5");  // a fourth character does not move the focus again
  EXPECT_EQ(sm.FocusedControl(), "Text1");
  Type("\b");  // back to exactly three characters: the change rule moves on again
  EXPECT_EQ(sm.FocusedControl(), "Text2");

  Type("8");
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  Type("\r");
  EXPECT_EQ(sm.FocusedControl(), "Text3");
  Type("13\r76");
  EXPECT_EQ(sm.FocusedControl(), "Text4");
  EXPECT_EQ(Box(2) + "." + Box(3) + "." + Box(4), "8.13.76");
  Type("123\r");  // the last box has no rule of its own, and Enter does not connect
  EXPECT_EQ(sm.FocusedControl(), "Text4");
  EXPECT_TRUE(Showing("ip"));
  EXPECT_FALSE(Showing("noconnect"));
}

class IpEscapeTest : public IpTest, public ::testing::WithParamInterface<int> {};

TEST_P(IpEscapeTest, EscapeInAnyBoxEndsTheGame) {
  Click("connect", "Picture1");
  Click("ip", "Text" + std::to_string(GetParam()));
  Type("1");
  sound.played.clear();
  Type("\x1b");
  EXPECT_TRUE(sm.Ended());
  EXPECT_TRUE(Screens().empty());
  EXPECT_TRUE(sound.played.empty());
  Wait(10'000);  // nothing ticks any more
  EXPECT_TRUE(Screens().empty());
}

INSTANTIATE_TEST_SUITE_P(FourBoxes, IpEscapeTest, ::testing::Values(1, 2, 3, 4));

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
  EXPECT_EQ(sm.FocusedControl(), "");
  EXPECT_EQ(Screens().front(), "error");
  std::vector<std::string> visible = Screens();
  EXPECT_EQ(std::count(visible.begin(), visible.end(), "error"), 1);
  Click("error", "error");
  EXPECT_EQ(sm.FocusedControl(), "Text2");
  Type("\r");  // Enter moves the focus before its sound fails
  EXPECT_TRUE(Showing("error"));
  EXPECT_EQ(BoxWithFocus(), "Text3");
  EXPECT_TRUE(sound.played.empty());
}

// --- Connect breaks the current connection ---------------------------------------------------

TEST_F(IpTest, ConnectingAgainOpensAFreshMapAndStopsTheBreaker) {
  Connect("155.8.13.76");
  BypassProxy();
  StartBreaker();
  Wait(1000);
  EXPECT_EQ(Text("map1", "Label7"), "195");
  EXPECT_TRUE(Showing("cracking"));

  Connect("234.122.126.9");
  EXPECT_TRUE(Showing("map1"));
  EXPECT_EQ(Text("map1", "Label7"), "Neaktivní");
  EXPECT_FALSE(ControlVisible("map1", "Line5"));
  EXPECT_FALSE(Showing("cracking"));  // the running breaker was unloaded
  Wait(60'000);
  EXPECT_EQ(Text("map1", "Label7"), "Neaktivní");
  EXPECT_FALSE(Showing("security"));

  Connect("255.182.27.156");  // the other network closes the first map
  EXPECT_TRUE(Showing("map2"));
  EXPECT_FALSE(Showing("map1"));
}

TEST_F(IpTest, TheLoginPromptIsOnlyHiddenByAnUnknownAddress) {
  Connect("155.8.13.76");
  Click("login", "Text1");
  Type("sysop");
  Connect("9.9.9.9");
  EXPECT_FALSE(Showing("login"));
  EXPECT_FALSE(Showing("map1"));
  EXPECT_EQ(Text("login", "Text1"), "sysop");  // hidden, not unloaded
}

TEST_F(IpTest, EveryOpenTargetIsUnloadedWithOneNoticeEachAndAHiddenOneIsLeftAlone) {
  OpenComp1();
  OpenWizard();
  Click("comp1", "Command5");  // a row deleted: gone until comp1 is unloaded
  Click("map1", "Command1");   // Disconnect only hides comp1
  Connect("155.8.13.76");
  EXPECT_FALSE(Showing("připojení"));
  EXPECT_FALSE(ControlVisible("comp1", "Label3"));

  sm.Show("comp1");
  sm.Show("comp3");    // a second open target
  Connect("1.2.3.4");  // also an unknown address breaks the connection
  EXPECT_FALSE(Loaded("comp1"));
  EXPECT_FALSE(Loaded("comp3"));
  EXPECT_TRUE(Showing("připojení"));
  EXPECT_TRUE(Showing("noconnect"));
  EXPECT_FALSE(Showing("map1"));
  std::vector<std::string> visible = Screens();
  EXPECT_EQ(std::count(visible.begin(), visible.end(), "připojení"), 1);
}

}  // namespace
}  // namespace quillon::testing
