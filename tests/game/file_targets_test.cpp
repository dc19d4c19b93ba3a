// The three file servers: Copy and Del on each row, with the files wizard as the permission.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "connection_steps.h"

namespace quillon::testing {
namespace {

// The eight controls of each row.
const std::array<std::array<const char*, 8>, 4> kRows{{
    {"Label3", "Label7", "Command1", "Command5", "Label12", "Label13", "Shape3", "Shape4"},
    {"Label4", "Label8", "Command2", "Command6", "Label14", "Label15", "Shape5", "Shape6"},
    {"Label5", "Label9", "Command3", "Command7", "Label16", "Label17", "Shape7", "Shape8"},
    {"Label6", "Label10", "Command4", "Command8", "Label18", "Label19", "Shape9", "Shape10"},
}};

class FileTargetTest : public ConnectionTest {
 protected:
  // The row's eight controls all visible (1), all hidden (0), or a mix (-1).
  int RowShown(const std::string& screen, int row) {
    int shown = 0;
    for (const char* control : kRows[static_cast<size_t>(row - 1)]) {
      if (ControlVisible(screen, control)) ++shown;
    }
    return shown == 8 ? 1 : shown == 0 ? 0 : -1;
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
      EXPECT_EQ(RowShown(screen, row), 1) << screen << " " << row;
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
  EXPECT_EQ(RowShown("comp3", 1), 0);
  sm.SetVisible("wizard", false);  // hidden, it grants nothing
  Del("comp3", 2);
  EXPECT_TRUE(Showing("oprávnění"));
  EXPECT_EQ(RowShown("comp3", 2), 1);
  Click("oprávnění", "Picture1");
  sm.Show("wizard");
  Click("wizard", "Label2");  // closed, it takes the permission away
  Del("comp3", 2);
  EXPECT_TRUE(Showing("oprávnění"));
}

TEST_F(FileTargetTest, OnComp1OnlyTheMissionFileSetsThePopularity) {
  sm.Show("comp1");
  sm.Show("wizard");
  for (int row : {1, 2, 4}) {
    Del("comp1", row);
    EXPECT_EQ(RowShown("comp1", row), 0) << row;
    EXPECT_EQ(Popularity(), "Začátečník") << row;
  }
  Del("comp1", 3);
  EXPECT_EQ(RowShown("comp1", 3), 0);
  EXPECT_EQ(Popularity(), "Málo známý");
  EXPECT_FALSE(Click("comp1", "Command7"));  // a deleted row cannot be clicked again
  EXPECT_FALSE(Loaded("oprávnění"));
}

TEST_F(FileTargetTest, OnComp2ACopyLeavesTheRowAndOnlyVlasakSetsThePopularity) {
  sm.Show("Comp2");
  sm.Show("wizard");
  for (int row : {1, 2, 3}) {
    Copy("Comp2", row);
    EXPECT_EQ(Screens().front(), "kopírování") << row;
    EXPECT_EQ(Popularity(), "Začátečník") << row;
  }
  sm.Control("Statistika", "Label2").SetCaption("Známý");
  Copy("Comp2", 4);  // the goal writes its level whatever the popularity held
  EXPECT_EQ(Popularity(), "Středně známý");
  const std::vector<std::string> visible = Screens();
  EXPECT_EQ(std::count(visible.begin(), visible.end(), "kopírování"), 1);
  for (int row = 1; row <= 4; ++row) EXPECT_EQ(RowShown("Comp2", row), 1) << row;
}

TEST_F(FileTargetTest, OnComp3BothTestFilesSetTheMissionAndAnyOtherFileCallsThePolice) {
  for (const std::array<int, 2>& order : {std::array<int, 2>{1, 2}, std::array<int, 2>{2, 1}}) {
    sm.Control("Statistika", "Label2").SetCaption("Středně známý");
    sm.Unload("comp3");
    sm.Show("comp3");
    sm.Show("wizard");
    Del("comp3", order[0]);
    EXPECT_EQ(Popularity(), "Středně známý");
    Del("comp3", order[1]);
    EXPECT_EQ(Popularity(), "Známý");
    EXPECT_FALSE(Loaded("loser2"));
  }
  for (int row : {3, 4}) {
    sm.Unload("loser2");
    Del("comp3", row);
    EXPECT_EQ(RowShown("comp3", row), 0);
    EXPECT_EQ(Screens().front(), "loser2");
    EXPECT_TRUE(Showing("comp3"));                    // stays open behind it
    EXPECT_EQ(Text("Statistika", "Label1"), "Není");  // no alarm: straight to the police
  }
  ASSERT_TRUE(Click("loser2", "Command1"));
  EXPECT_TRUE(sm.Ended());
}

}  // namespace
}  // namespace quillon::testing
