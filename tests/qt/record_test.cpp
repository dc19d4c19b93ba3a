// A game played in the real window with the mouse and the keyboard, on a real-time clock the
// test moves, recorded as it is played; the recording then plays again in script mode to the
// same end, screen for screen.
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <sstream>

#include "script/recorder.h"
#include "script/runner.h"
#include "qt/look.h"
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

std::string Join(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  return joined;
}

std::string ReadFile(const std::string& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The screens showing, front to back, each time they differ from the last time noted.
struct ScreenHistory {
  void Note(const engine::ScreenManager& manager) {
    const std::string screens = Join(manager.VisibleFrontToBack());
    if (seen.empty() || seen.back() != screens) seen.push_back(screens);
  }
  std::vector<std::string> seen;
};

// Hears of every event as the recorder does, noting the screens before and after each.
struct Watcher : session::PlayerEventListener {
  Watcher(const engine::ScreenManager& manager, session::PlayerEventListener& next)
      : manager(manager), next(next) {}
  void BeforeEvent(const session::PlayerEvent& event, std::int64_t moment, bool timersFired) override {
    history.Note(manager);
    next.BeforeEvent(event, moment, timersFired);
  }
  void AfterEvent(const session::PlayerEvent& event, bool clockRead) override {
    next.AfterEvent(event, clockRead);
    history.Note(manager);
  }
  void GameOver(std::int64_t moment) override {
    next.GameOver(moment);
    history.Note(manager);
  }
  const engine::ScreenManager& manager;
  session::PlayerEventListener& next;
  ScreenHistory history;
};

// The game in its window, played in real time on a clock the test moves, and recorded.
struct RecordedGame {
  explicit RecordedGame(const std::string& file)
      : manager(game::GameScreens(), engine::Services{&sound, &documents, &dates, &clock}),
        recorder(file, manager, errors, "2026-01-02"),
        watcher(manager, recorder),
        window(manager, clock, real) {
    window.SetEventListener(&watcher);
    window.resize(1024, 768);
    window.show();
    manager.Start(game::kFirstScreen);
    watcher.history.Note(manager);
    window.Refresh();
    WindowHarness::Settle();
  }

  // Real time passes: the window's own timer, armed for the next tick, catches the game up.
  void Pass(std::int64_t ms) {
    real.Set(real.NowMs() + ms);
    window.Refresh();
    WindowHarness::Settle();
  }

  // Where the player clicks a control: the middle of its rectangle on the desktop, or the
  // first point of it where the click reaches it when something lies over its middle.
  QPoint PointOf(const std::string& screen, const std::string& control) {
    const engine::ScreenDesign& design = *manager.Design(screen);
    const engine::ControlDesign& c = *design.Find(control);
    const engine::ScreenState* state = manager.Peek(screen);
    const QRectF rect = qt::ControlRect(c, state ? state->Find(control)->text : c.caption)
                            .translated(qt::Px(design.Left()), qt::Px(design.Top()));
    std::vector<QPointF> points{rect.center()};
    for (double y = rect.top() + 1; y < rect.bottom(); y += 2) {
      for (double x = rect.left() + 1; x < rect.right(); x += 2) points.emplace_back(x, y);
    }
    for (const QPointF& point : points) {
      const std::optional<qt::GameWindow::Hit> hit = window.HitAt(point);
      if (hit && hit->screen == screen && hit->control == control) {
        return window.mapFromScene(point);
      }
    }
    ADD_FAILURE() << "no point of " << screen << "." << control << " takes a click";
    return window.mapFromScene(rect.center());
  }

  // A point of a screen where no control takes the click.
  QPoint EmptyAreaOf(const std::string& screen) {
    const engine::ScreenDesign& design = *manager.Design(screen);
    const QRectF rect(qt::Px(design.Left()), qt::Px(design.Top()), qt::Px(design.width),
                      qt::Px(design.height));
    for (double y = rect.top() + 1; y < rect.bottom(); y += 2) {
      for (double x = rect.left() + 1; x < rect.right(); x += 2) {
        const std::optional<qt::GameWindow::Hit> hit = window.HitAt(QPointF(x, y));
        if (hit && hit->screen == screen && hit->control.empty()) {
          return window.mapFromScene(QPointF(x, y));
        }
      }
    }
    ADD_FAILURE() << "no empty area on " << screen;
    return {};
  }

  void ClickAt(QPoint point) {
    QTest::mouseClick(window.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    WindowHarness::Settle();
  }
  // Characters as the keyboard types them, each a key press and release of its own.
  void TypeText(const QString& text) {
    for (const uint code : text.toUcs4()) {
      const char32_t character = char32_t(code);
      const QString typed = QString::fromUcs4(&character, 1);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
      QCoreApplication::sendEvent(&window, &press);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed);
      QCoreApplication::sendEvent(&window, &release);
    }
    WindowHarness::Settle();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&window, key, modifiers);
    WindowHarness::Settle();
  }

  // Plays a script as a player would: its clicks with the mouse, its keys on the keyboard,
  // its waits as real time passing. Two more lines: `area SCREEN` clicks a screen's empty
  // area, `tab` presses Tab. Everything else of the script is left out.
  void Play(const std::string& script) {
    std::istringstream lines(script);
    std::int64_t number = 0;
    for (std::string line; std::getline(lines, line);) {
      ++number;
      if (line.rfind("area ", 0) == 0) {
        ClickAt(EmptyAreaOf(line.substr(5)));
        continue;
      }
      if (line == "tab") {
        Key(Qt::Key_Tab);
        continue;
      }
      const script::ScriptLine parsed = script::ParseScriptLine(game::GameScreens(), line, number);
      ASSERT_EQ(parsed.refusal, "") << line;
      const script::ScriptCommand& command = parsed.command;
      switch (command.kind) {
        case script::ScriptCommand::Kind::Click:
          ClickAt(PointOf(command.screen, command.control));
          break;
        case script::ScriptCommand::Kind::Type:
          for (const int code : command.keys) {
            const char32_t character = char32_t(code);
            TypeText(QString::fromUcs4(&character, 1));
          }
          break;
        case script::ScriptCommand::Kind::Key:
          Key(command.keys[0] == 8    ? Qt::Key_Backspace
              : command.keys[0] == 13 ? Qt::Key_Return
                                      : Qt::Key_Escape);
          break;
        case script::ScriptCommand::Kind::Wait:
          Pass(command.ms);
          break;
        default:
          break;
      }
      if (manager.Ended()) break;
    }
  }

  void Close() {
    window.close();
    WindowHarness::Settle();
  }

  std::string Text(const std::string& screen, const std::string& control) const {
    const engine::ScreenState* state = manager.Peek(screen);
    return state ? state->Find(control)->text : "<not loaded>";
  }

  engine::VirtualClock real;
  engine::VirtualClock clock;
  FakeSound sound;
  FakeDocuments documents;
  CzechDates dates;
  std::ostringstream errors;
  engine::ScreenManager manager;
  script::ScriptRecorder recorder;
  Watcher watcher;
  qt::GameWindow window;
};

