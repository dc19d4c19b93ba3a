// The message board between the rewards that examples/full-game.qs collects: what a done icon
// and a message's reply leave alone.
#include <set>
#include <string>

#include "game_test.h"

namespace quillon::testing {
namespace {

class BoardTest : public GameTest {
 protected:
  BoardTest() { Wait(1600); }

  std::set<int> VisibleIcons() const {
    std::set<int> icons;
    for (int icon = 1; icon <= 15; ++icon) {
      if (ControlVisible("board", "Picture" + std::to_string(icon))) icons.insert(icon);
    }
    return icons;
  }
  std::string Money() const { return Text("Statistika", "Label3"); }
};

TEST_F(BoardTest, DoneIconsOnlyRepeatTheNoticeAndRepliesPayNothing) {
  Click("board", "Picture1");
  EXPECT_EQ(VisibleIcons(), std::set<int>{1});  // opening a message changes nothing
  sm.Control("Statistika", "Label2").SetCaption("Málo známý");  // mission 1 carried out
  Click("Message", "Command1");
  EXPECT_EQ(VisibleIcons(), std::set<int>{6});
  EXPECT_EQ(Money(), "0");
  Click("board", "Picture6");
  Click("miseok", "Picture1");
  Click("board", "Picture2");
  sm.Control("Statistika", "Label2").SetCaption("Středně známý");
  Click("Message2", "Command1");
  Click("board", "Picture8");
  Click("miseok", "Picture1");
  ASSERT_EQ(VisibleIcons(), (std::set<int>{3, 7, 9}));
  ASSERT_EQ(Money(), "56 000");

  for (const char* done : {"Picture7", "Picture9", "Picture7"}) {
    Click("board", done);
    EXPECT_EQ(Screens().front(), "miseok") << done;
    EXPECT_EQ(VisibleIcons(), (std::set<int>{3, 7, 9})) << done;
    EXPECT_EQ(Money(), "56 000") << done;
    EXPECT_FALSE(Loaded("Message")) << done;
    EXPECT_FALSE(Loaded("Message2")) << done;
    Click("miseok", "Picture1");
  }
}

}  // namespace
}  // namespace quillon::testing
