#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/script_runner.h"
#include "game_test.h"

namespace quillon::testing {
namespace {

const char* const kTools[] = {"Command1", "Command2", "Command3", "Command4",
                              "Command5", "Command6", "Command7"};

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
    for (const char* tool : kTools) {
      if (ControlVisible("Programy", tool)) tools.insert(tool);
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
  const std::string reward = "Picture" + std::to_string(4 + 2 * k);
  if (level == k) {
    EXPECT_FALSE(Loaded(message));
    EXPECT_FALSE(ControlVisible("board", "Picture" + std::to_string(k)));
    EXPECT_TRUE(ControlVisible("board", reward));
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

TEST_F(MessageTest, ReplyingToTheFirstMessageAtTheStartShowsTheIncompleteNotice) {
  const std::set<std::string> before = BoardIcons();
  Click("board", "Picture1");
  Click("Message", "Command1");
  EXPECT_EQ(Screens().front(), "nekompletni");
  EXPECT_EQ(Text("nekompletni", "Label1"), "Úkol mise nebyl splěn, mise není kompletní");
  EXPECT_TRUE(Showing("Message"));
  EXPECT_EQ(BoardIcons(), before);
}

TEST_F(MessageTest, PopularityIsComparedExactly) {
  Open(1);
  for (const char* almost : {"málo známý", "Málo známý ", "Malo znamy"}) {
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
  EXPECT_EQ(Text("priloha", "Label1"), "Nezkopíroval jste si přílohu");
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
  EXPECT_EQ(Text("Programy", "Command2"), "Generátor hlasu");
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

TEST_F(MessageTest, OnlyMessageFourDependsOnTheDestroyedServer) {
  sm.Control("back", "Check1").SetValue(1);
  sm.Control("back", "mise5").SetValue(1);
  for (int k : {1, 2, 3}) {
    Open(k);
    Click(kMessages[k - 1], "Command1");
    EXPECT_TRUE(Showing(kMessages[k - 1])) << k;
  }
}

// --- Attachments -----------------------------------------------------------------------------

TEST_F(MessageTest, AttachmentsPutTheirToolsOnThePanel) {
  const std::map<std::string, std::map<std::string, std::string>> attachments{
      {"Message", {{"Picture2", "Command6"}, {"Picture3", "Command3"}}},
      {"Message2", {}},
      {"Message3", {{"Picture2", "Command7"}}},
      {"Message4", {{"Picture2", "Command4"}}},
      {"Message5", {{"Picture2", "Command5"}}},
  };
  std::set<std::string> expected{"Command1"};
  ASSERT_EQ(ToolsOnPanel(), expected);
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    Open(k);
    for (const char* icon : {"Picture2", "Picture3"}) {
      auto given = attachments.at(message).find(icon);
      if (given == attachments.at(message).end()) {
        EXPECT_EQ(sm.Design(message)->Find(icon), nullptr) << message << " " << icon;
        continue;
      }
      EXPECT_TRUE(Click(message, icon));
      expected.insert(given->second);
      EXPECT_EQ(ToolsOnPanel(), expected) << message << " " << icon;
      EXPECT_TRUE(Showing(message));
    }
  }
  EXPECT_FALSE(ControlVisible("Programy", "Command2"));  // a reward, never an attachment
}

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
    const engine::ScreenDesign& design = *sm.Design(message);
    sm.Control(message, "Label4").SetCaption("scribbled");
    sm.Control(message, "Label10").SetVisible(false);

    ASSERT_TRUE(Click(message, "Command3"));
    EXPECT_FALSE(Loaded(message));
    EXPECT_EQ(Screens().front(), "board");
    EXPECT_TRUE(ControlVisible("board", "Picture" + std::to_string(k)));

    Click("board", "Picture" + std::to_string(k));
    EXPECT_EQ(Screens().front(), message);
    EXPECT_EQ(Text(message, "Label4"), design.Find("Label4")->caption);
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
    EXPECT_EQ(Text("nemazat", "Label1"), "Po dokončení úkolu musíte na zprávu odpovědět");
    EXPECT_TRUE(Showing(message));
    EXPECT_EQ(BoardIcons(), icons);
    Click("nemazat", "Picture1");
  }
}

// --- Layout ----------------------------------------------------------------------------------

TEST_F(MessageTest, TheTextsStandInTheirOwnBoxesInsideTheScreen) {
  for (const char* message : kMessages) {
    SCOPED_TRACE(message);
    const engine::ScreenDesign& s = *sm.Design(message);
    for (const engine::ControlDesign& c : s.controls) {
      EXPECT_GE(c.left, 0) << c.name;
      EXPECT_LE(c.left + c.width, s.width) << c.name;
      EXPECT_LE(c.top + c.height, s.height) << c.name;
    }
    const engine::ControlDesign& first = *s.Find("Label4");
    const engine::ControlDesign& second = *s.Find("Label5");
    const engine::ControlDesign& reward = *s.Find("Label8");
    EXPECT_TRUE(first.wordWrap && second.wordWrap && reward.wordWrap);
    EXPECT_LE(first.top + first.height, second.top);
    EXPECT_LE(second.top + second.height, s.Find("Line1")->top);
    EXPECT_LT(s.Find("Line1")->top, reward.top);
    EXPECT_LE(reward.top + reward.height, s.Find("Label6")->top);
    // Each click area lies on top of the text written on it.
    for (auto [area, label] : {std::pair{"Command1", "Label10"}, std::pair{"Command3", "Label11"},
                               std::pair{"Command2", "Label12"}}) {
      EXPECT_LT(s.IndexOf(area), s.IndexOf(label)) << area;
    }
  }
}

TEST_F(MessageTest, TheMessagesReadAsWritten) {
  Open(1);
  Open(3);
  EXPECT_NE(Text("Message3", "Label4").find("hardwarových  i softwarových"), std::string::npos);
  Open(4);
  EXPECT_EQ(Text("Message4", "Label5").back(), ' ');
  Open(5);
  EXPECT_EQ(Text("Message5", "Label1"), "Předmět: Přístup k datům ");
  EXPECT_EQ(sm.Design("Message5")->caption, "Form1");
  EXPECT_TRUE(sm.Design("Message5")->icon.empty());
  Open(2);
  EXPECT_NE(Text("Message2", "Label4").find("k případu \"Vlasak\""), std::string::npos);
  for (int k = 1; k <= 5; ++k) {
    const std::string message = kMessages[k - 1];
    EXPECT_EQ(Text(message, "Label9"), "Zpráva č." + std::to_string(k));
    EXPECT_EQ(Text(message, "Label2").rfind("Od: ", 0), 0u) << message;
    EXPECT_EQ(Text(message, "Label3"), "Pro: RedE vuDuZAr");
    EXPECT_EQ(Text(message, "Label10"), "Odpovědět");
    EXPECT_EQ(Text(message, "Label11"), "Storno");
    EXPECT_EQ(Text(message, "Label12"), "Smazat");
  }
}

// --- As a player's script plays it ---------------------------------------------------------

TEST(MessageScriptTest, TheFirstMessageGivesItsToolsAndIsNotDoneAtTheStart) {
  std::istringstream script(
      "wait 1600\n"
      "click board Picture1\n"
      "click Message Picture2\n"
      "click Message Picture3\n"
      "click Message Command3\n"
      "expect Programy.Command6.Visible True\n"
      "expect Programy.Command3.Visible True\n"
      "expect Message.Loaded False\n"
      "click board Picture1\n"
      "click Message Command1\n"
      "screens\n");
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(GameScreens(), script, out, err, QUILLON_DATA_FOLDER), 0) << out.str();
  EXPECT_EQ(out.str(), "screens: nekompletni Message board Programy connect Statistika dny back\n");
  EXPECT_EQ(err.str(), "");
}

}  // namespace
}  // namespace quillon::testing
