// A script replayed for a person to watch, on a real clock the test moves by hand: waits take
// real time and move the game from one timer's due moment to the next, clicks and keys come with
// gaps a person can follow, the last picture stays a moment, and the replay ends as script mode
// ends. What every front end shows of it is noted by a fake view.
#include "script/replay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game/game.h"
#include "script/runner.h"

namespace quillon::testing {
namespace {

// What a front end is told to show, in order.
struct NotedView : script::ReplayView {
  void Refresh() override { noted.push_back("refresh"); }
  void Highlight(std::string_view screen, std::string_view control) override {
    noted.push_back("highlight " + std::string(screen) + " " + std::string(control));
  }
  void Close() override { noted.push_back("close"); }
  // What was noted since the last call.
  std::vector<std::string> Take() { return std::exchange(noted, {}); }

  std::vector<std::string> noted;
};

struct ReplayedScript {
  explicit ReplayedScript(const std::string& text, double speed = 1)
      : script(text),
        runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER),
        reader(game::GameScreens(), script),
        replay(runner, reader, view, speed) {
    runner.Start();
  }

  // Steps the replay at `moment` of the real clock.
  void StepAt(std::int64_t moment) {
    real = moment;
    replay.Step(real);
  }
  // Steps it at each moment it asks for until it is over; the moments of the steps.
  std::vector<std::int64_t> PlayToTheEnd() {
    std::vector<std::int64_t> moments;
    for (int steps = 0; !replay.Over() && steps < 1000; ++steps) {
      if (const std::optional<std::int64_t> next = replay.NextStep()) real = *next;
      moments.push_back(real);
      replay.Step(real);
    }
    EXPECT_TRUE(replay.Over()) << "the replay never ends";
    return moments;
  }
  std::int64_t GameTime() { return runner.Game().Now(); }
  bool Showing(const std::string& screen) {
    const engine::ScreenState* state = runner.Game().Game().Peek(screen);
    return state && state->visible;
  }
  std::string Text(const std::string& screen, const std::string& control) {
    const engine::ScreenState* state = runner.Game().Game().Peek(screen);
    return state ? state->Find(control)->text : "<not loaded>";
  }

