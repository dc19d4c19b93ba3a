// The notice screens: each closes on its picture, and the refusal that rewords itself.
#include <algorithm>
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class NoticeTest : public GameTest {
 protected:
  NoticeTest() { Wait(1600); }
};

TEST_F(NoticeTest, EveryNoticeClosesOnItsPictureAndComesBackAsDesigned) {
  for (const char* notice :
       {"noconnect", "ok", "kontrola", "kontakt", "proxy", "miseok", "nekompletni", "nemazat",
        "neniserver", "priloha", "trojan", "oprávnění", "kopírování", "připojení"}) {
    const std::vector<std::string> before = Screens();
    sm.Show(notice);
    sm.Show(notice);  // a second Show only brings it to the front
    const std::vector<std::string> screens = Screens();
    EXPECT_EQ(screens.front(), notice);
    EXPECT_EQ(std::count(screens.begin(), screens.end(), notice), 1);
    sm.Control(notice, "Label1").SetCaption("changed");
    EXPECT_TRUE(Click(notice, "Picture1")) << notice;
    EXPECT_EQ(Screens(), before) << notice;  // unloaded, and no other effect
    sm.Show(notice);
    EXPECT_NE(Text(notice, "Label1"), "changed") << notice;
    Click(notice, "Picture1");
  }
}

constexpr const char* kRefused = "Nemáte oprávnění provést tuhle operaci";
constexpr const char* kRefusedSection = "Nemáte opravnění vstoupit do této sekce";

TEST_F(NoticeTest, TheRefusalIsRewordedOnlyWhenClickedWhileTheFourthTargetShows) {
  sm.Show("oprávnění");  // as a refused Copy on the first target shows it
  sm.Show("comp5");
  EXPECT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);
  sm.Show("comp4");
  sm.SetVisible("comp4", false);  // loaded, but hidden
  Click("oprávnění", "Label1");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);
  Click("oprávnění", "Picture1");

  sm.Show("comp4");
  ASSERT_TRUE(Click("comp4", "Label3"));             // "Administarce"
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);  // not reworded when it opens
  EXPECT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefusedSection);
  Click("comp4", "Label4");  // opened again while open: brought forward, text kept
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefusedSection);
  ASSERT_TRUE(Click("oprávnění", "Picture1"));
  Click("comp4", "Label3");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);
}

}  // namespace
}  // namespace quillon::testing
