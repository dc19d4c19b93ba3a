// The files wizard: a status text that switches once, however the wizard was created.
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

TEST_F(WizardTest, TheStatusTextSwitchesOnce800MsAfterTheLoadNotTheShow) {
  sm.IsVisible("wizard");  // loaded hidden, as a permission check of a file server does
  Wait(500);
  sm.Show("wizard");
  EXPECT_EQ(Status(), kFirstText);
  Wait(299);
  EXPECT_EQ(Status(), kFirstText);
  Wait(1);
  EXPECT_EQ(Status(), kSecondText);
  sm.Control("wizard", "Label1").SetCaption(kFirstText);
  Wait(10'000);
  EXPECT_EQ(Status(), kFirstText);         // the timer switched it once and stopped
  ASSERT_TRUE(Click("wizard", "Label2"));  // "X"
  EXPECT_FALSE(Loaded("wizard"));
}

}  // namespace
}  // namespace quillon::testing
