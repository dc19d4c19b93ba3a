#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>

#include "game/game.h"
#include "script/runner.h"
#include "game/desktop/about.h"

namespace quillon {
namespace {

struct ScriptRun {
  int status = -1;
  std::string refusal;
  std::string out;
  std::string err;
};

ScriptRun RunWith(const std::string& script, const std::filesystem::path& folder) {
  std::istringstream in(script);
  std::ostringstream out, err;
  ScriptRun run;
  const script::ScriptResult result = script::RunScript(game::GameScreens(), in, out, err, folder);
  run.status = result.status;
  run.refusal = result.refusal;
  run.out = out.str();
  run.err = err.str();
  return run;
}

ScriptRun RunScriptText(const std::string& script) {
  return RunWith(script, QUILLON_DATA_FOLDER);
}

// The address entry open, its first box focused; each key there plays the key click.
const char* const kAddressEntryOpen = "wait 1600\nclick connect Picture1\n";

TEST(ScriptModeTest, PrintShowsEveryKindOfValueWithoutLoadingAnything) {
  ScriptRun run = RunScriptText(
      "print back.Enabled\nprint back.Check1.Value\nprint board.Picture1.Visible\n"
      "print Statistika.Label2.Caption\nprint dny.Timer2.Enabled\nprint miseok.Visible\n"
      "print miseok.Enabled\nprint miseok.Label1.Caption\nprint miseok.Loaded\nfocus\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "back.Enabled=False\nback.Check1.Value=0\nboard.Picture1.Visible=True\n"
            "Statistika.Label2.Caption=Začátečník\ndny.Timer2.Enabled=False\n"
            "miseok.Visible=False\nmiseok.Enabled=<not loaded>\n"
            "miseok.Label1.Caption=<not loaded>\nmiseok.Loaded=False\nfocus=\n");
}

// A line the reader refuses stops the run at that line, with status 2 and the reason; nothing
// after it runs. The reasons are the codec's (CodecTest).
TEST(ScriptModeTest, ARefusedLineStopsTheRunWithItsReason) {
  ScriptRun run = RunScriptText("print start.Visible\njump board\nprint start.Visible\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.refusal, "line 2: unknown command 'jump'");
  EXPECT_EQ(run.out, "start.Visible=True\n");
  EXPECT_EQ(run.err, "quillon: line 2: unknown command 'jump'\n");
}

TEST(ScriptModeTest, AWaitOfAWholeDayFiresEveryTimerOnTheWay) {
  // A whole day at once: the calendar turns a day every three seconds and a little.
  ScriptRun run = RunScriptText("wait 0\nwait 86400000\nprint dny.Label2.Caption\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "dny.Label2.Caption=6.9.2089\n");
}

TEST(ScriptModeTest, KeysTypeWholeCharactersIntoTheFocusedBoxOrNowhere) {
  // The characters on either side of the surrogates and the last one; Backspace takes a
  // whole character.
  const std::string key = "sound data/ip.dat\n";
  ScriptRun run = RunScriptText(std::string(kAddressEntryOpen) +
                                "key 32\nkey 55295\nkey 8\nkey 57344\nkey 1114111\n"
                                "print ip.Text1.Text\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, key + key + key + key + key + "ip.Text1.Text= \xEE\x80\x80\xF4\x8F\xBF\xBF\n");
  // Two, three and four bytes a character; the third moves the focus on.
  run = RunScriptText(std::string(kAddressEntryOpen) +
                      "type ř€\xF0\x9D\x84\x9E\nprint ip.Text1.Text\nfocus\n");
  EXPECT_EQ(run.out, key + key + key + "ip.Text1.Text=ř€\xF0\x9D\x84\x9E\nfocus=ip.Text2\n");
  run = RunScriptText("type 155\nkey 13\nkey 8\nfocus\nscreens\n");
  EXPECT_EQ(run.out, "focus=\nscreens: start Programy connect Statistika dny board back\n");
}

// A typed key is a change a window would redraw; a refused line types nothing at all, not
// even the characters before the fault.
TEST(ScriptModeTest, TypeTypesEveryCharacterOrNoneOfThem) {
  std::ostringstream out, err;
  script::ScriptRunner runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER);
  runner.Start();
  EXPECT_TRUE(runner.RunLine("wait 1600", 1));
  EXPECT_TRUE(runner.RunLine("click connect Picture1", 2));
  const engine::ScreenManager& game = runner.Game().Game();
  const std::uint64_t revision = game.Revision();
  EXPECT_TRUE(runner.RunLine("type 1", 3));
  EXPECT_GT(game.Revision(), revision);
  EXPECT_FALSE(runner.RunLine("type 23\x01", 4));
  EXPECT_EQ(runner.Status(), 2);
  EXPECT_EQ(game.Peek("ip")->Find("Text1")->text, "1");
}

// What follows the end is neither run nor read (it may never end): one line more tells whether
// the script goes on, a blank line or comment at the very end aside.
TEST(ScriptModeTest, LinesAfterTheEndAreNeitherRunNorRead) {
  const std::string escape = std::string(kAddressEntryOpen) + "key 27\n";  // ends the game
  const std::string told = "quillon: lines after the end were not read\n";
  struct Case {
    std::string after;
    std::string err;
  };
  const Case cases[] = {
      {"", ""},
      {"\r\n", ""},
      {"# a last comment\n", ""},
      {"expect start.Visible True", told},
      {"\n# blank lines and comments\n\r\n", told},
      {"jump\n\n# a comment\n\xFF\nwait 1\n", told},
  };
  for (const Case& c : cases) {
    ScriptRun run = RunScriptText(escape + c.after);
    EXPECT_EQ(run.status, 0) << c.after;
    EXPECT_EQ(run.out, "ended\n") << c.after;
    EXPECT_EQ(run.err, c.err) << c.after;
  }

  // A failed expect is told and the run goes on; it still decides the status after the end.
  ScriptRun run = RunScriptText("expect start.Visible False\n" + escape + "focus\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "FAIL line 1: start.Visible=True, expected False\nended\n");
  EXPECT_EQ(run.err, told);
}

TEST(ScriptModeTest, ClicksOnWhatThePlayerCannotReachDoNothing) {
  ScriptRun run = RunScriptText(
      "click about Picture2\nclick back Check1\n"  // not loaded, a disabled screen
      "wait 1600\nclick start Picture1\nprint about.Loaded\n");  // hidden
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "about.Loaded=False\n");
  EXPECT_EQ(run.err,
            "quillon: note: click on about.Picture2 did nothing\n"
            "quillon: note: click on back.Check1 did nothing\n"
            "quillon: note: click on start.Picture1 did nothing\n");
}

TEST(ScriptModeTest, SoundsDocumentsAndTheEndArePrintedAsTheyHappen) {
  ScriptRun run = RunScriptText(
      "wait 1600\nclick Statistika Command1\nscreens\nclick about Label1\nwait 3799\n"
      "print about.Picture2.Visible\nwait 1\nclick about Picture2\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("sound data/about.dat\n"
                                 "screens: about Statistika Programy connect dny board back\n"
                                 "open ") +
                         game::kStudioWebAddress + "\nabout.Picture2.Visible=False\nended\n");
  EXPECT_EQ(run.err, "");
}

TEST(ScriptModeTest, ASoundThatCannotBePlayedPrintsNothingAndTheGameReacts) {
  const std::filesystem::path empty = std::filesystem::temp_directory_path() / "quillon-no-data";
  std::filesystem::create_directories(empty);
  ScriptRun run =
      RunWith("click Statistika Command1\nscreens\nexpect about.Timer1.Enabled True\n", empty);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "screens: error about Statistika start Programy connect dny board back\n");
}

}  // namespace
}  // namespace quillon
