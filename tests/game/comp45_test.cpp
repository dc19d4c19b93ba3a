// The fourth and fifth targets: pages of sections, each opening its notice.
#include <string>

#include "game_test.h"

namespace quillon::testing {
namespace {

class Comp45Test : public GameTest {
 protected:
  Comp45Test() { Wait(1600); }
};

TEST_F(Comp45Test, TheFourthTargetsSectionsAreRefusedEvenWithTheWizardOpen) {
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

TEST_F(Comp45Test, TheFifthTargetsChecksShowTheirNoticesAndLoggingOutStopsTheTrace) {
  sm.Show("login");
  sm.SetVisible("login", false);
  sm.Show("map2");
  sm.Show("comp5");
  ASSERT_TRUE(Click("comp5", "Label4"));
  EXPECT_EQ(Screens().front(), "kontrola");
  ASSERT_TRUE(Click("comp5", "Label5"));
  EXPECT_EQ(Screens().front(), "ok");
  EXPECT_TRUE(Showing("kontrola"));

  sm.Control("map2", "Label8").SetCaption("150");
  sm.Control("map2", "Timer1").SetEnabled(true);
  Wait(200 * 100);
  ASSERT_EQ(Text("map2", "Label8"), "50");
  ASSERT_TRUE(Click("comp5", "Label6"));  // "Odhlásit se"
  EXPECT_FALSE(Loaded("comp5"));
  EXPECT_FALSE(Loaded("map2"));
  EXPECT_TRUE(Loaded("login"));  // only the page and the map go
  Wait(60'000);
  EXPECT_FALSE(Showing("security"));
  EXPECT_EQ(Text("Statistika", "Label1"), "Není");
}

}  // namespace
}  // namespace quillon::testing
