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
    switch (k) {
      case 1:
        sm.Control("Statistika", "Label2").SetCaption("Málo známý");
        break;
      case 2:
        sm.Control("Statistika", "Label2").SetCaption("Středně známý");
        break;
      case 3:
        sm.Control("Statistika", "Label2").SetCaption("Známý");
        break;
      case 4:
        sm.Control("Programy", "Command4").SetVisible(true);
        sm.Control("back", "Check1").SetValue(1);
        break;
      case 5:
        sm.Control("back", "mise5").SetValue(1);
        break;
    }
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
    Click("miseok", "Picture1");
  }
}

TEST_F(BoardTest, DoneIconsOnlyRepeatTheSuccessNotice) {
  for (int k = 1; k <= 4; ++k) {
    Click("board", Icon(k));
    CarryOutMission(k);
    Click(kMessages[k - 1], "Command1");
    Click("board", Icon(4 + 2 * k));
    Click("miseok", "Picture1");
  }
  const std::set<int> icons = VisibleIcons();
  ASSERT_EQ(icons, (std::set<int>{5, 7, 9, 11, 13}));
  for (int doneIcon : {7, 9, 11, 13}) {
    ASSERT_FALSE(Showing("miseok"));
    EXPECT_TRUE(Click("board", Icon(doneIcon)));
    EXPECT_EQ(Screens().front(), "miseok");
    EXPECT_EQ(VisibleIcons(), icons);
    EXPECT_EQ(Money(), "56 000");
    EXPECT_FALSE(Loaded(kMessages[(doneIcon - 7) / 2]));
    Click("miseok", "Picture1");
  }
}

TEST_F(BoardTest, ARewardIsPaidOnlyOnce) {
  Click("board", "Picture1");
  CarryOutMission(1);
  Click("Message", "Command1");
  ASSERT_TRUE(Click("board", "Picture6"));
  sm.Control("Statistika", "Label3").SetCaption("spent");
  EXPECT_FALSE(Click("board", "Picture6"));  // the first click hid it
  EXPECT_EQ(Money(), "spent");
  EXPECT_EQ(VisibleIcons(), (std::set<int>{2, 7}));
}

TEST_F(BoardTest, TheFifthRewardLeavesTheNoticeAndTheClosingCreditsOpen) {
  for (int k = 1; k <= 5; ++k) {
    Click("board", Icon(k));
    CarryOutMission(k);
    Click(kMessages[k - 1], "Command1");
    Click("board", Icon(4 + 2 * k));
  }
  EXPECT_EQ(Money(), "206 000");
  EXPECT_EQ(VisibleIcons(), (std::set<int>{7, 9, 11, 13, 15}));
  const std::vector<std::string> screens = Screens();
  ASSERT_GE(screens.size(), 2u);
  EXPECT_EQ(screens[0], "about");
  EXPECT_EQ(screens[1], "miseok");
  EXPECT_EQ(sound.played, std::vector<std::string>{"data/about.dat"});
  EXPECT_FALSE(sm.Peek("board")->enabled);  // the closing credits hold the desktop
}

TEST_F(BoardTest, TheIconOfAnOpenMessageBringsItToTheFrontWithoutResettingIt) {
  Click("board", "Picture1");
  const std::uint64_t instance = sm.Peek("Message")->instance;
  Click("Message", "Command1");  // not done yet: the notice covers the message
  ASSERT_EQ(Screens().front(), "nekompletni");
  EXPECT_TRUE(Click("board", "Picture1"));
  EXPECT_EQ(Screens().front(), "Message");
  EXPECT_EQ(sm.Peek("Message")->instance, instance);
  EXPECT_TRUE(Showing("nekompletni"));
}

}  // namespace
}  // namespace quillon::testing
