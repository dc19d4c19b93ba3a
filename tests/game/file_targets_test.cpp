// The three file servers: Copy and Del on each row, with the files wizard as the permission, and
// the wizard's status text. The files the missions take are played by examples/full-game.qs.
#include <string>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

class FileTargetTest : public ConnectionTest {
 protected:
  // Whether a row's file is listed: its name shows, and its Del takes a click.
  bool Listed(const std::string& screen, int row) {
    const bool named = ControlVisible(screen, "Label" + std::to_string(2 + row));
    const bool deletable = ControlVisible(screen, "Command" + std::to_string(row + 4));
    EXPECT_EQ(named, deletable) << screen << " row " << row;
    return named;
  }
  std::string Popularity() const { return Text("Statistika", "Label2"); }
  void Copy(const std::string& screen, int row) { Click(screen, "Command" + std::to_string(row)); }
  void Del(const std::string& screen, int row) {
    Click(screen, "Command" + std::to_string(row + 4));
  }
};

TEST_F(FileTargetTest, WithoutTheWizardEveryCommandIsRefusedAndNothingChanges) {
  for (const char* screen : {"comp1", "Comp2", "comp3"}) {
    sm.Show(screen);
    for (int row = 1; row <= 4; ++row) {
      Copy(screen, row);
      EXPECT_EQ(Screens().front(), "oprávnění");
      Click("oprávnění", "Picture1");
      Del(screen, row);
      EXPECT_EQ(Screens().front(), "oprávnění");
      Click("oprávnění", "Picture1");
      EXPECT_TRUE(Listed(screen, row)) << screen << " " << row;
    }
  }
  EXPECT_EQ(Popularity(), "Začátečník");
  EXPECT_FALSE(Loaded("kopírování"));
  EXPECT_FALSE(Loaded("loser2"));
}

TEST_F(FileTargetTest, ThePermissionIsTheWizardShowingWhateverTargetItWasOpenedFor) {
  OpenComp1();
  OpenWizard();
  Click("map1", "Command1");
  sm.Show("comp3");
  Del("comp3", 1);
  EXPECT_FALSE(Listed("comp3", 1));
  sm.SetVisible("wizard", false);  // hidden, it grants nothing
  Del("comp3", 2);
  EXPECT_TRUE(Showing("oprávnění"));
  EXPECT_TRUE(Listed("comp3", 2));
  Click("oprávnění", "Picture1");
  sm.Show("wizard");
  Click("wizard", "Label2");  // closed, it takes the permission away
  Del("comp3", 2);
  EXPECT_TRUE(Showing("oprávnění"));
}

// The other files of the first two targets go or are copied without a word; those of the third
// call the police.
TEST_F(FileTargetTest, OtherFilesLeaveThePopularityAndOnComp3CallThePolice) {
  sm.Show("wizard");
  sm.Show("comp1");
  for (int row : {1, 2, 4}) {
    Del("comp1", row);
    EXPECT_FALSE(Listed("comp1", row)) << row;
  }
  sm.Show("Comp2");
  for (int row : {1, 2, 3}) {
    Copy("Comp2", row);
    EXPECT_EQ(Screens().front(), "kopírování") << row;
    EXPECT_TRUE(Listed("Comp2", row)) << "a copy leaves the row";
    Click("kopírování", "Picture1");
  }
  EXPECT_EQ(Popularity(), "Začátečník");
  sm.Show("comp3");
  for (int row : {3, 4}) {
    sm.Unload("loser2");
    Del("comp3", row);
    EXPECT_FALSE(Listed("comp3", row));
    EXPECT_EQ(Screens().front(), "loser2");
    EXPECT_TRUE(Showing("comp3"));                    // stays open behind it
    EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // no alarm: straight to the police
  }
  ASSERT_TRUE(Click("loser2", "Command1"));
  EXPECT_TRUE(sm.Ended());
}

constexpr const char* kFirstText = "Zjištuji data o serveru";
constexpr const char* kSecondText = "Simuluji přístupová práva";

TEST_F(FileTargetTest, WizardsStatusTextSwitchesOnce800MsAfterTheLoadNotTheShow) {
  const auto status = [this] { return Text("wizard", "Label1"); };
  sm.IsVisible("wizard");  // loaded hidden, as a permission check of a file server does
  Wait(500);
  sm.Show("wizard");
  EXPECT_EQ(status(), kFirstText);
  Wait(299);
  EXPECT_EQ(status(), kFirstText);
  Wait(1);
  EXPECT_EQ(status(), kSecondText);
  sm.Control("wizard", "Label1").SetCaption(kFirstText);
  Wait(10'000);
  EXPECT_EQ(status(), kFirstText);         // the timer switched it once and stopped
  ASSERT_TRUE(Click("wizard", "Label2"));  // "X"
  EXPECT_FALSE(Loaded("wizard"));
}

}  // namespace
}  // namespace quillon::testing