// A recording played in script mode, line by line, the screens noted after each line.
struct ScriptPlay {
  explicit ScriptPlay(const std::string& file)
      : script(file), runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER) {
    runner.Start();
    history.Note(runner.Manager());
    script::ScriptReader reader(game::GameScreens(), script);
    while (const std::optional<script::ScriptLine> line = reader.Next()) {
      const bool goesOn = runner.RunLine(*line);
      history.Note(runner.Manager());
      if (!goesOn) break;
    }
    runner.ReportLinesAfterTheEnd(reader);
  }

  std::string Text(const std::string& screen, const std::string& control) {
    const engine::ScreenState* state = runner.Manager().Peek(screen);
    return state ? state->Find(control)->text : "<not loaded>";
  }

  std::ifstream script;
  std::ostringstream out, err;
  script::ScriptRunner runner;
  ScreenHistory history;
};

// Mission 1 of examples/missions-1-2.qs as a player plays it, with time passing between the
// events: across the splash's end at 1600 ms, the calendar's days (3000 ms, then every
// 3002 ms), the password breaker's ticks (every second) and the trace countdown's (every
// 200 ms).
const char* const kMissionOne =
    "wait 1595\n"
    "click board Picture1\n"  // 1595: the splash is still up
    "wait 10\n"
    "click Message Picture2\n"
    "wait 700\n"
    "click Message Picture3\n"
    "wait 900\n"
    "click connect Picture1\n"  // 3205: the first day has gone by at 3000
    "wait 300\n"
    "type 1\n"
    "wait 120\n"
    "type 5\n"
    "wait 130\n"
    "type 5\n"  // 3755: the focus moves on by itself
    "wait 400\n"
    "type 8\n"
    "wait 250\n"
    "key 13\n"
    "wait 1545\n"
    "type 1\n"  // 5950
    "wait 100\n"
    "type 3\n"  // 6050: the calendar's second day came at 6002 between the two
    "wait 200\n"
    "key 13\n"
    "wait 300\n"
    "type 7\n"
    "wait 90\n"
    "type 6\n"
    "wait 600\n"
    "click ip Command1\n"
    "wait 800\n"
    "click Programy Command6\n"
    "wait 1200\n"
    "click Programy Command1\n"  // the breaker and the trace start
    "wait 10500\n"
    "area Statistika\n"
    "wait 10600\n"  // the breaker's 21st tick has filled the name and the password
    "area login\n"
    "wait 300\n"
    "tab\n"
    "wait 400\n"
    "click login Command1\n"
    "wait 900\n"
    "click Programy Command3\n"
    "wait 1300\n"
    "click comp1 Command7\n"
    "wait 1500\n"
    "click map1 Command1\n"  // disconnected before the trace reached 0
    "wait 2000\n"
    "click Message Command1\n"
    "wait 1100\n"
    "click board Picture6\n"
    "wait 2500\n"
    "click miseok Picture1\n"
    "wait 1234\n";

