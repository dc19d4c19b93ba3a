// A game's recording played again in script mode, the screens noted each time they change, to
// be held against the screens of the game as it was played.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "script/recorder.h"
#include "script/runner.h"

namespace quillon::testing {

inline std::string ReadFile(const std::string& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the player did, as recorded: the recording without its two header lines.
inline std::string Recorded(const std::string& file) {
  const std::string recording = ReadFile(file);
  return recording.substr(recording.find('\n', recording.find('\n') + 1) + 1);
}

// The screens showing, front to back, each time they differ from the last time noted.
struct ScreenHistory {
  void Note(const engine::ScreenManager& manager) {
    std::string screens;
    for (const std::string& screen : manager.VisibleFrontToBack()) screens += screen + " ";
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
    runner.ReportLinesAfterTheEnd(reader);
  }

  const engine::ScreenManager& Game() { return runner.Game().Game(); }

  std::ifstream script;
  std::ostringstream out, err;
  script::ScriptRunner runner;
  ScreenHistory history;
};

}  // namespace quillon::testing
