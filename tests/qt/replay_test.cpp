// A script replayed in the window, paced by a real clock the test moves: it ends as script mode
// ends, with the same output, its clicks marked and its text typed key by key.
#include "qt/replay.h"

#include <sstream>

#include "script/runner.h"
#include "qt/game_window.h"
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

struct ReplayedGame {
  explicit ReplayedGame(const std::string& text, double speed = 1)
      : script(text),
        runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER),
        reader(game::GameScreens(), script),
        window(runner.Game()),
        replay(runner, reader, window, real, speed) {
    window.WatchOnly([this] { replay.Stop(); });
    runner.Start();
    window.resize(1024, 768);
    window.show();
    window.Refresh();
    WindowHarness::Settle();
  }

  // One step, once the real clock has come to it.
  void Step() {
    if (const std::optional<std::int64_t> next = replay.NextStep()) {
      real.Set(std::max(real.NowMs(), *next));
    }
    replay.Step();
  }
  void PlayToTheEnd() {
    while (!replay.Over()) Step();
  }
  std::string Text(const std::string& screen, const std::string& control) {
    const engine::ScreenState* state = runner.Game().Game().Peek(screen);
    return state ? state->Find(control)->text : "<not loaded>";
  }

  std::istringstream script;
  std::ostringstream out, err;
  engine::VirtualClock real;
  script::ScriptRunner runner;
  script::ScriptReader reader;
  qt::GameWindow window;
  qt::Replay replay;
};

TEST(ReplayTest, WaitsTakeRealTimeClicksAreMarkedAndTextComesKeyByKey) {
  ReplayedGame game("wait 1600\nclick connect Picture1\ntype 155\nprint ip.Text1.Text\n");
  game.Step();
  EXPECT_EQ(game.replay.NextStep(), 1600) << "the splash's tick is the first thing to happen";
  game.Step();
  EXPECT_FALSE(game.runner.Game().Game().Peek("start")->visible);
  EXPECT_EQ(game.Text("ip", "Text1"), "");
  EXPECT_EQ(game.window.Highlights(), 1) << "the click is marked where it lands";
  EXPECT_TRUE(game.runner.Game().Game().Peek("ip")->visible);
  // A click and the first key come at least 400 ms apart, the keys 100 ms apart.
  EXPECT_EQ(game.replay.NextStep(), 2000);
  game.Step();
  EXPECT_EQ(game.Text("ip", "Text1"), "1");
  EXPECT_EQ(game.replay.NextStep(), 2100);
  game.Step();
  EXPECT_EQ(game.Text("ip", "Text1"), "15");
  EXPECT_EQ(game.out.str(), "sound data/ip.dat\nsound data/ip.dat\n");
  game.PlayToTheEnd();
  EXPECT_EQ(game.out.str(),
            "sound data/ip.dat\nsound data/ip.dat\nsound data/ip.dat\nip.Text1.Text=155\n");
  EXPECT_EQ(game.real.NowMs(), 2200 + 1000) << "the last picture stays for a second";
}

TEST(ReplayTest, AFasterReplayTakesLessRealTime) {
  ReplayedGame game("wait 1600\nclick connect Picture1\nwait 4000\n", 4);
  game.PlayToTheEnd();
  EXPECT_EQ(game.real.NowMs(), 400 + 1000 + 250);
  EXPECT_EQ(game.runner.Game().Now(), 5600);
}

TEST(ReplayTest, ThePlayersClicksAndKeysDoNotReachTheGameAndEscapeStops) {
  ReplayedGame game("wait 1600\nclick connect Picture1\nwait 60000\nexpect ip.Visible False\n");
  game.Step();
  game.Step();
  ASSERT_TRUE(game.runner.Game().Game().Peek("ip"));
  QTest::keyClicks(&game.window, "12");
  QTest::mouseClick(game.window.viewport(), Qt::LeftButton, Qt::NoModifier,
                    game.window.mapFromScene(QPointF(476, 407)));  // the entry's Connect
  WindowHarness::Settle();
  EXPECT_EQ(game.Text("ip", "Text1"), "");
  EXPECT_FALSE(game.runner.Game().Game().Peek("noconnect"));
  QTest::keyClick(&game.window, Qt::Key_Escape);
  EXPECT_TRUE(game.replay.Stopped());
  EXPECT_TRUE(game.replay.Over());
  EXPECT_FALSE(game.runner.Game().Game().Ended()) << "Escape stops the replay, not the game";
  EXPECT_EQ(game.runner.Status(), 0) << "the expect after it was not reached";
}

// The end of the game ends the replay and the lines after it are counted; a line that is refused
// ends it with status 2.
TEST(ReplayTest, TheEndOfTheGameOrARefusedLineEndsTheReplay) {
  struct Case {
    const char* script;
    int status;
    const char *out, *err;
  };
  for (const Case& c : {
           Case{"wait 1600\nclick connect Picture1\nkey 27\nscreens\nwait 5\n", 0, "ended\n",
                "2 lines after the end were not run\n"},
           Case{"expect start.Visible False\nscreens now\nscreens\n", 2,
                "FAIL line 1: start.Visible=True, expected False\n",
                "line 2: screens takes nothing after it, not 'now'\n"},
       }) {
    ReplayedGame game(c.script);
    game.PlayToTheEnd();
    EXPECT_EQ(game.runner.Status(), c.status);
    EXPECT_EQ(game.out.str(), c.out);
    EXPECT_EQ(game.err.str(), c.err);
    EXPECT_FALSE(game.replay.Stopped());
    EXPECT_FALSE(game.window.isVisible()) << "the window closes at the end";
  }
}

}  // namespace
}  // namespace quillon::testing