TEST(RecordTest, AMissionPlayedInTheWindowReplaysInScriptModeScreenForScreen) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("mission.qs")).toStdString();
  RecordedGame game(file);
  game.Play(kMissionOne);
  ASSERT_FALSE(game.manager.Ended());
  EXPECT_EQ(game.Text("Statistika", "Label3"), "20 000");
  EXPECT_EQ(game.Text("Statistika", "Label2"), "Málo známý");
  EXPECT_EQ(game.Text("Statistika", "Label1"), "Není");
  game.Close();
  EXPECT_EQ(game.errors.str(), "");
  EXPECT_FALSE(game.recorder.Failed());

  const std::string recording = ReadFile(file);
  EXPECT_EQ(
      recording.rfind("# Quillon 1.0.0, a game recorded on 2026-01-02 with quillon --record.\n"
                      "# Play it again with quillon --replay FILE (in the window) or quillon "
                      "--script FILE.\n"
                      "wait 1595\n"
                      "click board Picture1\n"
                      "wait 10\n"
                      "click Message Picture2\n",
                      0),
      0u)
      << recording;
  // Keys typed with no timer in between share a line; the calendar's tick between two keys
  // splits them.
  EXPECT_NE(recording.find("wait 300\ntype 155\nwait 650\ntype 8\nwait 250\nkey 13\n"
                           "wait 1545\ntype 1\nwait 100\ntype 3\nwait 200\nkey 13\n"
                           "wait 300\ntype 76\nwait 690\nclick ip Command1\n"),
            std::string::npos)
      << recording;
  // The empty area of the statistics is clicked through a control that does nothing, and Tab
  // on the login prompt in front is a click on its box.
  EXPECT_NE(recording.find("wait 10500\nclick Statistika Shape"), std::string::npos) << recording;
  EXPECT_NE(recording.find("wait 10600\nclick login Shape2\nwait 300\nclick login Text2\nwait 400\n"
                           "click login Command1\n"),
            std::string::npos)
      << recording;
  EXPECT_EQ(recording.find("# ", 200), std::string::npos) << "nothing it could not say";
  const std::string end = "wait 2500\nclick miseok Picture1\nwait 1234\n";
  EXPECT_EQ(recording.substr(recording.size() - end.size()), end) << "it ran on until closed";

  ScriptPlay replay(file);
  EXPECT_EQ(replay.runner.Status(), 0);
  EXPECT_EQ(replay.err.str(), "");
  EXPECT_EQ(replay.history.seen, game.watcher.history.seen);
  EXPECT_EQ(game.watcher.history.seen.size(), 17u) << "the screens changed 16 times";
  EXPECT_EQ(replay.Text("Statistika", "Label3"), "20 000");
  EXPECT_EQ(replay.Text("Statistika", "Label2"), "Málo známý");
  EXPECT_EQ(replay.Text("Statistika", "Label1"), "Není");
  EXPECT_EQ(replay.Text("board", "Picture2"), game.Text("board", "Picture2"));
  // 41 574 ms of game: the calendar's 13th day came at 3000 + 12 x 3002 = 39 024 ms.
  EXPECT_EQ(replay.Text("dny", "Label2"), "3.12.2010");
  EXPECT_EQ(game.Text("dny", "Label2"), "3.12.2010");
  EXPECT_EQ(Join(replay.runner.Manager().VisibleFrontToBack()),
            Join(game.manager.VisibleFrontToBack()));
}

