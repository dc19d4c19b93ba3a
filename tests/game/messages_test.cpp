// The five mission messages: replies before their task is done, Storno and Smazat.
#include <set>
#include <string>

#include "game_test.h"

namespace quillon::testing {
namespace {

const char* const kMessages[] = {"Message", "Message2", "Message3", "Message4", "Message5"};

class MessageTest : public GameTest {
 protected:
  MessageTest() { Wait(1600); }

  // Puts mission k's message icon on the board and opens the message from it.
  void Open(int k) {
    sm.Control("board", "Picture" + std::to_string(k)).SetVisible(true);
    ASSERT_TRUE(Click("board", "Picture" + std::to_string(k)));
  }

  std::set<std::string> BoardIcons() const {
    std::set<std::string> icons;
    for (int icon = 1; icon <= 15; ++icon) {
      const std::string name = "Picture" + std::to_string(icon);
      if (ControlVisible("board", name)) icons.insert(name);
    }
    return icons;
  }
};

// Missions 1 to 3 count only while the popularity is exactly the level their own task sets;
// replies at that level are played by examples/full-game.qs.
TEST_F(MessageTest, RepliesOneToThreeAreRefusedAtAnyOtherPopularity) {
  const char* const levels[] = {"Začátečník",  "Málo známý", "Středně známý", "Známý",
                                "Hodně známý", "málo známý", "Málo známý "};
  for (int k = 1; k <= 3; ++k) {
    const std::string message = kMessages[k - 1];
    Open(k);
    for (int level = 0; level < 7; ++level) {
      if (level == k) continue;
      SCOPED_TRACE(message + " at " + levels[level]);
      sm.Control("Statistika", "Label2").SetCaption(levels[level]);
      ASSERT_TRUE(Click(message, "Command1"));
      EXPECT_EQ(Screens().front(), "nekompletni");
      EXPECT_TRUE(Showing(message));
      Click("nekompletni", "Picture1");
    }
  }
  EXPECT_EQ(BoardIcons(), (std::set<std::string>{"Picture1", "Picture2", "Picture3"}));
}

// Taken as done, they are played by examples/full-game.qs.
TEST_F(MessageTest, RepliesFourAndFiveAskForTheAttachmentAndTheTaskDone) {
  Open(4);
  sm.Control("back", "Check1").SetValue(1);  // even with the server destroyed
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "priloha");
  Click("priloha", "Picture1");
  sm.Control("back", "Check1").SetValue(0);
  Click("Message4", "Picture2");
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  Click("nekompletni", "Picture1");
  Open(5);
  Click("Message5", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  EXPECT_EQ(BoardIcons(), (std::set<std::string>{"Picture1", "Picture4", "Picture5"}));
  EXPECT_FALSE(ControlVisible("Programy", "Command2"));  // mission 4's reward
}

TEST_F(MessageTest, StornoBringsTheBoardForwardAndSmazatIsRefused) {
  Open(3);
  const std::set<std::string> icons = BoardIcons();
  ASSERT_TRUE(Click("Message3", "Command2"));
  EXPECT_EQ(Screens().front(), "nemazat");
  Click("nemazat", "Picture1");
  sm.Show("Programy");  // the board is not in front
  ASSERT_TRUE(Click("Message3", "Command3"));
  EXPECT_FALSE(Loaded("Message3"));
  EXPECT_EQ(Screens().front(), "board");
  EXPECT_EQ(BoardIcons(), icons);
}

}  // namespace
}  // namespace quillon::testing
