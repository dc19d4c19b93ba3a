// A game played in the real window with the mouse and the keyboard, recorded as it is played:
// only what the game takes is recorded, at the moment it takes it. What the recorder writes for
// each event is tested without a window in tests/script/recorder_test.cpp.
#include <QTemporaryDir>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "qt/control_style.h"
#include "qt/qt_services.h"
#include "qt/window_harness.h"
#include "script/recorder.h"
#include "script/runner.h"

namespace quillon::testing {
namespace {

// The game in its window on a real clock the test moves, recorded from its start.
struct RecordedWindow : WindowHarness {
  explicit RecordedWindow(const std::string& file, engine::SoundPlayer* player = nullptr)
      : WindowHarness(game::GameScreens(), game::kFirstScreen, player),
        recorder(file, session.Game(), errors, "2026-01-02") {
    session.SetListener(&recorder);
  }

  // Real time passes: the window's own timer, armed for the next tick, catches the game up.
  void Pass(std::int64_t ms) {
    real.Set(real.NowMs() + ms);
    window.Refresh();
    Settle();
  }

  // The middle of a control on the desktop, where the player clicks it.
  QPoint PointOf(const std::string& screen, const std::string& control) {
    const engine::ScreenDesign& design = *manager.Design(screen);
    const engine::ControlDesign& c = *design.Find(control);
    return window.mapFromScene(qt::ControlRect(c, c.caption)
                                   .translated(qt::Px(design.Left()), qt::Px(design.Top()))
                                   .center());
  }

  std::ostringstream errors;
  script::ScriptRecorder recorder;
};

// What the player did, as recorded: the file without its two header lines.
std::string Recorded(const std::string& file) {
  std::ifstream in(file);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  return text.substr(text.find('\n', text.find('\n') + 1) + 1);
}

// The credits' close picture shows 3800 ms after they open; the player clicks it at that very
// moment, before the window's timer has run: the tick comes first, so the click ends the game,
// in the window as in script mode.
TEST(RecordTest, AClickInTheSameInstantATimerFallsDueComesAfterTheTickAndReplaysSo) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("credits.qs")).toStdString();
  RecordedWindow game(file);
  game.Pass(2000);
  game.ClickAt(game.PointOf("Statistika", "Command1"));
  ASSERT_TRUE(game.manager.Peek("about"));
  game.real.Set(5800);  // the window's timer, armed for 5800, has not run yet
  game.ClickAt(game.window.mapFromScene(QPointF(359 + 192 + 39, 236 + 240 + 12)));
  EXPECT_TRUE(game.manager.Ended());
  EXPECT_EQ(Recorded(file),
            "wait 2000\nclick Statistika Command1\nwait 3800\nclick about Picture2\n");

  std::ifstream script(file);
  std::ostringstream out, err;
  EXPECT_EQ(script::RunScript(game::GameScreens(), script, out, err, QUILLON_DATA_FOLDER).status,
            0);
  EXPECT_EQ(out.str(), "sound data/about.dat\nended\n");
  EXPECT_EQ(err.str(), "");
}

TEST(RecordTest, OnlyWhatTheGameTakesIsRecorded) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("double.qs")).toStdString();
  RecordedWindow game(file);
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
  QTest::keyClick(&game.window, Qt::Key_F11);                 // the window's own key
  QTest::keyClick(&game.window, Qt::Key_Tab);                 // no text box on the desktop
  game.ClickAt(game.window.mapFromScene(QPointF(500, 700)));  // the backdrop, disabled
  game.Pass(300);
  // "Konec hry" is a click area: a double click on it is one click, which opens the credits.
  doubleClick(game.PointOf("Statistika", "Command1"));
  EXPECT_TRUE(game.manager.Peek("about"));
  EXPECT_EQ(Recorded(file),
            "wait 1600\nclick board Picture1\nwait 100\nclick Message Command3\nwait 400\n"
            "click Statistika Command1\n");
  EXPECT_EQ(game.errors.str(), "");
}

