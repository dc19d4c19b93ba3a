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

TEST_F(Comp4Test, ShowsTheCompanysWelcomePageAndMenu) {
  EXPECT_EQ(Screens().front(), "comp4");
  EXPECT_EQ(sm.Design("comp4")->caption, "BCCD s.r.o.");
  EXPECT_EQ(Text("comp4", "Label11"), "BCCD s.r.o.");
  EXPECT_EQ(Text("comp4", "Label1"), "Vítejte na serveru firmy BCCD s.r.o.");
  EXPECT_EQ(Text("comp4", "Label2"), "Kontakt");
  EXPECT_EQ(Text("comp4", "Label3"), "Administarce");
  EXPECT_EQ(Text("comp4", "Label4"), "Zpráva souborů");
}

TEST_F(Comp4Test, KontaktShowsTheTwoAddressesAndASecondClickKeepsOneNotice) {
  ASSERT_TRUE(Click("comp4", "Label2"));
  EXPECT_EQ(Screens().front(), "kontakt");
  const std::string addresses = Text("kontakt", "Label1");
  EXPECT_NE(addresses.find(" nebo "), std::string::npos);
  EXPECT_NE(addresses.find('@'), addresses.rfind('@'));  // two addresses

  ASSERT_TRUE(Click("comp4", "Label2"));
  EXPECT_EQ(Screens().front(), "kontakt");
  ASSERT_TRUE(Click("kontakt", "Picture1"));
  EXPECT_FALSE(Loaded("kontakt"));
  EXPECT_TRUE(Showing("comp4"));
}

TEST_F(Comp4Test, BothRefusedSectionsShowThePermissionNoticeEvenWithTheWizardOpen) {
  for (const char* section : {"Label3", "Label4"}) {
    ASSERT_TRUE(Click("comp4", section)) << section;
    EXPECT_EQ(Screens().front(), "oprávnění") << section;
    EXPECT_EQ(Text("oprávnění", "Label1"), "Nemáte oprávnění provést tuhle operaci");
    ASSERT_TRUE(Click("oprávnění", "Picture1"));
  }
  sm.Show("wizard");
  for (const char* section : {"Label3", "Label4"}) {
    ASSERT_TRUE(Click("comp4", section)) << section;
    EXPECT_EQ(Screens().front(), "oprávnění") << section;
    ASSERT_TRUE(Click("oprávnění", "Picture1"));
  }
  EXPECT_TRUE(Showing("comp4"));
}

TEST_F(Comp4Test, ThePermissionNoticeIsRewordedOnlyWhenItsTextIsClicked) {
  ASSERT_TRUE(Click("comp4", "Label3"));
  EXPECT_EQ(Text("oprávnění", "Label1"), "Nemáte oprávnění provést tuhle operaci");
  ASSERT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), "Nemáte opravnění vstoupit do této sekce");

  ASSERT_TRUE(Click("oprávnění", "Picture1"));
  ASSERT_TRUE(Click("comp4", "Label4"));
  EXPECT_EQ(Text("oprávnění", "Label1"), "Nemáte oprávnění provést tuhle operaci");
}

class Comp5Test : public GameTest {
 protected:
  Comp5Test() {
    Wait(1600);
    sm.Show("map2");
    sm.Show("comp5");
  }
};

TEST_F(Comp5Test, ShowsTheRoleAndTheServerMenu) {
  EXPECT_EQ(Screens().front(), "comp5");
  EXPECT_EQ(Text("comp5", "Label11"), "NBS (Národní Bezpečnostní Služba)");
  EXPECT_EQ(Text("comp5", "Label1"), "Jste přihlášen jako:");
  EXPECT_EQ(Text("comp5", "Label2"), "Administrátor");
  EXPECT_EQ(Text("comp5", "Label3"),
            "Nemáte žádná přístupová práva do složek o bezpečnosti státu. Vaším úkolem je pouze "
            "se starat o bezproblémový chod serveru.");
  EXPECT_EQ(Text("comp5", "Label6"), "Odhlásit se");
}

TEST_F(Comp5Test, TheTwoServerChecksShowTheirNoticesInFrontOfThePage) {
  ASSERT_TRUE(Click("comp5", "Label4"));
  EXPECT_EQ(Screens().front(), "kontrola");
  EXPECT_EQ(Text("kontrola", "Label1"),
            "Server je v bořádku veškerá bezpečnostní opatření funkční");
  ASSERT_TRUE(Click("comp5", "Label5"));
  EXPECT_EQ(Screens().front(), "ok");
  EXPECT_EQ(Text("ok", "Label1"), "Zatížení serveru je v normě");
  EXPECT_TRUE(Showing("kontrola"));
  EXPECT_TRUE(Showing("comp5"));
}

TEST_F(Comp5Test, ThePermissionNoticeStaysUnchangedWithOnlyComp5Open) {
  sm.Show("oprávnění");
  ASSERT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), "Nemáte oprávnění provést tuhle operaci");
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
