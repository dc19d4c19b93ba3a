// Missions 1 and 2 played end to end by the example script, as a player would run it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/game.h"
#include "app/script_runner.h"

namespace quillon {
namespace {

const std::filesystem::path kScript =
    std::filesystem::path(QUILLON_EXAMPLES_FOLDER) / "missions-1-2.qs";

std::string ReadScript() {
  std::ifstream file(kScript);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(Missions12Test, TheExampleScriptPlaysBothMissionsWithEveryExpectHolding) {
  const std::string script = ReadScript();
  ASSERT_FALSE(script.empty()) << kScript;
  std::istringstream in(script);
  std::ostringstream out, err;
  const int status = RunScript(GameScreens(), in, out, err, QUILLON_DATA_FOLDER);

  EXPECT_EQ(status, 0) << out.str() << err.str();
  EXPECT_EQ(out.str().find("FAIL"), std::string::npos) << out.str();
  EXPECT_EQ(out.str().find("ended"), std::string::npos);
  // Every click of the script reached a control that was there to be clicked.
  EXPECT_EQ(err.str(), "");
  EXPECT_NE(out.str().find("sound data/ip.dat"), std::string::npos);
}

TEST(Missions12Test, TheScriptChecksBothRewardsInOrder) {
  const std::string script = ReadScript();
  const size_t first = script.find("expect Statistika.Label3.Caption 20 000\n");
  const size_t second = script.find("expect Statistika.Label3.Caption 56 000\n");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
}

// The same road with one expect turned false must fail: the run really checks.
TEST(Missions12Test, AWrongExpectationFailsTheRun) {
  std::string script = ReadScript();
  const std::string money = "expect Statistika.Label3.Caption 56 000";
  script.replace(script.find(money), money.size(), "expect Statistika.Label3.Caption 57 000");
  std::istringstream in(script);
  std::ostringstream out, err;
  EXPECT_EQ(RunScript(GameScreens(), in, out, err, QUILLON_DATA_FOLDER), 1);
  EXPECT_NE(out.str().find("FAIL line"), std::string::npos);
  EXPECT_NE(out.str().find("Statistika.Label3.Caption=56 000, expected 57 000"), std::string::npos);
}

}  // namespace
}  // namespace quillon
