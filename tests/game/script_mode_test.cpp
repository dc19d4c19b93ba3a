#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "script/runner.h"
#include "game/desktop/about.h"

namespace quillon {
namespace {

struct ScriptRun {
  int status = -1;
  std::string out;
  std::string err;
};

ScriptRun RunWith(const std::string& script, const std::filesystem::path& folder) {
  std::istringstream in(script);
  std::ostringstream out, err;
  ScriptRun run;
  run.status = script::RunScript(game::GameScreens(), in, out, err, folder);
  run.out = out.str();
  run.err = err.str();
  return run;
}

ScriptRun RunScriptText(const std::string& script) {
  return RunWith(script, QUILLON_DATA_FOLDER);
}

struct Refusal {
  std::string line;
  std::string message;
};

// Each line, as line 2 of a script, stops the run with status 2 and its message; nothing after
// it runs.
void ExpectRefused(const std::vector<Refusal>& refusals) {
  for (const Refusal& refusal : refusals) {
    ScriptRun run =
        RunScriptText("print start.Visible\n" + refusal.line + "\nprint start.Visible\n");
    EXPECT_EQ(run.status, 2) << refusal.line;
    EXPECT_EQ(run.out, "start.Visible=True\n") << refusal.line;
    EXPECT_EQ(run.err, "line 2: " + refusal.message + "\n") << refusal.line;
  }
}

// The address entry open, its first box focused; each key there plays the key click.
const char* const kAddressEntryOpen = "wait 1600\nclick connect Picture1\n";

TEST(ScriptModeTest, StartUpHasRunBeforeTheFirstCommand) {
  ScriptRun run = RunScriptText(
      "screens\n"
      "# a comment, and a blank line\n"
      "\n"
      "wait 1599\r\n"
      "print start.Visible\n"
      "wait 1\n"
      "screens\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "screens: start Programy connect Statistika dny board back\n"
            "start.Visible=True\n"
            "screens: Programy connect Statistika dny board back\n");
}

TEST(ScriptModeTest, PrintShowsEveryKindOfValueWithoutLoadingAnything) {
  ScriptRun run = RunScriptText(
      "print back.Enabled\n"
      "print back.Check1.Value\n"
      "print board.Picture1.Visible\n"
      "print Statistika.Label2.Caption\n"
      "print dny.Timer2.Enabled\n"
      "print miseok.Visible\n"
      "print miseok.Enabled\n"
      "print miseok.Label1.Caption\n"
      "print miseok.Loaded\n"
      "focus\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "back.Enabled=False\n"
            "back.Check1.Value=0\n"
            "board.Picture1.Visible=True\n"
            "Statistika.Label2.Caption=Začátečník\n"
            "dny.Timer2.Enabled=False\n"
            "miseok.Visible=False\n"
            "miseok.Enabled=<not loaded>\n"
            "miseok.Label1.Caption=<not loaded>\n"
            "miseok.Loaded=False\n"
            "focus=\n");
}

TEST(ScriptModeTest, AFailedExpectIsReportedAndTheRunGoesOnToStatusOne) {
  ScriptRun run = RunScriptText(
      "expect Statistika.Label3.Caption 0\n"
      "expect Statistika.Label1.Caption Malá\n"
      "expect start.Visible True\n"
      "print Statistika.Label3.Caption\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out,
            "FAIL line 2: Statistika.Label1.Caption=Není, expected Malá\n"
            "Statistika.Label3.Caption=0\n");
}

TEST(ScriptModeTest, UnknownWordsAndWordsLeftOverAreRefused) {
  ExpectRefused({
      {"jump board", "unknown command 'jump'"},
      {"jump" + std::string(60, 'x'),
       "unknown command 'jumpxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...'"},
      {" screens", "unknown command ''"},
      {"click nowhere Picture1", "unknown screen 'nowhere'"},
      {"click board Picture99", "unknown control 'board.Picture99'"},
      {"click board", "click takes SCREEN CONTROL"},
      {"click board Picture1 now", "click takes SCREEN CONTROL"},
      {"print board.Picture1.Colour", "unknown property 'Colour' of Picture1"},
      {"print board.Picture1.Text", "unknown property 'Text' of Picture1"},
      {"print board", "unknown item 'board'"},
      {"print start.Visible twice", "print takes one ITEM, not 'start.Visible twice'"},
      {"screens extra", "screens takes nothing after it, not 'extra'"},
      {"focus now", "focus takes nothing after it, not 'now'"},
  });
}

TEST(ScriptModeTest, AWaitIsAWholeNumberOfMillisecondsUpToOneDay) {
  const std::string bound = ": a wait is a whole number of ms from 0 to 86400000";
  ExpectRefused({
      {"wait soon", "bad time 'soon'" + bound},
      {"wait", "bad time ''" + bound},
      {"wait -1", "bad time '-1'" + bound},
      {"wait -0", "bad time '-0'" + bound},
      {"wait +5", "bad time '+5'" + bound},
      {"wait  5", "bad time ' 5'" + bound},
      {"wait 5 ", "bad time '5 '" + bound},
      {"wait 5 5", "bad time '5 5'" + bound},
      {"wait 1e3", "bad time '1e3'" + bound},
      {"wait 86400001", "bad time '86400001'" + bound},
      {"wait 9223372036854775807", "bad time '9223372036854775807'" + bound},
      {"wait 99999999999999999999", "bad time '99999999999999999999'" + bound},
  });

  // A whole day at once: the calendar turns a day every three seconds and a little.
  ScriptRun run = RunScriptText("wait 0\nwait 86400000\nprint dny.Label2.Caption\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "dny.Label2.Caption=6.9.2089\n");
}

TEST(ScriptModeTest, AKeyIsBackspaceEnterEscapeOrACharacter) {
  const std::string keys =
      ": a key is 8 (Backspace), 13 (Enter), 27 (Escape) or a character from 32 to 1114111, "
      "not 127 nor 55296 to 57343";
  ExpectRefused({
      {"key 0", "bad key code '0'" + keys},
      {"key 9", "bad key code '9'" + keys},
      {"key 31", "bad key code '31'" + keys},
      {"key 127", "bad key code '127'" + keys},
      {"key 55296", "bad key code '55296'" + keys},
      {"key 57343", "bad key code '57343'" + keys},
      {"key 1114112", "bad key code '1114112'" + keys},
      {"key 2147483648", "bad key code '2147483648'" + keys},
      {"key 4294967323", "bad key code '4294967323'" + keys},  // Escape, if it wrapped
      {"key 99999999999999999999", "bad key code '99999999999999999999'" + keys},
      {"key -1", "bad key code '-1'" + keys},
      {"key +13", "bad key code '+13'" + keys},
      {"key 13x", "bad key code '13x'" + keys},
      {"key 13 13", "bad key code '13 13'" + keys},
      {"key", "bad key code ''" + keys},
  });

  // The characters on either side of the surrogates and the last one; Backspace takes a
  // whole character.
  ScriptRun run = RunScriptText(std::string(kAddressEntryOpen) +
                                "key 32\nkey 55295\nkey 8\nkey 57344\nkey 1114111\n"
                                "print ip.Text1.Text\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "sound data/ip.dat\nsound data/ip.dat\nsound data/ip.dat\nsound data/ip.dat\n"
            "sound data/ip.dat\nip.Text1.Text= \xEE\x80\x80\xF4\x8F\xBF\xBF\n");
}

TEST(ScriptModeTest, EveryLineIsUtf8AndTypeTakesNoControlCharacters) {
  const std::string control = "; Backspace, Enter and Escape are key 8, 13 and 27";
  ExpectRefused({
      {"type \xFF"
       "abc",
       "invalid UTF-8 at byte 6"},
      {"type ab\x80", "invalid UTF-8 at byte 8"},            // a byte that only continues
      {"type \xC0\xAF", "invalid UTF-8 at byte 6"},          // '/' in two bytes
      {"type \xE0\x80\xAF", "invalid UTF-8 at byte 6"},      // '/' in three bytes
      {"type \xED\xA0\x80", "invalid UTF-8 at byte 6"},      // a surrogate
      {"type \xF4\x90\x80\x80", "invalid UTF-8 at byte 6"},  // past U+10FFFF
      {"type \xF8\x88\x80\x80\x80", "invalid UTF-8 at byte 6"},
      {"type \xE2\x82", "invalid UTF-8 at byte 6"},  // cut short at the end of the line
      {"type \xE2\x82"
       "x",
       "invalid UTF-8 at byte 6"},
      {"# a comment \xC3(", "invalid UTF-8 at byte 13"},
      {"print start.Vis\xFFible", "invalid UTF-8 at byte 16"},
      {std::string("type a\0b", 8), "NUL byte at byte 7"},
      {std::string("#\0", 2), "NUL byte at byte 2"},
      {"type a\tb", "type cannot press control character 9" + control},
      {"type a\rb", "type cannot press control character 13" + control},
      {"type \x1B", "type cannot press control character 27" + control},
      {"type \x7F", "type cannot press control character 127" + control},
  });

  // A typed key is a change a window would redraw; a refused line types nothing at all, not
  // even the characters before the fault.
  std::ostringstream out, err;
  script::ScriptRunner runner(game::GameScreens(), out, err, QUILLON_DATA_FOLDER);
  runner.Start();
  EXPECT_TRUE(runner.RunLine("wait 1600", 1));
  EXPECT_TRUE(runner.RunLine("click connect Picture1", 2));
  const std::uint64_t revision = runner.Manager().Revision();
  EXPECT_TRUE(runner.RunLine("type 1", 3));
  EXPECT_GT(runner.Manager().Revision(), revision);
  EXPECT_FALSE(runner.RunLine("type 23\x01", 4));
  EXPECT_EQ(runner.Status(), 2);
  EXPECT_EQ(runner.Manager().Peek("ip")->Find("Text1")->text, "1");
  EXPECT_EQ(err.str(), "line 4: type cannot press control character 1" + control + "\n");

  // Two, three and four bytes a character; the third moves the focus on.
  ScriptRun run = RunScriptText(std::string(kAddressEntryOpen) +
                                "type ř€\xF0\x9D\x84\x9E\nprint ip.Text1.Text\nfocus\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "sound data/ip.dat\nsound data/ip.dat\nsound data/ip.dat\n"
            "ip.Text1.Text=ř€\xF0\x9D\x84\x9E\nfocus=ip.Text2\n");
}

TEST(ScriptModeTest, ALineHoldsAtMostOneMebibyte) {
  const size_t mebibyte = 1048576;
  const std::string longest = "#" + std::string(mebibyte - 1, 'x');
  for (const char* lineEnd : {"\n", "\r\n"}) {
    ScriptRun run = RunScriptText("print start.Visible\n" + longest + lineEnd + "focus\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "start.Visible=True\nfocus=\n");
    EXPECT_EQ(run.err, "");
  }
  for (const std::string& tooLong :
       {longest + "x\nfocus\n", longest + "\r\r\nfocus\n", longest + "x" /* no line end */}) {
    ScriptRun run = RunScriptText("print start.Visible\n" + tooLong);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "start.Visible=True\n");
    EXPECT_EQ(run.err, "line 2: longer than 1048576 bytes\n");
  }
}

TEST(ScriptModeTest, CommandLinesAfterTheEndAreCountedButNotRun) {
  const std::string escape = std::string(kAddressEntryOpen) + "key 27\n";  // ends the game
  struct Case {
    std::string after;
    std::string err;
  };
  const Case cases[] = {
      {"", ""},
      {"\n# only blank lines and comments\n\r\n", ""},
      {"expect start.Visible True", "1 line after the end was not run\n"},
      {"focus\n\n# a comment\nprint start.Visible\nwait 1\n",
       "3 lines after the end were not run\n"},
      // Lines that would be refused are not even looked at.
      {"jump\n\xFF\n" + std::string(2000000, 'x') + "\n", "3 lines after the end were not run\n"},
  };
  for (const Case& c : cases) {
    ScriptRun run = RunScriptText(escape + c.after);
    EXPECT_EQ(run.status, 0) << c.after;
    EXPECT_EQ(run.out, "ended\n") << c.after;
    EXPECT_EQ(run.err, c.err) << c.after;
  }

  // A failed expect before the end still decides the status.
  ScriptRun run = RunScriptText("expect start.Visible False\n" + escape + "focus\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "FAIL line 1: start.Visible=True, expected False\nended\n");
  EXPECT_EQ(run.err, "1 line after the end was not run\n");
}

TEST(ScriptModeTest, ClicksOnWhatThePlayerCannotReachDoNothing) {
  ScriptRun run = RunScriptText(
      "click about Picture2\n"  // not loaded
      "click back Check1\n"     // a disabled screen
      "wait 1600\n"
      "click start Picture1\n"  // hidden
      "print about.Loaded\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "about.Loaded=False\n");
  EXPECT_NE(run.err.find("did nothing"), std::string::npos);
}

TEST(ScriptModeTest, SoundsDocumentsAndTheEndArePrintedAsTheyHappen) {
  ScriptRun run = RunScriptText(
      "wait 1600\n"
      "click Statistika Command1\n"
      "screens\n"
      "click about Label1\n"
      "wait 3799\n"
      "print about.Picture2.Visible\n"
      "wait 1\n"
      "click about Picture2\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("sound data/about.dat\n"
                                 "screens: about Statistika Programy connect dny board back\n"
                                 "open ") +
                         game::kStudioWebAddress +
                         "\n"
                         "about.Picture2.Visible=False\n"
                         "ended\n");
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

TEST(ScriptModeTest, KeysGoNowhereWhenNoTextBoxHasTheFocus) {
  ScriptRun run = RunScriptText("type 155\nkey 13\nkey 8\nfocus\nscreens\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "focus=\nscreens: start Programy connect Statistika dny board back\n");
}

}  // namespace
}  // namespace quillon