// Backspace, Enter and Escape typed in the address entry with the real sound player, recording,
// on a machine that may have no audio output: the sounds play to nobody rather than fail, so
// the game goes as in script mode, which replays the recording to the same end.
TEST(RecordTest, EditingKeysAndSoundsWithoutAudioOutputReplayTheSame) {
  QTemporaryDir folder;
  const std::string file = folder.filePath(QStringLiteral("keys.qs")).toStdString();
  qt::QtSoundPlayer sound(QUILLON_DATA_FOLDER, true, QUILLON_SOUND_MODULE);
  RecordedWindow game(file, &sound);
  const auto text = [&game](const std::string& box) {
    return game.manager.Peek("ip")->Find(box)->text;
  };
  game.Pass(1600);
  game.ClickAt(game.PointOf("board", "Picture1"));    // the first mission's message
  game.ClickAt(game.PointOf("Message", "Picture2"));  // its attachment
  game.ClickAt(game.PointOf("Message", "Picture3"));
  game.ClickAt(game.PointOf("connect", "Picture1"));  // the address entry
  QTest::keyClicks(&game.window, QStringLiteral("15"));
  QTest::keyClick(&game.window, Qt::Key_Backspace);
  QTest::keyClicks(&game.window, QStringLiteral("558"));
  QTest::keyClick(&game.window, Qt::Key_Return);
  QTest::keyClicks(&game.window, QStringLiteral("1"));
  EXPECT_EQ(text("Text1") + "." + text("Text2") + "." + text("Text3"), "155.8.1");
  EXPECT_FALSE(game.manager.Peek("error")) << "no notice for a sound played to nobody";
  QTest::keyClick(&game.window, Qt::Key_Escape);
  WindowHarness::Settle();
  EXPECT_TRUE(game.session.Ended());

  const std::string recorded = Recorded(file);
  EXPECT_EQ(recorded.substr(recorded.find("type")),
            "type 15\nkey 8\ntype 55\ntype 8\nkey 13\ntype 1\nkey 27\n");
  std::ifstream script(file);
  std::ostringstream out, err;
  EXPECT_EQ(script::RunScript(game::GameScreens(), script, out, err, QUILLON_DATA_FOLDER).status,
            0);
  std::string sounds;
  for (int key = 0; key < 8; ++key) sounds += "sound data/ip.dat\n";
  EXPECT_EQ(out.str(), sounds + "ended\n") << "eight keys click, Escape ends the game";
  EXPECT_EQ(err.str(), "");
}

// On a machine without audio output a recorded game's sounds play to nobody, so that it goes as
// its replay will; the player is told once why no notice came. A game not recorded fails the
// sound, and its notice says so.
TEST(RecordTest, SoundsPlayedToNobodyWhileRecordingAreToldOnce) {
  std::ostringstream told;
  std::streambuf* const standardError = std::cerr.rdbuf(told.rdbuf());
  qt::QtSoundPlayer recorded(QUILLON_DATA_FOLDER, true, QUILLON_SILENT_SOUND_MODULE);
  const bool first = recorded.Play("data/ip.dat");
  const bool second = recorded.Play("data/about.dat");
  const std::string whileRecorded = told.str();
  told.str("");
  qt::QtSoundPlayer played(QUILLON_DATA_FOLDER, false, QUILLON_SILENT_SOUND_MODULE);
  const bool unrecorded = played.Play("data/ip.dat");
  std::cerr.rdbuf(standardError);

  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_EQ(whileRecorded,
            "quillon: no audio output: the game's sounds play to nobody while it is recorded, "
            "without the error notice, so that the recording replays the same\n");
  EXPECT_FALSE(unrecorded);
  EXPECT_EQ(told.str(), "");
}

}  // namespace
}  // namespace quillon::testing
