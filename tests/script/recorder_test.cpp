// The recorder without a window: a player's events handed to the game session and recorded as
// they come; script mode plays the recording again to the same screens.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <sstream>

#include "game/game_test.h"
#include "script/recorder.h"
#include "script/runner.h"
#include "session/game_session.h"

namespace quillon::testing {
namespace {

using session::PlayerEvent;

// A file of this test's own in the temporary folder, removed at the end.
struct TemporaryFile {
  explicit TemporaryFile(const std::string& name)
      : path(::testing::TempDir() + std::to_string(::getpid()) + "-" + name) {}
  ~TemporaryFile() { std::filesystem::remove(path); }
  std::string path;
};

std::string ReadFile(const std::string& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// What the player did, as recorded: the file without its two header lines.
std::string Recorded(const std::string& file) {
  const std::string recording = ReadFile(file);
  return recording.substr(recording.find('\n', recording.find('\n') + 1) + 1);
}

std::string Text(const engine::ScreenManager& game, const std::string& screen,
                 const std::string& control) {
  const engine::ScreenState* state = game.Peek(screen);
  return state ? state->Find(control)->text : "<not loaded>";
}

// The screens showing, front to back, each time they differ from the last time noted.
struct ScreenHistory {
  void Note(const engine::ScreenManager& game) {
    std::string screens;
    for (const std::string& screen : game.VisibleFrontToBack()) screens += screen + " ";
    if (seen.empty() || seen.back() != screens) seen.push_back(screens);
  }
  std::vector<std::string> seen;
};

// A recording played in script mode, line by line, the screens noted after each line.
struct ScriptPlay {
  explicit ScriptPlay(const std::string& file)
      : script(file), runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER) {
    runner.Start();
    history.Note(Game());
    script::ScriptReader reader(game::GameScreens(), script);
    while (const std::optional<script::ScriptLine> line = reader.Next()) {
      const bool goesOn = runner.RunLine(*line);
      history.Note(Game());
      if (!goesOn) break;
    }
  }
  const engine::ScreenManager& Game() { return runner.Game().Game(); }

  std::ifstream script;
  std::ostringstream out, err;
  script::ScriptRunner runner;
  ScreenHistory history;
};

// A game played by handing the player's events to its session, and recorded.
struct RecordedGame {
  explicit RecordedGame(const std::string& file)
      : session(game::GameScreens(), sound, documents, dates),
        recorder(file, session.Game(), errors, "2026-01-02") {
    session.SetListener(&recorder);
    session.Start(game::kFirstScreen);
    history.Note(session.Game());
  }

  // Plays a script as a player would: its clicks, its keys one by one, its waits as time
  // passing; the screens are noted after each. Two more lines: `area SCREEN` clicks a screen's
  // empty area, `tab` presses Tab.
  void Play(const std::string& script) {
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line) && !session.Ended();) {
      const script::ScriptCommand command =
          script::ParseScriptLine(game::GameScreens(), line, 0).command;
      if (line.rfind("area ", 0) == 0) session.Deliver(PlayerEvent::ClickOn(line.substr(5), ""));
      if (line == "tab") session.MoveFocus(true);
      if (command.kind == script::ScriptCommand::Kind::Click) {
        session.Deliver(PlayerEvent::ClickOn(command.screen, command.control));
      }
      for (const int key : command.keys) session.Deliver(PlayerEvent::KeyPress(key));
      if (command.kind == script::ScriptCommand::Kind::Wait) session.Advance(command.ms);
      history.Note(session.Game());
    }
  }

  FakeSound sound;
  FakeDocuments documents;
  CzechDates dates;
  std::ostringstream errors;
  session::GameSession session;
  script::ScriptRecorder recorder;
  ScreenHistory history;
};

// Mission 1 of examples/missions-1-2.qs as a player plays it, with time passing between the
// events: across the splash's end at 1600 ms, the calendar's days (3000 ms, then every
// 3002 ms), the password breaker's ticks (every second) and the trace countdown's (every
// 200 ms).
const char* const kMissionOne =
    "wait 1595\nclick board Picture1\n"  // 1595: the splash is still up
    "wait 10\nclick Message Picture2\nwait 700\nclick Message Picture3\n"
    "wait 900\nclick connect Picture1\n"  // 3205: the first day has gone by at 3000
    "wait 300\ntype 1\nwait 120\ntype 5\nwait 130\ntype 5\n"  // 3755: the focus moves on
    "wait 400\ntype 8\nwait 250\nkey 13\n"
    "wait 1545\ntype 1\nwait 100\ntype 3\n"  // the calendar's second day came at 6002 between
    "wait 200\nkey 13\nwait 300\ntype 7\nwait 90\ntype 6\n"
    "wait 600\nclick ip Command1\nwait 800\nclick Programy Command6\n"
    "wait 1200\nclick Programy Command1\n"  // the breaker and the trace start
    "wait 10500\narea Statistika\n"
    "wait 10600\narea login\n"  // the breaker's 21st tick has filled the name and the password
    "wait 300\ntab\nwait 400\nclick login Command1\n"
    "wait 900\nclick Programy Command3\nwait 1300\nclick comp1 Command7\n"
    "wait 1500\nclick map1 Command1\n"  // disconnected before the trace reached 0
    "wait 2000\nclick Message Command1\nwait 1100\nclick board Picture6\n"
    "wait 2500\nclick miseok Picture1\nwait 1234\n";