  std::istringstream script;
  std::ostringstream out, err;
  script::ScriptRunner runner;
  script::ScriptReader reader;
  NotedView view;
  script::Replay replay;
  std::int64_t real = 0;
};

using Moments = std::vector<std::int64_t>;
using Noted = std::vector<std::string>;

// The splash goes at 1600 ms; the calendar turns a day every 3000 ms, its second timer 2 ms
// after.
TEST(ReplayPacingTest, AWaitMovesTheGameOnFromOneTimersDueMomentToTheNext) {
  ReplayedScript replay("wait 7000\n");
  replay.StepAt(0);
  EXPECT_EQ(replay.replay.NextStep(), 1600) << "the splash's tick is the first thing to happen";
  replay.StepAt(1000);
  EXPECT_EQ(replay.GameTime(), 1000) << "a step before it is due moves the game to the real time";
  EXPECT_TRUE(replay.Showing("start"));
  EXPECT_EQ(replay.replay.NextStep(), 1600);
  replay.StepAt(1600);
  EXPECT_EQ(replay.GameTime(), 1600);
  EXPECT_FALSE(replay.Showing("start"));
  EXPECT_EQ(replay.replay.NextStep(), 3000);
  replay.StepAt(3000);
  EXPECT_EQ(replay.replay.NextStep(), 3002);
  replay.StepAt(5000);
  EXPECT_EQ(replay.GameTime(), 5000) << "a late step catches up with the real clock";
  EXPECT_EQ(replay.replay.NextStep(), 6002);
  EXPECT_EQ(replay.PlayToTheEnd(), (Moments{6002, 6004, 7000, 8000}))
      << "the wait ends at 7000 ms and the last picture stays a second";
  EXPECT_EQ(replay.GameTime(), 7000);
  EXPECT_EQ(replay.runner.Status(), 0);
}

TEST(ReplayPacingTest, AFasterReplayTakesLessRealTimeAndStillFiresEachTimerOnItsOwn) {
  ReplayedScript fourTimes("wait 1600\nclick connect Picture1\nwait 4000\n", 4);
  // The calendar's day turns at 3000 ms of game time: 350 ms of real time after the click.
  EXPECT_EQ(fourTimes.PlayToTheEnd(), (Moments{0, 400, 750, 751, 1400, 1650}));
  EXPECT_EQ(fourTimes.GameTime(), 5600);

  ReplayedScript threeTimes("wait 4000\n", 3);
  threeTimes.StepAt(0);
  EXPECT_EQ(threeTimes.replay.NextStep(), 534) << "1600 ms of game time, rounded up";
  threeTimes.StepAt(533);
  EXPECT_TRUE(threeTimes.Showing("start"));
  threeTimes.StepAt(534);
  EXPECT_FALSE(threeTimes.Showing("start"));
  EXPECT_EQ(threeTimes.GameTime(), 1602) << "the game follows the real clock, three times faster";

  ReplayedScript halfSpeed("wait 1600\n", 0.5);
  EXPECT_EQ(halfSpeed.PlayToTheEnd(), (Moments{0, 3200, 5200}));
}

// A click comes 400 ms after the click or key before it and 400 ms before the next, keys come
// 100 ms apart: a script without waits can be followed too.
TEST(ReplayPacingTest, ClicksAndKeysComeWithGapsAPersonCanFollow) {
  ReplayedScript replay("wait 1600\nclick connect Picture1\ntype 12\nclick ip Command2\n");
  EXPECT_EQ(replay.PlayToTheEnd(), (Moments{0, 1600, 2000, 2100, 2500, 3500}));
  EXPECT_FALSE(replay.Showing("ip")) << "Command2 closes the address entry";

  // The gap runs from the click, not from the wait after it.
  ReplayedScript shortWait("wait 1600\nclick connect Picture1\nwait 100\nkey 49\n");
  EXPECT_EQ(shortWait.PlayToTheEnd(), (Moments{0, 1600, 1700, 2000, 3000}));

  ReplayedScript faster("wait 1600\nclick connect Picture1\ntype 12\nclick ip Command2\n", 2);
  EXPECT_EQ(faster.PlayToTheEnd(), (Moments{0, 800, 1000, 1050, 1250, 1750}));
}

// A front end may step the replay before the moment it asked for, or more often: nothing comes
// early.
TEST(ReplayPacingTest, StepsMoreOftenThanAskedForPlayEverythingAtItsOwnMoment) {
  ReplayedScript replay("wait 1600\nclick connect Picture1\ntype 12\nclick ip Command2\n");
  Moments clicks, keys, splashGone;
  std::string typed;
  for (std::int64_t moment = 0; moment <= 4000 && !replay.replay.Over(); moment += 10) {
    replay.StepAt(moment);
    const Noted noted = replay.view.Take();
    if (std::count(noted.begin(), noted.end(), "highlight connect Picture1") +
            std::count(noted.begin(), noted.end(), "highlight ip Command2") >
        0) {
      clicks.push_back(moment);
    }
    if (splashGone.empty() && !replay.Showing("start")) splashGone.push_back(moment);
    if (replay.Showing("ip") && replay.Text("ip", "Text1") != typed) {
      typed = replay.Text("ip", "Text1");
      keys.push_back(moment);
    }
  }
  EXPECT_EQ(splashGone, Moments{1600});
  EXPECT_EQ(clicks, (Moments{1600, 2500}));
  EXPECT_EQ(keys, (Moments{2000, 2100}));
  EXPECT_EQ(typed, "12");
  EXPECT_TRUE(replay.replay.Over());
  EXPECT_EQ(replay.real, 3500) << "the last picture stayed a second";
}

TEST(ReplayPacingTest, TheViewRedrawsAfterEachChangeMarksEachClickAndClosesOnce) {
  ReplayedScript replay("wait 1600\nclick connect Picture1\ntype 15\nprint ip.Text1.Text\n");
  replay.StepAt(0);
  EXPECT_EQ(replay.view.Take(), (Noted{"refresh"}));
  replay.StepAt(1600);
  EXPECT_EQ(replay.view.Take(),
            (Noted{"refresh", "refresh", "highlight connect Picture1", "refresh"}))
      << "the picture is brought up to date before the click is marked, and after it lands";
  replay.StepAt(2000);
  EXPECT_EQ(replay.view.Take(), (Noted{"refresh"}));
  EXPECT_EQ(replay.Text("ip", "Text1"), "1") << "text comes key by key";
  EXPECT_EQ(replay.out.str(), "sound data/ip.dat\n");
  replay.StepAt(2100);
  EXPECT_EQ(replay.view.Take(), (Noted{"refresh", "refresh"})) << "the key, then the print";
  EXPECT_EQ(replay.Text("ip", "Text1"), "15");
  EXPECT_EQ(replay.out.str(), "sound data/ip.dat\nsound data/ip.dat\nip.Text1.Text=15\n");
  replay.StepAt(3099);
  EXPECT_EQ(replay.view.Take(), Noted{}) << "the last picture stays a second";
  EXPECT_FALSE(replay.replay.Over());
  EXPECT_EQ(replay.replay.NextStep(), 3100);
  replay.StepAt(3100);
  EXPECT_EQ(replay.view.Take(), (Noted{"close"}));
  EXPECT_TRUE(replay.replay.Over());
  EXPECT_EQ(replay.replay.NextStep(), std::nullopt);
  replay.StepAt(5000);
  EXPECT_EQ(replay.view.Take(), Noted{}) << "nothing after the end";
  EXPECT_FALSE(replay.replay.Stopped());
}

// A script of lines that take no time would keep the front end from drawing and from hearing the
// player for as long as it runs: a step plays a hundred lines at most, and is due again at once.
TEST(ReplayPacingTest, LinesThatTakeNoTimeLetTheFrontEndInAfterEveryHundred) {
  std::string script;
  for (int line = 0; line < 1000; ++line) script += "print start.Visible\n";
  ReplayedScript replay(script);
  replay.StepAt(0);
  const std::string firstStep = replay.out.str();
  EXPECT_EQ(std::count(firstStep.begin(), firstStep.end(), '\n'), 100);
  EXPECT_EQ(replay.replay.LineNumber(), 100);
  EXPECT_EQ(replay.replay.NextStep(), 0) << "due again at once";
  EXPECT_EQ(replay.PlayToTheEnd(), (Moments{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1000}))
      << "nine steps more for the lines, one to find the end, and the last picture's second";
  std::string printed;
  for (int line = 0; line < 1000; ++line) printed += "start.Visible=True\n";
  EXPECT_EQ(replay.out.str(), printed);
  EXPECT_EQ(replay.runner.Status(), 0);
}

// The end of the game ends the replay at once, and lines after it are told of; a line that
// is refused ends it with status 2; an expect that fails does not end it.
TEST(ReplayPacingTest, TheEndOfTheGameOrARefusedLineEndsTheReplayAsScriptModeEnds) {
  struct Case {
    const char* script;
    int status;
    Moments moments;
    const char *out, *err;
  };
  for (const Case& c : {
           Case{"wait 1600\nclick connect Picture1\nkey 27\nscreens\nwait 5\n", 0,
                {0, 1600, 2000}, "ended\n",
                "quillon: lines after the end were not read\n"},
           Case{"expect start.Visible False\nscreens now\nscreens\n", 2, {0},
                "FAIL line 1: start.Visible=True, expected False\n",
                "quillon: line 2: screens takes nothing after it, not 'now'\n"},
           Case{"expect start.Visible False\nwait 10\n", 1, {0, 10, 1010},
                "FAIL line 1: start.Visible=True, expected False\n", ""},
       }) {
    SCOPED_TRACE(c.script);
    ReplayedScript replay(c.script);
    EXPECT_EQ(replay.PlayToTheEnd(), c.moments);
    EXPECT_EQ(replay.runner.Status(), c.status);
    EXPECT_EQ(replay.out.str(), c.out);
    EXPECT_EQ(replay.err.str(), c.err);
    EXPECT_EQ(replay.view.noted.back(), "close");
    EXPECT_EQ(std::count(replay.view.noted.begin(), replay.view.noted.end(), "close"), 1);
    EXPECT_FALSE(replay.replay.Stopped());
  }
}

TEST(ReplayPacingTest, AStoppedReplayStaysWhereItIsAndSaysAtWhichLine) {
  ReplayedScript replay("wait 1600\nclick connect Picture1\nwait 60000\nexpect ip.Visible False\n");
  replay.StepAt(0);
  replay.StepAt(1600);
  replay.StepAt(3000);
  replay.view.Take();
  EXPECT_EQ(replay.replay.Stop(), 3) << "the wait was playing";
  EXPECT_TRUE(replay.replay.Stopped());
  EXPECT_TRUE(replay.replay.Over());
  EXPECT_EQ(replay.replay.NextStep(), std::nullopt);
  replay.StepAt(70000);
  EXPECT_EQ(replay.GameTime(), 3000) << "the game moves no more";
  EXPECT_EQ(replay.view.Take(), Noted{}) << "the front end closes itself";
  EXPECT_EQ(replay.runner.Status(), 0) << "the expect after it was not reached";
  EXPECT_EQ(replay.replay.Stop(), std::nullopt) << "stopped once";

  ReplayedScript ended("wait 10\n");
  ended.PlayToTheEnd();
  EXPECT_EQ(ended.replay.Stop(), std::nullopt) << "a replay that is over cannot be stopped";
  EXPECT_FALSE(ended.replay.Stopped());
}

// A replay plays only what script mode runs without refusing a line; the check prints nothing.
TEST(ReplayRefusalTest, AScriptIsRefusedWithTheLineScriptModeRefuses) {
  struct Case {
    const char* script;
    const char* refusal;
  };
  for (const Case& c : {
           Case{"wait 1600\nclick connect Picture1\ntype 155\nprint ip.Text1.Text\n", ""},
           Case{"", ""},
           Case{"expect start.Visible False\n", ""},  // a failed expect is no refusal
           Case{"wait 1600\nclick connect Picture1\nkey 27\njump\n", ""},  // after the end
           Case{"screens\nwait 10\njump 3\n", "line 3: unknown command 'jump'"},
           Case{"wait 86400001\n",
                "line 1: bad time '86400001': a wait is a whole number of ms from 0 to 86400000"},
       }) {
    SCOPED_TRACE(c.script);
    std::istringstream script(c.script);
    std::ostringstream printed;
    std::streambuf* const out = std::cout.rdbuf(printed.rdbuf());
    std::streambuf* const err = std::cerr.rdbuf(printed.rdbuf());
    const std::string refusal = script::ReplayRefusal(script, QUILLON_DATA_FOLDER);
    std::cout.rdbuf(out);
    std::cerr.rdbuf(err);
    EXPECT_EQ(refusal, c.refusal);
    EXPECT_EQ(printed.str(), "");
  }
}

}  // namespace
}  // namespace quillon::testing
