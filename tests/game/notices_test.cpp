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

const char* const kNotices[] = {"noconnect",  "ok",      "kontrola",    "kontakt",
                                "proxy",      "miseok",  "nekompletni", "nemazat",
                                "neniserver", "priloha", "trojan"};

TEST_F(NoticeTest, EveryNoticeClosesOnItsPictureAndComesBackAsDesigned) {
  for (const char* notice : kNotices) {
    sm.Show(notice);
    sm.Show(notice);  // a second Show only brings it to the front
    const std::vector<std::string> screens = Screens();
    EXPECT_EQ(screens.front(), notice);
    EXPECT_EQ(std::count(screens.begin(), screens.end(), notice), 1);
    sm.Control(notice, "Label1").SetCaption("changed");
    EXPECT_TRUE(Click(notice, "Picture1")) << notice;
    EXPECT_FALSE(Loaded(notice)) << notice;
    sm.Show(notice);
    EXPECT_NE(Text(notice, "Label1"), "changed") << notice;
    Click(notice, "Picture1");
  }
}

TEST_F(NoticeTest, NoticesAreCentredExceptTheFailedConnection) {
  for (const char* notice : kNotices) {
    const engine::ScreenDesign& design = *sm.Design(notice);
    if (std::string(notice) == "noconnect") {
      EXPECT_EQ(design.Left(), 6000);
      EXPECT_EQ(design.Top(), 4965);
    } else {
      EXPECT_NEAR(design.Left() * 2 + design.width, engine::kDesktopWidth, 1) << notice;
      EXPECT_NEAR(design.Top() * 2 + design.height, engine::kDesktopHeight, 1) << notice;
    }
  }
}

TEST_F(NoticeTest, TheSoundErrorHasTwoLinesAndClosesOnItsOwnPicture) {
  sm.Show("error");
  EXPECT_EQ(Text("error", "Label4"), "CHYBA PROGRAMU");
  EXPECT_FALSE(Text("error", "Label2").empty());
  EXPECT_TRUE(Click("error", "error"));
  EXPECT_FALSE(Loaded("error"));
}

}  // namespace
}  // namespace quillon::testing
