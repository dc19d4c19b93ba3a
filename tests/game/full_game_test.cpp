#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game.h"
#include "app/script_runner.h"

namespace quillon {
namespace {

struct Played {
  int status = -1;
  std::string out;
  std::string err;
};

Played PlayScript(std::istream& script) {
  std::ostringstream out, err;
  Played played;
  played.status = RunScript(GameScreens(), script, out, err, QUILLON_DATA_FOLDER);
  played.out = out.str();
  played.err = err.str();
  return played;
}

std::string FullGameScript() {
  std::ifstream file(std::filesystem::path(QUILLON_EXAMPLES_FOLDER) / "full-game.qs");
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(FullGameTest, TheExampleScriptPlaysAllFiveMissionsToTheCredits) {
  const std::string script = FullGameScript();
  ASSERT_FALSE(script.empty());
  std::istringstream in(script);
  const Played played = PlayScript(in);

  EXPECT_EQ(played.status, 0) << played.out << played.err;
  EXPECT_EQ(played.out.find("FAIL"), std::string::npos) << played.out;
  const std::string ending = "sound data/about.dat\nended\n";
  ASSERT_GE(played.out.size(), ending.size());
  EXPECT_EQ(played.out.substr(played.out.size() - ending.size()), ending);
  // Every click of the script landed on a showing screen and a visible control.
  EXPECT_EQ(played.err, "");
}

TEST(FullGameTest, TheScriptsChecksWouldCatchAGameThatPaysDifferently) {
  std::string script = FullGameScript();
  const std::string money = "expect Statistika.Label3.Caption 206 000";
  const size_t at = script.find(money);
  ASSERT_NE(at, std::string::npos);
  script.replace(at, money.size(), "expect Statistika.Label3.Caption 206 001");
  std::istringstream in(script);
  const Played played = PlayScript(in);
  EXPECT_EQ(played.status, 1);
  EXPECT_NE(played.out.find("FAIL line"), std::string::npos);
}

TEST(FullGameTest, WithoutTheVoiceGeneratorTheFifthTargetStaysShut) {
  // The script with the generator's click taken out: the confirm calls security instead.
  std::string script = FullGameScript();
  const std::string generator = "click Programy Command2\n";
  const size_t at = script.find(generator);
  ASSERT_NE(at, std::string::npos);
  script.erase(at, generator.size());
  std::istringstream in(script);
  const Played played = PlayScript(in);
  EXPECT_EQ(played.status, 1);
  EXPECT_NE(played.out.find("comp5.Visible=False, expected True"), std::string::npos) << played.out;
  EXPECT_EQ(played.out.find("ended"), std::string::npos);  // no credits, no end
}

}  // namespace
}  // namespace quillon