TEST(RecordTest, TheWholeGameOfTheFullGameExamplePlayedInTheWindowReplaysTheSame) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("full-game.qs")).toStdString();
  RecordedGame game(file);
  game.Play(ReadFile(QUILLON_EXAMPLES_FOLDER "/full-game.qs"));
  EXPECT_TRUE(game.manager.Ended()) << "the credits' close picture ends the game";
  EXPECT_EQ(game.errors.str(), "");

  ScriptPlay replay(file);
  EXPECT_EQ(replay.runner.Status(), 0);
  EXPECT_EQ(replay.err.str(), "");
  EXPECT_TRUE(replay.runner.Manager().Ended());
  const std::string out = replay.out.str();
  const std::string ending = "sound data/about.dat\nended\n";
  EXPECT_EQ(out.substr(out.size() - ending.size()), ending);
  EXPECT_EQ(replay.history.seen, game.watcher.history.seen);
  EXPECT_EQ(game.watcher.history.seen.size(), 84u) << "the screens changed 83 times";
  const std::string recording = ReadFile(file);
  EXPECT_EQ(recording.find("# ", 200), std::string::npos) << recording;
  const std::string end = "wait 3800\nclick about Picture2\n";
  EXPECT_EQ(recording.substr(recording.size() - end.size()), end);
}

// The credits' close picture shows 3800 ms after they open; the player clicks it at that very
// moment, before the window's timer has run: the tick comes first, so the click ends the game.
TEST(RecordTest, AClickInTheSameInstantATimerFallsDueComesAfterTheTickAndReplaysSo) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("credits.qs")).toStdString();
  RecordedGame game(file);
  game.Play("wait 2000\nclick Statistika Command1\n");
  ASSERT_TRUE(game.manager.Peek("about"));
  const QPoint close = game.window.mapFromScene(QPointF(359 + 192 + 39, 236 + 240 + 12));
  game.real.Set(5800);  // the window's timer, armed for 5800, has not run yet
  game.ClickAt(close);
  EXPECT_TRUE(game.manager.Ended());
  EXPECT_EQ(ReadFile(file).substr(script::RecordingHeader("2026-01-02").size()),
            "wait 2000\nclick Statistika Command1\nwait 3800\nclick about Picture2\n");

  ScriptPlay replay(file);
  EXPECT_EQ(replay.out.str(), "sound data/about.dat\nended\n");
  EXPECT_EQ(replay.err.str(), "");
  EXPECT_EQ(replay.history.seen, game.watcher.history.seen);
}

