#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/game.h"
#include "app/script_runner.h"
#include "screens/about.h"

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
  run.status = RunScript(GameScreens(), in, out, err, folder);
  run.out = out.str();
  run.err = err.str();
  return run;
}

ScriptRun RunScriptText(const std::string& script) {
  return RunWith(script, QUILLON_DATA_FOLDER);
}

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

TEST(ScriptModeTest, ALineItDoesNotUnderstandStopsTheRunWithStatusTwo) {
  const char* const wrong[] = {
      "jump board",                   // command
      "click nowhere Picture1",       // screen
      "click board Picture99",        // control
      "print board.Picture1.Colour",  // property
      "print board.Picture1.Text",    // a property the control does not have
      "print board",                  // item
      "wait soon",                    // number
      "key -1",
      "click board",
  };
  for (const char* line : wrong) {
    ScriptRun run =
        RunScriptText(std::string("print start.Visible\n") + line + "\nprint start.Visible\n");
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_EQ(run.out, "start.Visible=True\n") << line;
    EXPECT_EQ(run.err.rfind("line 2: ", 0), 0u) << run.err;
  }
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
      "click about Picture2\n"
      "print about.Loaded\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("sound data/about.dat\n"
                                 "screens: about Statistika Programy connect dny board back\n"
                                 "open ") +
                         kStudioWebAddress +
                         "\n"
                         "about.Picture2.Visible=False\n"
                         "ended\n");
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