TEST(RecorderTest, AMissionPlayedReplaysInScriptModeScreenForScreen) {
  TemporaryFile file("mission.qs");
  RecordedGame game(file.path);
  game.Play(kMissionOne);
  game.session.Leave(game.session.Now());
  EXPECT_EQ(game.errors.str(), "");

  const std::string recording = ReadFile(file.path);
  EXPECT_EQ(recording.rfind(
                "# Quillon 1.0.0, a game recorded on 2026-01-02 with quillon --record.\n"
                "# Play it again with quillon --replay FILE (in the window) or quillon --script "
                "FILE.\nwait 1595\nclick board Picture1\nwait 10\n",
                0),
            0u)
      << recording;
  // Keys typed with no timer in between share a line; the calendar's tick between two keys
  // splits them. A control that does nothing stands in for a click on a screen's empty area,
  // and Tab on the login prompt in front is a click on its box.
  for (const char* part : {"wait 300\ntype 155\nwait 650\ntype 8\nwait 250\nkey 13\nwait 1545\n"
                           "type 1\nwait 100\ntype 3\nwait 200\nkey 13\nwait 300\ntype 76\n"
                           "wait 690\nclick ip Command1\n",
                           "wait 10500\nclick Statistika Shape",
                           "wait 10600\nclick login Shape2\nwait 300\nclick login Text2\n"
                           "wait 400\nclick login Command1\n",
                           "wait 2500\nclick miseok Picture1\nwait 1234\n"}) {
    EXPECT_NE(recording.find(part), std::string::npos) << part << "\nin\n" << recording;
  }
  EXPECT_EQ(Recorded(file.path).find('#'), std::string::npos) << "nothing it could not say";

  ScriptPlay replay(file.path);
  EXPECT_EQ(replay.runner.Status(), 0);
  EXPECT_EQ(replay.err.str(), "");
  EXPECT_EQ(replay.history.seen, game.history.seen);
  EXPECT_EQ(game.history.seen.size(), 17u) << "the screens changed 16 times";
  EXPECT_EQ(Text(replay.Game(), "Statistika", "Label3"), "20 000");
  EXPECT_EQ(Text(replay.Game(), "Statistika", "Label2"), "Málo známý");
}

TEST(RecorderTest, KeysTypedInOneMomentShareALineAndAnEditThatIsNoKeyPressIsPressedAgain) {
  TemporaryFile file("keys.qs");
  RecordedGame game(file.path);
  game.session.SceneForTests().Show("login");  // it watches neither its keys nor its changes
  game.Play("wait 100\ntype sysoq\nkey 8\ntype p\nwait 50\n");
  game.session.Deliver(PlayerEvent::EditOf("login", "Text1", "ysop"));  // Delete at the start
  game.Play("wait 50\ntab\ntype žluť \n");
  game.session.Advance(2 * 86'400'000 + 1);  // two days and a little
  game.session.Leave(game.session.Now());
  EXPECT_EQ(Text(game.session.Game(), "login", "Text1"), "ysop");
  EXPECT_EQ(Text(game.session.Game(), "login", "Text2"), "žluť ");
  EXPECT_EQ(Recorded(file.path),
            "wait 100\ntype sysoq\nkey 8\ntype p\nwait 50\nkey 8\nkey 8\nkey 8\nkey 8\nkey 8\n"
            "type ysop\nwait 50\nclick login Text2\ntype žluť \n"
            "wait 86400000\nwait 86400000\nwait 1\n");
  EXPECT_EQ(game.errors.str(), "");
}

