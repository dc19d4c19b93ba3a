#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class MessageTest : public GameTest {
 protected:
  MessageTest() { Wait(1600); }

  // Puts mission k's message icon on the board and opens the message from it.
  void Open(int k) {
    sm.Control("board", "Picture" + std::to_string(k)).SetVisible(true);
    ASSERT_TRUE(Click("board", "Picture" + std::to_string(k)));
  }

  std::set<std::string> ToolsOnPanel() const {
    std::set<std::string> tools;
    for (int tool = 1; tool <= 7; ++tool) {
      const std::string name = "Command" + std::to_string(tool);
      if (ControlVisible("Programy", name)) tools.insert(name);
    }
    return tools;
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

const char* const kMessages[] = {"Message", "Message2", "Message3", "Message4", "Message5"};

// --- Completion tests ------------------------------------------------------------------------

const char* const kPopularity[] = {"Začátečník", "Málo známý", "Středně známý", "Známý",
                                   "Hodně známý"};

// Missions 1 to 3 against every popularity level: each counts only at the level its own
// task sets.
class PopularityReplyTest : public MessageTest,
                            public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(PopularityReplyTest, TheReplyCountsOnlyAtItsOwnLevel) {
  const auto [k, level] = GetParam();
  const std::string message = kMessages[k - 1];
  Open(k);
  sm.Control("Statistika", "Label2").SetCaption(kPopularity[level]);
  const std::set<std::string> before = BoardIcons();

  ASSERT_TRUE(Click(message, "Command1"));
  if (level == k) {
    EXPECT_FALSE(Loaded(message));
    EXPECT_FALSE(ControlVisible("board", "Picture" + std::to_string(k)));
    EXPECT_TRUE(ControlVisible("board", "Picture" + std::to_string(4 + 2 * k)));
    EXPECT_FALSE(Loaded("nekompletni"));
  } else {
    EXPECT_EQ(Screens().front(), "nekompletni");
    EXPECT_TRUE(Showing(message));
    EXPECT_EQ(BoardIcons(), before);
  }
  EXPECT_EQ(Text("Statistika", "Label2"), kPopularity[level]);
  EXPECT_EQ(Text("Statistika", "Label3"), "0");
}

INSTANTIATE_TEST_SUITE_P(MissionsOneToThree, PopularityReplyTest,
                         ::testing::Combine(::testing::Values(1, 2, 3),
                                            ::testing::Values(0, 1, 2, 3, 4)));

TEST_F(MessageTest, PopularityIsComparedExactly) {
  Open(1);
  for (const char* almost : {"málo známý", "Málo známý ", "Málo"}) {
    sm.Control("Statistika", "Label2").SetCaption(almost);
    Click("Message", "Command1");
    EXPECT_TRUE(Showing("Message")) << almost;
    EXPECT_TRUE(ControlVisible("board", "Picture1")) << almost;
  }
}

TEST_F(MessageTest, MessageFourAsksForItsAttachmentBeforeAnythingElse) {
  Open(4);
  sm.Control("back", "Check1").SetValue(1);  // even with the server destroyed
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "priloha");
  EXPECT_FALSE(Loaded("nekompletni"));
  EXPECT_TRUE(Showing("Message4"));
  EXPECT_TRUE(ControlVisible("board", "Picture4"));
  Click("priloha", "Picture1");

  sm.Control("back", "Check1").SetValue(0);
  Click("Message4", "Picture2");
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  EXPECT_FALSE(Loaded("priloha"));
  EXPECT_FALSE(ControlVisible("Programy", "Command2"));

  sm.Control("back", "Check1").SetValue(1);
  Click("Message4", "Command1");
  EXPECT_FALSE(Loaded("Message4"));
  EXPECT_FALSE(ControlVisible("board", "Picture4"));
  EXPECT_TRUE(ControlVisible("board", "Picture12"));
  EXPECT_TRUE(ControlVisible("Programy", "Command2"));  // the reward: "Generátor hlasu"
}

TEST_F(MessageTest, MessageFiveCountsOnceTheTrojanIsPlanted) {
  Open(5);
  Click("Message5", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  EXPECT_TRUE(Showing("Message5"));

  Click("nekompletni", "Picture1");
  sm.Control("back", "mise5").SetValue(1);
  Click("Message5", "Command1");
  EXPECT_FALSE(Loaded("Message5"));
  EXPECT_FALSE(Loaded("nekompletni"));
  EXPECT_FALSE(ControlVisible("board", "Picture5"));
  EXPECT_TRUE(ControlVisible("board", "Picture14"));
  EXPECT_FALSE(ControlVisible("Programy", "Command2"));
}

// --- Attachments -----------------------------------------------------------------------------

TEST_F(MessageTest, TakingAnAttachmentTwiceChangesNothing) {
  Open(1);
  Click("Message", "Picture2");
  Click("Message", "Picture3");
  const std::set<std::string> tools = ToolsOnPanel();
  const std::vector<std::string> screens = Screens();

  EXPECT_TRUE(Click("Message", "Picture2"));
  EXPECT_TRUE(Click("Message", "Picture3"));
  EXPECT_EQ(ToolsOnPanel(), tools);
  EXPECT_EQ(Screens(), screens);

  Click("Message", "Command3");
  Open(1);
  Click("Message", "Picture2");  // again after the message was reopened
  EXPECT_EQ(ToolsOnPanel(), tools);
}

// --- Storno and Smazat -----------------------------------------------------------------------

TEST_F(MessageTest, CancelClosesTheMessageBehindTheBoardAndItReopensUnchanged) {
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    Open(k);
    sm.Show("Programy");  // the board is not in front
    const std::string text = Text(message, "Label4");
    sm.Control(message, "Label4").SetCaption("scribbled");
    sm.Control(message, "Label10").SetVisible(false);

    ASSERT_TRUE(Click(message, "Command3"));
    EXPECT_FALSE(Loaded(message));
    EXPECT_EQ(Screens().front(), "board");
    EXPECT_TRUE(ControlVisible("board", "Picture" + std::to_string(k)));

    Click("board", "Picture" + std::to_string(k));
    EXPECT_EQ(Screens().front(), message);
    EXPECT_EQ(Text(message, "Label4"), text);
    EXPECT_TRUE(ControlVisible(message, "Label10"));
  }
}

TEST_F(MessageTest, AMessageCannotBeDeleted) {
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    Open(k);
    const std::set<std::string> icons = BoardIcons();
    ASSERT_TRUE(Click(message, "Command2"));
    EXPECT_EQ(Screens().front(), "nemazat");
    EXPECT_TRUE(Showing(message));
    EXPECT_EQ(BoardIcons(), icons);
    Click("nemazat", "Picture1");
  }
}

}  // namespace
}  // namespace quillon::testing
