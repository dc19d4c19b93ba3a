#include <algorithm>
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

constexpr const char* kRefused = "Nemáte oprávnění provést tuhle operaci";
constexpr const char* kRefusedSection = "Nemáte opravnění vstoupit do této sekce";

class TargetNoticeTest : public GameTest {
 protected:
  TargetNoticeTest() { Wait(1600); }
};

TEST_F(TargetNoticeTest, TheRefusalIsRewordedWhenClickedWhileTheFourthTargetIsOpen) {
  sm.Show("comp4");
  ASSERT_TRUE(Click("comp4", "Label3"));  // "Administarce"
  ASSERT_EQ(Screens().front(), "oprávnění");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);  // not reworded when it opens

  EXPECT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefusedSection);
  Click("comp4", "Label4");  // opened again while open: brought forward, text kept
  EXPECT_EQ(Screens().front(), "oprávnění");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefusedSection);

  ASSERT_TRUE(Click("oprávnění", "Picture1"));
  EXPECT_FALSE(Loaded("oprávnění"));
  Click("comp4", "Label3");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);
}

TEST_F(TargetNoticeTest, WithoutTheFourthTargetOnViewTheTextStays) {
  sm.Show("oprávnění");  // as a refused Copy on the first target shows it
  EXPECT_TRUE(Click("oprávnění", "Label1"));
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);

  sm.Show("comp4");
  sm.SetVisible("comp4", false);  // loaded, but hidden
  Click("oprávnění", "Label1");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);

  sm.Show("comp5");
  Click("oprávnění", "Label1");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefused);

  sm.Show("comp4");  // whatever opened the notice, only the fourth target counts
  Click("oprávnění", "Label1");
  EXPECT_EQ(Text("oprávnění", "Label1"), kRefusedSection);
}

TEST_F(TargetNoticeTest, EachNoticeIsOneCentredScreenThatClosesOnItsPicture) {
  const std::vector<std::pair<std::string, std::string>> notices{
      {"oprávnění", "Chyba"},
      {"kopírování", "Kopírování dokončeno"},
      {"připojení", "Disconnect"},
  };
  for (const auto& [notice, title] : notices) {
    const std::vector<std::string> before = Screens();
    sm.Show(notice);
    sm.Show(notice);
    const std::vector<std::string> screens = Screens();
    EXPECT_EQ(std::count(screens.begin(), screens.end(), notice), 1) << notice;
    EXPECT_EQ(Text(notice, "Label4"), title);
    const engine::ScreenDesign& design = *sm.Design(notice);
    EXPECT_NEAR(design.Left() * 2 + design.width, engine::kDesktopWidth, 1) << notice;
    EXPECT_NEAR(design.Top() * 2 + design.height, engine::kDesktopHeight, 1) << notice;
    const engine::ControlDesign& text = *design.Find("Label1");
    EXPECT_LE(text.left + text.width, design.width) << notice;

    EXPECT_TRUE(Click(notice, "Picture1"));
    EXPECT_FALSE(Loaded(notice));
    EXPECT_EQ(Screens(), before) << notice;  // closing has no other effect
  }
}

}  // namespace
}  // namespace quillon::testing