// What no script line says, or would read back otherwise, becomes a comment; the player is
// told once, and the recording still replays.
TEST(RecorderTest, WhatNoScriptLineSaysFaithfullyIsACommentAndThePlayerIsToldOnce) {
  TemporaryFile file("comments.qs");
  RecordedGame game(file.path);
  game.Play("wait 1600\nclick connect Picture1\ntype 15\n");
  // The address entry watches its boxes: no key presses stand in for an edit.
  game.session.Deliver(PlayerEvent::EditOf("ip", "Text1", "5"));
  game.recorder.BeforeEvent(PlayerEvent::ClickOn("ip", "Command 1"), 1600, false);
  game.recorder.BeforeEvent(PlayerEvent::KeyPress(9), 1600, false);
  game.session.SceneForTests().Show("login");
  game.session.Deliver(PlayerEvent::EditOf("login", "Text1", "a\tb\n"));
  const std::string why = ": no script line does that, so a replay may differ from here on\n";
  EXPECT_EQ(Recorded(file.path), "wait 1600\nclick connect Picture1\ntype 15\n"
                                 "# an edit of ip.Text1 to '5' that is no key press" + why +
                                     "# click ip Command 1" + why + "# the key of code 9" + why +
                                     "# an edit of login.Text1 to 'a?b?' that is no key press" +
                                     why);
  EXPECT_EQ(game.errors.str(),
            "quillon: the recording cannot hold all the player did (see its comment lines); it "
            "may not replay the same\n");
  ScriptPlay replay(file.path);
  EXPECT_EQ(replay.runner.Status(), 0);
  EXPECT_EQ(replay.err.str(), "");
}

TEST(RecorderTest, ARecordingThatCannotBeWrittenIsToldOnceAndTheGamePlaysOn) {
  for (const std::string file : {"/nonexistent-folder/game.qs", "/dev/full"}) {
    RecordedGame game(file);
    game.Play("wait 1600\nclick board Picture1\nwait 500\nclick Message Picture2\n");
    EXPECT_TRUE(game.session.Game().Peek("Programy")->Find("Command6")->visible) << file;
    game.session.Leave(game.session.Now() + 100);
    EXPECT_EQ(script::GameStatus(&game.recorder), 3);
    const std::string reason =
        file == "/dev/full" ? "No space left on device" : "No such file or directory";
    EXPECT_EQ(game.errors.str(), "quillon: cannot record the game to " + file + ": " + reason +
                                     "; the game goes on unrecorded\n");
  }
  EXPECT_EQ(script::GameStatus(nullptr), 0);
}

TEST(RecorderTest, ADeviceThatTakesWritesIsAFineTarget) {
  // Two keys in a row join one `type` line in a file; a device takes them line by line.
  RecordedGame game("/dev/null");
  game.Play("wait 1600\nclick connect Picture1\ntype 15\n");
  game.session.Leave(game.session.Now());
  EXPECT_EQ(game.errors.str(), "");
  EXPECT_EQ(script::GameStatus(&game.recorder), 0);
}

// A second game recording into the file a game records into is refused and empties nothing:
// the first game's recording goes on whole.
TEST(RecorderTest, ASecondGameRecordingIntoTheSameFileIsRefused) {
  TemporaryFile file("shared.qs");
  RecordedGame first(file.path);
  first.Play("wait 1600\nclick board Picture1\n");
  script::RecordingFile second(file.path);
  EXPECT_EQ(second.Refusal(), "another game is recording into it");
  RecordedGame third(file.path);
  EXPECT_EQ(third.errors.str(), "quillon: cannot record the game to " + file.path +
                                    ": another game is recording into it; the game goes on "
                                    "unrecorded\n");
  third.Play("wait 1600\nclick connect Picture1\n");
  first.Play("wait 500\nclick Message Picture2\n");
  first.session.Leave(first.session.Now());
  EXPECT_EQ(Recorded(file.path), "wait 1600\nclick board Picture1\nwait 500\nclick Message Picture2\n");
  EXPECT_EQ(first.errors.str(), "");
}

TEST(RecorderTest, TheGamesOwnSoundsAreRefusedUnderAnyName) {
  const std::filesystem::path folder = ::testing::TempDir() + std::to_string(::getpid()) + "-own";
  std::filesystem::create_directories(folder / "data");
  std::filesystem::copy_file(std::string(QUILLON_DATA_FOLDER) + "/ip.dat", folder / "data/ip.dat");
  std::filesystem::create_hard_link(folder / "data/ip.dat", folder / "other-name.qs");
  std::filesystem::create_symlink(folder / "data", folder / "link");
  const std::string sound = ReadFile(folder / "data/ip.dat");
  for (const std::filesystem::path& name :
       {folder / "data/ip.dat", folder / "other-name.qs", folder / "link/../data/./ip.dat"}) {
    EXPECT_EQ(script::RecordingFile(name, folder / "data").Refusal(),
              "it is one of the game's own sound files")
        << name;
  }
  EXPECT_EQ(ReadFile(folder / "data/ip.dat"), sound) << "the sound is untouched";
  EXPECT_EQ(script::RecordingFile(folder / "game.qs", folder / "data").Refusal(), std::nullopt);
  EXPECT_EQ(script::RecordingFile(folder / "game.qs").Refusal(), std::nullopt)
      << "no folder of sounds: nothing to protect";
  std::filesystem::remove_all(folder);
}

