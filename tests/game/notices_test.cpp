// The notice screens: each closes on its picture; the refusal that rewords itself; the fourth and
// fifth targets' pages of sections, each opening its notice.
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class NoticeTest : public GameTest {
 protected:
  NoticeTest() { Wait(1600); }
};

TEST_F(NoticeTest, EveryNoticeClosesOnItsPictureAndLeavesTheRestAsItWas) {
  for (const char* notice :
       {"noconnect", "ok", "kontrola", "kontakt", "proxy", "miseok", "nekompletni", "nemazat",
        "neniserver", "priloha", "trojan", "oprávnění", "kopírování", "připojení"}) {
    const std::vector<std::string> before = Screens();
    sm.Show(notice);
    EXPECT_EQ(Screens().front(), notice);
    EXPECT_TRUE(Click(notice, "Picture1")) << notice;
    EXPECT_EQ(Screens(), before) << notice;
    EXPECT_FALSE(Loaded(notice)) << notice;
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

TEST_F(NoticeTest, TheFourthTargetsSectionsAreRefusedEvenWithTheWizardOpen) {
  sm.Show("comp4");
  ASSERT_TRUE(Click("comp4", "Label2"));  // "Kontakt"
  EXPECT_EQ(Screens().front(), "kontakt");
  for (bool wizard : {false, true}) {
    if (wizard) sm.Show("wizard");
    for (const char* section : {"Label3", "Label4"}) {
      ASSERT_TRUE(Click("comp4", section)) << section;
      EXPECT_EQ(Screens().front(), "oprávnění") << section;
      ASSERT_TRUE(Click("oprávnění", "Picture1"));
    }
  }
  EXPECT_TRUE(Showing("comp4"));
}

// Logging out, which ends the connection and its trace, is played by examples/full-game.qs.
TEST_F(NoticeTest, TheFifthTargetsChecksShowTheirNotices) {
  sm.Show("comp5");
  ASSERT_TRUE(Click("comp5", "Label4"));
  EXPECT_EQ(Screens().front(), "kontrola");
  ASSERT_TRUE(Click("comp5", "Label5"));
  EXPECT_EQ(Screens().front(), "ok");
  EXPECT_TRUE(Showing("kontrola"));
}

}  // namespace
}  // namespace quillon::testing
