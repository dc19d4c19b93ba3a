// The five mission messages: attachments, replies, Storno and Smazat.
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

TEST_F(MessageTest, EachAttachmentPutsItsToolOnThePanelOnce) {
  Open(1);
  Click("Message", "Picture2");
  EXPECT_EQ(ToolsOnPanel(), (std::set<std::string>{"Command1", "Command6"}));  // Proxy bypass
  Click("Message", "Picture3");
  const std::set<std::string> both{"Command1", "Command3", "Command6"};  // and Files wizard
  EXPECT_EQ(ToolsOnPanel(), both);
  Click("Message", "Command3");
  Open(1);
  Click("Message", "Picture2");  // taken again: nothing changes
  EXPECT_EQ(ToolsOnPanel(), both);

  const char* const tools[] = {"Command7", "Command4", "Command5"};  // firewall, flood, trojan
  for (int k = 3; k <= 5; ++k) {
    Open(k);
    Click(kMessages[k - 1], "Picture2");
    EXPECT_TRUE(ControlVisible("Programy", tools[k - 3])) << k;
  }
}

// Missions 1 to 3 count only while the popularity is exactly the level their own task sets.
TEST_F(MessageTest, RepliesOneToThreeCountOnlyAtTheirOwnPopularity) {
  const char* const levels[] = {"Začátečník",  "Málo známý", "Středně známý", "Známý",
                                "Hodně známý", "málo známý", "Málo známý "};
  for (int k = 1; k <= 3; ++k) {
    const std::string message = kMessages[k - 1];
    for (int level = 0; level < 7; ++level) {
      SCOPED_TRACE(message + " at " + levels[level]);
      Open(k);
      sm.Control("Statistika", "Label2").SetCaption(levels[level]);
      const std::set<std::string> before = BoardIcons();
      ASSERT_TRUE(Click(message, "Command1"));
      if (level != k) {
        EXPECT_EQ(Screens().front(), "nekompletni");
        EXPECT_TRUE(Showing(message));
        EXPECT_EQ(BoardIcons(), before);
        Click("nekompletni", "Picture1");
        continue;
      }
      EXPECT_FALSE(Loaded(message));
      EXPECT_FALSE(ControlVisible("board", "Picture" + std::to_string(k)));
      EXPECT_TRUE(ControlVisible("board", "Picture" + std::to_string(4 + 2 * k)));
      EXPECT_FALSE(Loaded("nekompletni"));
      EXPECT_EQ(Text("Statistika", "Label3"), "0");  // the reply pays nothing
      sm.Control("board", "Picture" + std::to_string(4 + 2 * k)).SetVisible(false);
    }
  }
}

TEST_F(MessageTest, MessageFourAsksForItsAttachmentThenForTheDestroyedServer) {
  Open(4);
  sm.Control("back", "Check1").SetValue(1);  // even with the server destroyed
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "priloha");
  EXPECT_TRUE(ControlVisible("board", "Picture4"));
  Click("priloha", "Picture1");

  sm.Control("back", "Check1").SetValue(0);
  Click("Message4", "Picture2");
  Click("Message4", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  EXPECT_FALSE(ControlVisible("Programy", "Command2"));

  sm.Control("back", "Check1").SetValue(1);
  Click("Message4", "Command1");
  EXPECT_FALSE(Loaded("Message4"));
  EXPECT_EQ(BoardIcons(), (std::set<std::string>{"Picture1", "Picture12"}));
  EXPECT_TRUE(ControlVisible("Programy", "Command2"));  // the reward: "Generátor hlasu"
}

TEST_F(MessageTest, MessageFiveCountsOnceTheTrojanIsPlanted) {
  Open(5);
  Click("Message5", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  Click("nekompletni", "Picture1");
  sm.Control("back", "mise5").SetValue(1);
  Click("Message5", "Command1");
  EXPECT_FALSE(Loaded("Message5"));
  EXPECT_EQ(BoardIcons(), (std::set<std::string>{"Picture1", "Picture14"}));
}

TEST_F(MessageTest, StornoClosesTheMessageBehindTheBoardAndSmazatIsRefused) {
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    Open(k);
    const std::set<std::string> icons = BoardIcons();
    ASSERT_TRUE(Click(message, "Command2"));
    EXPECT_EQ(Screens().front(), "nemazat");
    EXPECT_TRUE(Showing(message));
    EXPECT_EQ(BoardIcons(), icons);
    Click("nemazat", "Picture1");

    sm.Show("Programy");  // the board is not in front
    const std::string text = Text(message, "Label4");
    sm.Control(message, "Label4").SetCaption("scribbled");
    ASSERT_TRUE(Click(message, "Command3"));
    EXPECT_FALSE(Loaded(message));
    EXPECT_EQ(Screens().front(), "board");
    EXPECT_EQ(BoardIcons(), icons);
    Click("board", "Picture" + std::to_string(k));
    EXPECT_EQ(Text(message, "Label4"), text);  // reopened from its design
  }
}

}  // namespace
}  // namespace quillon::testing
