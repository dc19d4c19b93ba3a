#include <string>

#include "game_test.h"

namespace quillon::testing {
namespace {

class Comp4Test : public GameTest {
 protected:
  Comp4Test() {
    Wait(1600);
    sm.Show("comp4");
  }
};

TEST_F(Comp4Test, BothRefusedSectionsShowThePermissionNoticeEvenWithTheWizardOpen) {
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

class Comp5Test : public GameTest {
 protected:
  Comp5Test() {
    Wait(1600);
    sm.Show("map2");
    sm.Show("comp5");
  }
};

TEST_F(Comp5Test, TheTwoServerChecksShowTheirNoticesInFrontOfThePage) {
  ASSERT_TRUE(Click("comp5", "Label4"));
  EXPECT_EQ(Screens().front(), "kontrola");
  ASSERT_TRUE(Click("comp5", "Label5"));
  EXPECT_EQ(Screens().front(), "ok");
  EXPECT_TRUE(Showing("kontrola"));
  EXPECT_TRUE(Showing("comp5"));
}

TEST_F(Comp5Test, LoggingOutClosesThePageAndTheMapAndStopsTheTrace) {
  sm.Show("login");
  sm.SetVisible("login", false);
  sm.Control("map2", "Label8").SetCaption("150");
  sm.Control("map2", "Timer1").SetEnabled(true);
  Wait(200 * 100);
  ASSERT_EQ(Text("map2", "Label8"), "50");

  ASSERT_TRUE(Click("comp5", "Label6"));
  EXPECT_FALSE(Loaded("comp5"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_TRUE(Loaded("login"));  // only the page and the map go

  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");
}

}  // namespace
}  // namespace quillon::testing
