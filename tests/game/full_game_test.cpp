// The example scripts played end to end, as a player would run them.
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
  std::string script;
  std::string out;
  std::string err;
};

Played PlayExample(const char* name) {
  std::ifstream file(std::filesystem::path(QUILLON_EXAMPLES_FOLDER) / name);
  std::ostringstream text, out, err;
  text << file.rdbuf();
  Played played;
  played.script = text.str();
  std::istringstream in(played.script);
  played.status = RunScript(GameScreens(), in, out, err, QUILLON_DATA_FOLDER);
  played.out = out.str();
  played.err = err.str();
  return played;
}

TEST(ExampleScriptTest, MissionsOneAndTwoPayTwentyThenFiftySixThousand) {
  const Played played = PlayExample("missions-1-2.qs");
  ASSERT_FALSE(played.script.empty());
  const size_t first = played.script.find("expect Statistika.Label3.Caption 20 000\n");
  const size_t second = played.script.find("expect Statistika.Label3.Caption 56 000\n");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);

  EXPECT_EQ(played.status, 0) << played.out << played.err;
  EXPECT_EQ(played.out.find("FAIL"), std::string::npos) << played.out;
  EXPECT_EQ(played.out.find("ended"), std::string::npos);
  // Every click of the script reached a control that was there to be clicked.
  EXPECT_EQ(played.err, "");
  EXPECT_NE(played.out.find("sound data/ip.dat"), std::string::npos);
}

TEST(ExampleScriptTest, TheFullGamePlaysAllFiveMissionsToTheCredits) {
  const Played played = PlayExample("full-game.qs");
  ASSERT_FALSE(played.script.empty());
  EXPECT_EQ(played.status, 0) << played.out << played.err;
  EXPECT_EQ(played.out.find("FAIL"), std::string::npos) << played.out;
  const std::string ending = "sound data/about.dat\nended\n";
  ASSERT_GE(played.out.size(), ending.size());
  EXPECT_EQ(played.out.substr(played.out.size() - ending.size()), ending);
  EXPECT_EQ(played.err, "");
}

}  // namespace
}  // namespace quillon