TEST(RecordTest, KeysTypedInOneMomentShareALineAndAnEditThatIsNoKeyPressIsPressedAgain) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("keys.qs")).toStdString();
  RecordedGame game(file);
  // The login prompt, which watches neither its keys nor its changes.
  game.manager.Show("login");
  game.window.Refresh();
  WindowHarness::Settle();
  game.Pass(100);
  QTest::keyClicks(&game.window, QStringLiteral("sysoq"));
  game.Key(Qt::Key_Backspace);
  QTest::keyClicks(&game.window, QStringLiteral("p"));
  game.Pass(50);
  game.Key(Qt::Key_Home);
  game.Key(Qt::Key_Delete);  // no key press of the game: the box's text changes
  game.Pass(50);
  game.Key(Qt::Key_Tab);
  game.TypeText(QStringLiteral("žluť"));
  EXPECT_EQ(game.Text("login", "Text1"), "ysop");
  EXPECT_EQ(game.Text("login", "Text2"), "žluť");
  game.Close();
  EXPECT_EQ(ReadFile(file).substr(script::RecordingHeader("2026-01-02").size()),
            "wait 100\ntype sysoq\nkey 8\ntype p\nwait 50\nkey 8\nkey 8\nkey 8\nkey 8\nkey 8\n"
            "type ysop\nwait 50\nclick login Text2\ntype žluť\n");
  EXPECT_EQ(game.errors.str(), "");
}

TEST(RecordTest, WhatNoScriptLineCanSayIsACommentAndThePlayerIsToldOnce) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("edit.qs")).toStdString();
  RecordedGame game(file);
  game.Play("wait 1600\nclick connect Picture1\ntype 15\n");
  game.Key(Qt::Key_Home);
  game.Key(Qt::Key_Delete);  // the address entry watches its boxes: no key presses stand in
  game.Key(Qt::Key_Delete);
  EXPECT_EQ(game.Text("ip", "Text1"), "");
  EXPECT_EQ(ReadFile(file).substr(script::RecordingHeader("2026-01-02").size()),
            "wait 1600\nclick connect Picture1\ntype 15\n"
            "# an edit of ip.Text1 to '5' that is no key press: no script line does that, so a "
            "replay may differ from here on\n"
            "# an edit of ip.Text1 to '' that is no key press: no script line does that, so a "
            "replay may differ from here on\n");
  EXPECT_EQ(game.errors.str(),
            "quillon: the recording cannot hold all the player did (see its comment lines); it "
            "may not replay the same\n");
}

TEST(RecordTest, ARecordingThatCannotBeWrittenIsToldOnceAndTheGamePlaysOn) {
  for (const char* file : {"/nonexistent-folder/game.qs", "/dev/full"}) {
    RecordedGame game(file);
    game.Play("wait 1600\nclick board Picture1\nwait 500\nclick Message Picture2\n");
    EXPECT_TRUE(game.manager.Peek("Programy")->Find("Command6")->visible) << file;
    game.Close();
    EXPECT_TRUE(game.recorder.Failed()) << file;
    EXPECT_EQ(script::GameStatus(&game.recorder), 3);
    const std::string reason =
        std::string(file) == "/dev/full" ? "No space left on device" : "No such file or directory";
    EXPECT_EQ(game.errors.str(), "quillon: cannot record the game to " + std::string(file) + ": " +
                                     reason + "; the game goes on unrecorded\n");
  }
  EXPECT_EQ(script::GameStatus(nullptr), 0);
}

TEST(RecordTest, OnlyWhatTheGameReceivesIsRecorded) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("double.qs")).toStdString();
  RecordedGame game(file);
  const auto doubleClick = [&game](QPoint at) {
    QTest::mouseClick(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(game.window.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    WindowHarness::Settle();
  };
  game.Pass(1600);
  doubleClick(game.PointOf("board", "Picture1"));  // a picture takes a double click as one
  game.Pass(100);
  game.ClickAt(game.PointOf("Message", "Command3"));  // "Storno"
  game.Pass(100);
  game.Key(Qt::Key_F11);                                      // the window's own key
  game.Key(Qt::Key_Tab);                                      // no text box on the desktop
  game.ClickAt(game.window.mapFromScene(QPointF(500, 700)));  // the backdrop, disabled
  game.Pass(300);
  // "Konec hry" is a click area: a double click on it is one click, which opens the credits.
  doubleClick(game.PointOf("Statistika", "Command1"));
  EXPECT_TRUE(game.manager.Peek("about"));
  EXPECT_EQ(ReadFile(file).substr(script::RecordingHeader("2026-01-02").size()),
            "wait 1600\nclick board Picture1\nwait 100\nclick Message Command3\nwait 400\n"
            "click Statistika Command1\n");
}

}  // namespace
}  // namespace quillon::testing
