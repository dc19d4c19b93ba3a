// A whole game in virtual time, played through a game session as every front end plays it,
// with sounds and documents recorded instead of played.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "game/game.h"
#include "engine/screen_manager.h"
#include "engine/services.h"
#include "session/game_session.h"

namespace quillon::testing {

class FakeSound : public engine::SoundPlayer {
 public:
  bool Play(const std::string& path) override {
    if (!playable.count(path)) return false;
    played.push_back(path);
    return true;
  }
  std::set<std::string> playable{"data/ip.dat", "data/about.dat"};
  std::vector<std::string> played;
};

class FakeDocuments : public engine::DocumentOpener {
 public:
  void Open(const std::string& target) override { opened.push_back(target); }
  std::vector<std::string> opened;
};

class CzechDates : public engine::DateFormatter {
 public:
  std::string ShortDate(engine::Date date) const override { return engine::CzechShortDate(date); }
};

class GameTest : public ::testing::Test {
 protected:
  GameTest() { gameSession.Start(game::kFirstScreen); }

  void Wait(std::int64_t ms) { gameSession.Advance(ms); }
  bool Click(const std::string& screen, const std::string& control) {
    return gameSession.Deliver(session::PlayerEvent::ClickOn(screen, control));
  }
  void Key(int code) { gameSession.Deliver(session::PlayerEvent::KeyPress(code)); }
  void Type(const std::string& text) {
    for (unsigned char c : text) Key(c);  // ASCII only; the script runner does UTF-8
  }
  std::vector<std::string> Screens() const { return sm.VisibleFrontToBack(); }
  // The first `n` visible screens, front first.
  std::vector<std::string> Front(size_t n) const {
    const std::vector<std::string> visible = Screens();
    return {visible.begin(), visible.begin() + static_cast<long>(std::min(n, visible.size()))};
  }
  // Whether a screen is showing, without creating it.
  bool Showing(const std::string& screen) const {
    const engine::ScreenState* state = sm.Peek(screen);
    return state && state->visible;
  }
  bool Loaded(const std::string& screen) const { return sm.Peek(screen) != nullptr; }
  // A control's current caption or text, without creating its screen ("" when not loaded).
  std::string Text(const std::string& screen, const std::string& control) const {
    const engine::ScreenState* state = sm.Peek(screen);
    return state ? state->Find(control)->text : "";
  }
  bool ControlVisible(const std::string& screen, const std::string& control) const {
    const engine::ScreenState* state = sm.Peek(screen);
    return state && state->Find(control)->visible;
  }

  FakeSound sound;
  FakeDocuments documents;
  CzechDates dates;
  session::GameSession gameSession{game::GameScreens(), sound, documents, dates};
  // The game, for setting a scene up as a handler would.
  engine::ScreenManager& sm = gameSession.SceneForTests();
};

}  // namespace quillon::testing