// What a game recorded in a child process of the test left in `file`, and what it told the
// player: mission 1, then left after a long while (300 days of `wait` lines, over 4 KiB in all).
struct ChildRecording {
  int status = -1;  // the game's exit status, or 77 when `prepare` could not set up the file
  std::string told, recorded;
};

ChildRecording RecordInChild(const std::string& file, const std::function<bool()>& prepare) {
  int pipe[2];
  if (::pipe(pipe) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    if (!prepare()) ::_exit(77);
    std::string told, recorded;
    int status = 0;
    {
      RecordedGame game(file);
      game.Play(kMissionOne);
      // Told straight away: the game's timers need not tick through all those days.
      game.recorder.GameOver(game.session.Now() + 300LL * 86'400'000);
      told = game.errors.str();
      recorded = ReadFile(file);
      status = script::GameStatus(&game.recorder);
    }
    const std::string message = told + '\0' + recorded;
    for (size_t done = 0; done < message.size();) {
      const ssize_t written = ::write(pipe[1], message.data() + done, message.size() - done);
      if (written <= 0) ::_exit(1);
      done += size_t(written);
    }
    ::_exit(status);
  }
  ::close(pipe[1]);
  std::string message;
  char buffer[4096];
  for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) > 0;) message.append(buffer, size_t(got));
  ::close(pipe[0]);
  int waited = 0;
  ::waitpid(child, &waited, 0);
  ChildRecording result;
  result.status = WIFEXITED(waited) ? WEXITSTATUS(waited) : -1;
  const size_t split = message.find('\0');
  if (split != std::string::npos) {
    result.told = message.substr(0, split);
    result.recorded = message.substr(split + 1);
  }
  return result;
}

// A recording cut short by a failed write ends with its last whole line, every line of it read
// by the script codec; the player is told once, and the game ends with status 3.
void ExpectCutAtALineEnd(const ChildRecording& child, const std::string& file,
                         const std::string& reason, size_t room) {
  EXPECT_EQ(child.status, 3);
  EXPECT_EQ(child.told, "quillon: cannot record the game to " + file + ": " + reason +
                            "; the recording ends here, and replays up to its last whole line\n");
  ASSERT_FALSE(child.recorded.empty());
  EXPECT_LE(child.recorded.size(), room);
  EXPECT_EQ(child.recorded.back(), '\n') << "no line torn";
  EXPECT_EQ(child.recorded.rfind("# Quillon 1.0.0, a game recorded on 2026-01-02", 0), 0u);
  std::istringstream lines(child.recorded);
  script::ScriptReader reader(game::GameScreens(), lines);
  while (const std::optional<script::ScriptLine> line = reader.Next()) {
    EXPECT_EQ(line->refusal, "") << "line " << line->number;
  }
}

TEST(RecorderTest, AFileThatTakesNoMoreBytesKeepsTheRecordingUpToItsLastWholeLine) {
  // A file size limit makes the write that reaches it short, mid-line, and the next one fail,
  // as a disk filling up does.
  TemporaryFile file("limited.qs");
  const rlim_t room = 300;
  const ChildRecording child = RecordInChild(file.path, [room] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{room, room};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  });
  ExpectCutAtALineEnd(child, file.path, "File too large", room);
  // The limit falls within the line of the second key typed: the file ends with the first.
  EXPECT_LT(child.recorded.size(), room);
  EXPECT_TRUE(child.recorded.ends_with("click connect Picture1\nwait 300\ntype 1\n"))
      << child.recorded;
  // And script mode plays it up to there: the address entry is open.
  TemporaryFile kept("kept.qs");
  std::ofstream(kept.path) << child.recorded;
  ScriptPlay replay(kept.path);
  EXPECT_EQ(replay.runner.Status(), 0);
  EXPECT_EQ(replay.err.str(), "");
  EXPECT_EQ(replay.history.seen.back(), "ip connect Message board Programy Statistika dny back ");
}

TEST(RecorderTest, AFullDiskKeepsTheRecordingUpToItsLastWholeLine) {
  // A file system of one 4 KiB page of its own, in a mount namespace of the child's own.
  const std::string folder = ::testing::TempDir() + std::to_string(::getpid()) + "-full";
  std::filesystem::create_directories(folder);
  const std::string file = folder + "/game.qs";
  const ChildRecording child = RecordInChild(file, [&folder] {
    return ::unshare(CLONE_NEWNS) == 0 &&
           ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=4k") == 0;
  });
  std::filesystem::remove_all(folder);
  if (child.status == 77) GTEST_SKIP() << "no small file system of its own here (it needs root)";
  ExpectCutAtALineEnd(child, file, "No space left on device", 4096);
  EXPECT_NE(child.recorded.find("click miseok Picture1\nwait 86400000\n"),
            std::string::npos)
      << "all of mission 1 fits";
}

}  // namespace
}  // namespace quillon::testing
