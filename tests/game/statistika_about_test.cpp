// The statistics panel and the closing credits it opens with "Konec hry".
#include <string>
#include <vector>

#include "game_test.h"

namespace quillon::testing {
namespace {

class StatistikaTest : public GameTest {
 protected:
  StatistikaTest() { Wait(1600); }  // the splash is gone
};

TEST_F(StatistikaTest, TheCriminalityValueShowsTheCaughtScreenOnlyAtTheTopLevel) {
  for (const char* level : {"Není", "Malá", "Střední"}) {
    sm.Control("Statistika", "Label1").SetCaption(level);
    EXPECT_TRUE(Click("Statistika", "Label1"));
    EXPECT_FALSE(Loaded("loser")) << level;
  }
  sm.Control("Statistika", "Label1").SetCaption("Velká");
  Click("Statistika", "Label1");
  EXPECT_EQ(Screens().front(), "loser");
}

TEST_F(StatistikaTest, TheCreditsHoldTheDesktopAndTheirCloseAppearsAt3800MsToEndTheGame) {
  bool ended = false;
  sm.SetEndListener([&] { ended = true; });
  ASSERT_TRUE(Click("Statistika", "Command1"));
  EXPECT_EQ(Screens().front(), "about");
  EXPECT_EQ(sound.played, std::vector<std::string>{"data/about.dat"});
  for (const char* screen : {"board", "Programy", "Statistika", "dny"}) {
    EXPECT_FALSE(sm.Peek(screen)->enabled) << screen;
    EXPECT_TRUE(Showing(screen)) << screen;
  }
  EXPECT_FALSE(Click("board", "Picture1"));
  EXPECT_FALSE(Click("Statistika", "Command1"));
  EXPECT_EQ(sm.ActiveScreen(), "about");
  EXPECT_TRUE(Click("connect", "Picture1"));  // what the credits do not disable stays usable
  Click("ip", "Command2");
  EXPECT_FALSE(Click("about", "Picture2"));  // not there yet: no way out

  Wait(3799);
  EXPECT_FALSE(ControlVisible("about", "Picture2"));
  Wait(1);
  EXPECT_TRUE(ControlVisible("about", "Picture2"));
  EXPECT_EQ(Text("dny", "Label2"), "21.11.2010");  // the disabled calendar went on
  EXPECT_TRUE(Click("about", "Label1"));           // the web address
  EXPECT_EQ(documents.opened, std::vector<std::string>{"http://www.pergamen-studio.example/"});
  EXPECT_TRUE(Click("about", "Picture2"));
  EXPECT_TRUE(ended);
  EXPECT_TRUE(Screens().empty());
}

TEST_F(StatistikaTest, WithoutTheirSoundTheCreditsShowTheErrorInFrontAndStillWork) {
  sound.playable.clear();
  Click("Statistika", "Command1");
  EXPECT_TRUE(sound.played.empty());
  EXPECT_EQ(Front(2), (std::vector<std::string>{"error", "about"}));
  EXPECT_FALSE(sm.Peek("dny")->enabled);  // the desktop was disabled before the sound failed

  Click("error", "error");
  EXPECT_FALSE(Loaded("error"));
  Wait(3800);
  EXPECT_TRUE(ControlVisible("about", "Picture2"));
}

}  // namespace
}  // namespace quillon::testing
