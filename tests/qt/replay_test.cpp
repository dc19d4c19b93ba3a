// A script replayed in the window, paced by a real clock the test moves: its clicks are marked,
// its text shows key by key, the player's own input is kept away and the window closes at the
// end.
#include "qt/replay.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cinttypes>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "script/runner.h"
#include "qt/game_window.h"
#include "qt/text_box.h"
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

struct ReplayedGame {
  explicit ReplayedGame(const std::string& text)
      : script(text),
        runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER),
        reader(game::GameScreens(), script),
        window(runner.Game()),
        replay(runner, reader, window, real, 1) {
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

// The pacing itself is tested without a window in tests/script/replay_test.cpp; here, what the
// window shows of it.
TEST(ReplayTest, TheWindowMarksEachClickAndShowsTheTextKeyByKey) {
  ReplayedGame game("wait 1600\nclick connect Picture1\ntype 15\n");
  game.Step();
  game.Step();
  WindowHarness::Settle();
  EXPECT_EQ(game.window.Highlights(), 1) << "the click is marked where it lands";
  ASSERT_TRUE(game.window.TextBoxOf("ip", "Text1")) << "the address entry shows";
  game.Step();
  WindowHarness::Settle();
  EXPECT_EQ(game.window.TextBoxOf("ip", "Text1")->text().toStdString(), "1");
  game.Step();
  WindowHarness::Settle();
  EXPECT_EQ(game.window.TextBoxOf("ip", "Text1")->text().toStdString(), "15");
  EXPECT_TRUE(game.window.isVisible()) << "the last picture stays";
  game.PlayToTheEnd();
  EXPECT_FALSE(game.window.isVisible()) << "the window closes at the end";
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
  std::ostringstream said;
  std::streambuf* const err = std::cerr.rdbuf(said.rdbuf());
  QTest::keyClick(&game.window, Qt::Key_Escape);
  std::cerr.rdbuf(err);
  EXPECT_EQ(said.str(), "quillon: the replay stopped at line 3\n");
  EXPECT_TRUE(game.replay.Stopped());
  EXPECT_TRUE(game.replay.Over());
  EXPECT_FALSE(game.runner.Game().Game().Ended()) << "Escape stops the replay, not the game";
  EXPECT_EQ(game.runner.Status(), 0) << "the expect after it was not reached";
}

// The end of the game, or a line that is refused, closes the window.
TEST(ReplayTest, TheEndOfTheGameOrARefusedLineClosesTheWindow) {
  for (const char* script : {"wait 1600\nclick connect Picture1\nkey 27\nscreens\n",
                             "screens\nscreens now\nscreens\n"}) {
    ReplayedGame game(script);
    game.PlayToTheEnd();
    EXPECT_FALSE(game.replay.Stopped()) << script;
    EXPECT_FALSE(game.window.isVisible()) << script;
  }
}

// A million and a quarter lines that take no time, replayed on the real clock by the replay's
// own timer, as the game replays them: the window still hears the player, and Escape or closing
// the window stops the replay within 100 ms of when it was due.
TEST(ReplayTest, ALongScriptOfLinesThatTakeNoTimeStopsAtOnce) {
  constexpr int kLines = 1'250'000;
  std::string text;
  for (int line = 0; line < kLines; ++line) text += "screens\n";
  for (const bool byClosing : {false, true}) {
    SCOPED_TRACE(byClosing ? "closing the window" : "Escape");
    std::istringstream script(text);
    std::ostream discarded(nullptr);
    script::ScriptRunner runner(game::GameScreens(), discarded, discarded, QUILLON_DATA_FOLDER);
    script::ScriptReader reader(game::GameScreens(), script);
    qt::GameWindow window(runner.Game());
    const engine::SteadyClock real;
    qt::Replay replay(runner, reader, window, real, 1);
    window.WatchOnly([&replay] { replay.Stop(); });
    runner.Start();
    window.resize(1024, 768);
    window.show();
    window.Refresh();

    std::ostringstream said;
    std::streambuf* const err = std::cerr.rdbuf(said.rdbuf());
    constexpr int kStopAtMs = 100;
    QElapsedTimer clock;
    std::optional<qint64> late;  // how long after its moment the stop came
    QTimer::singleShot(0, &window, [&replay] { replay.Step(); });
    clock.start();
    QTimer::singleShot(kStopAtMs, Qt::PreciseTimer, &window, [&] {
      late = clock.elapsed() - kStopAtMs;
      if (byClosing) {
        window.close();
        replay.Stop();  // as the game does once the last window is closed
      } else {
        QTest::keyClick(&window, Qt::Key_Escape);
      }
    });
    while (!late && clock.elapsed() < 60'000) QTest::qWait(10);
    std::cerr.rdbuf(err);

    ASSERT_TRUE(late) << "the replay never let the window in";
    EXPECT_LE(*late, 100);
    EXPECT_TRUE(replay.Stopped());
    std::int64_t line = 0;
    ASSERT_EQ(
        std::sscanf(said.str().c_str(), "quillon: the replay stopped at line %" SCNd64, &line), 1)
        << said.str();
    EXPECT_EQ(said.str(), "quillon: the replay stopped at line " + std::to_string(line) + "\n");
    EXPECT_GT(line, 0);
    EXPECT_LT(line, kLines) << "the replay stopped before its end";
  }
}

}  // namespace
}  // namespace quillon::testing
