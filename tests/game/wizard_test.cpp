#include <string>

#include "game_test.h"

namespace quillon::testing {
namespace {

constexpr const char* kFirstText = "Zjištuji data o serveru";
constexpr const char* kSecondText = "Simuluji přístupová práva";

class WizardTest : public GameTest {
 protected:
  WizardTest() { Wait(1600); }

  std::string Status() const { return Text("wizard", "Label1"); }
};

TEST_F(WizardTest, TheStatusTextSwitchesOnceAfterEightHundredMilliseconds) {
  sm.Show("wizard");
  EXPECT_EQ(Status(), kFirstText);
  Wait(799);
  EXPECT_EQ(Status(), kFirstText);
  Wait(1);
  EXPECT_EQ(Status(), kSecondText);
  EXPECT_FALSE(sm.Control("wizard", "Timer1").Enabled());
  sm.Control("wizard", "Label1").SetCaption(kFirstText);
  Wait(10'000);
  EXPECT_EQ(Status(), kFirstText);  // the timer switched it once and stopped
}

TEST_F(WizardTest, CreatedHiddenByAPermissionCheckItShowsTheSecondTextAtOnce) {
  sm.Show("comp1");
  ASSERT_TRUE(Click("comp1", "Command1"));  // Copy without the permission
  EXPECT_TRUE(Showing("oprávnění"));
  ASSERT_TRUE(Loaded("wizard"));
  EXPECT_FALSE(Showing("wizard"));
  Wait(800);
  EXPECT_EQ(Status(), kSecondText);  // nobody saw it switch

  sm.Control("Programy", "Command3").SetVisible(true);  // "Files wizard" taken from message 1
  ASSERT_TRUE(Click("Programy", "Command3"));
  EXPECT_TRUE(Showing("wizard"));
  EXPECT_EQ(Status(), kSecondText);
}

TEST_F(WizardTest, ShownEarlyWhileHiddenItKeepsTheRunningTimer) {
  sm.IsVisible("wizard");
  Wait(500);
  sm.Show("wizard");
  EXPECT_EQ(Status(), kFirstText);
  Wait(300);  // 800 ms after the load, not after the Show
  EXPECT_EQ(Status(), kSecondText);
}

}  // namespace
}  // namespace quillon::testing
