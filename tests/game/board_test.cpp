#include <set>
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

std::string Icon(int number) {
  return "Picture" + std::to_string(number);
}

class BoardTest : public GameTest {
 protected:
  BoardTest() { Wait(1600); }

  std::set<int> VisibleIcons() const {
    std::set<int> icons;
    for (int icon = 1; icon <= 15; ++icon) {
      if (ControlVisible("board", Icon(icon))) icons.insert(icon);
    }
    return icons;
  }

  // What the targets and tools leave behind when mission `k` has been carried out.
  void CarryOutMission(int k) {
    const char* const popularity[] = {"Málo známý", "Středně známý", "Známý"};
    if (k <= 3) sm.Control("Statistika", "Label2").SetCaption(popularity[k - 1]);
    if (k == 4) {
      sm.Control("Programy", "Command4").SetVisible(true);
      sm.Control("back", "Check1").SetValue(1);
    }
    if (k == 5) sm.Control("back", "mise5").SetValue(1);
  }

  std::string Money() const { return Text("Statistika", "Label3"); }
};

const char* const kMessages[] = {"Message", "Message2", "Message3", "Message4", "Message5"};
const char* const kMoneyAfter[] = {"20 000", "56 000", "56 000", "56 000", "206 000"};

TEST_F(BoardTest, EachSlotGoesFromMessageToRewardToDoneAndOpensTheNext) {
  std::set<int> done;
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    const int reward = 4 + 2 * k;  // Picture6, 8, 10, 12, 14
    const int finished = reward + 1;
    SCOPED_TRACE(message);

    std::set<int> expected = done;
    expected.insert(k);
    EXPECT_EQ(VisibleIcons(), expected);

    ASSERT_TRUE(Click("board", Icon(k)));
    EXPECT_EQ(Screens().front(), message);
    EXPECT_EQ(VisibleIcons(), expected);  // opening a message changes nothing on the board

    CarryOutMission(k);
    ASSERT_TRUE(Click(message, "Command1"));
    EXPECT_FALSE(Loaded(message));
    expected.erase(k);
    expected.insert(reward);
    EXPECT_EQ(VisibleIcons(), expected);
    EXPECT_EQ(Money(), k == 1 ? "0" : kMoneyAfter[k - 2]);  // the reply pays nothing

    ASSERT_TRUE(Click("board", Icon(reward)));
    EXPECT_TRUE(Showing("miseok"));
    EXPECT_EQ(Money(), kMoneyAfter[k - 1]);
    done.insert(finished);
    expected = done;
    if (k < 5) expected.insert(k + 1);
    EXPECT_EQ(VisibleIcons(), expected);
    if (k == 5) break;
    Click("miseok", "Picture1");

    // A done icon only repeats the success notice.
    for (int doneIcon : done) {
      ASSERT_TRUE(Click("board", Icon(doneIcon)));
      EXPECT_EQ(Screens().front(), "miseok");
      EXPECT_EQ(VisibleIcons(), expected);
      EXPECT_EQ(Money(), kMoneyAfter[k - 1]);
      EXPECT_FALSE(Loaded(kMessages[(doneIcon - 7) / 2]));
      Click("miseok", "Picture1");
    }
  }
  // The fifth reward leaves the notice under the closing credits, which hold the desktop.
  const std::vector<std::string> screens = Screens();
  ASSERT_GE(screens.size(), 2u);
  EXPECT_EQ(screens[0], "about");
  EXPECT_EQ(screens[1], "miseok");
  EXPECT_EQ(sound.played, std::vector<std::string>{"data/about.dat"});
  EXPECT_FALSE(sm.Peek("board")->enabled);
}

}  // namespace
}  // namespace quillon::testing
