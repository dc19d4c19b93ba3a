// The one door into a running game: game time and the player's events, and what a listener
// (the recorder) hears of them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "session/game_session.h"

namespace quillon::session {
namespace {

using engine::ScreenManager;

// The game's surroundings: no sound is played, no document opened.
struct Silence : engine::SoundPlayer, engine::DocumentOpener, engine::DateFormatter {
  bool Play(const std::string&) override { return false; }
  void Open(const std::string&) override {}
  std::string ShortDate(engine::Date) const override { return {}; }
};

// Notes what it hears, one line an event.
class Log : public PlayerEventListener {
 public:
  void BeforeEvent(const PlayerEvent& event, std::int64_t moment, bool timersFired) override {
    lines.push_back("before " + event.screen + "." + event.control + " at " +
                    std::to_string(moment) + (timersFired ? " after ticks" : ""));
  }
  void AfterEvent(const PlayerEvent&, bool clockRead) override {
    lines.push_back(clockRead ? "after, clock read" : "after");
  }
  void GameOver(std::int64_t moment) override {
    lines.push_back("over at " + std::to_string(moment));
  }
  std::vector<std::string> lines;
};

// A screen with a ticking timer, three text boxes and a hidden one among them, a button that
// looks at the clock, one that does not, one that ends the game, and one that is hidden; and a
// screen without a text box.
engine::ScreenRegistry Screens(std::vector<std::int64_t>& ticks) {
  engine::ScreenDesign desk = engine::ManualScreen("desk", "Desk", 0, 0, 6000, 4000);
  desk.controls = {
      engine::Timer("Timer1", 250, true),
      engine::TextBox("First", 100, 100, 1000, 300),
      engine::TextBox("Hidden", 100, 500, 1000, 300).Hidden(),
      engine::TextBox("Second", 100, 900, 1000, 300),
      engine::TextBox("Third", 100, 1300, 1000, 300),
      engine::Button("Look", 2000, 100, 900, 400, "Look", ""),
      engine::Button("Quiet", 2000, 600, 900, 400, "Quiet", ""),
      engine::Button("Quit", 2000, 1100, 900, 400, "Quit", ""),
      engine::Button("Gone", 2000, 1600, 900, 400, "Gone", "").Hidden(),
  };
  desk.tick["Timer1"] = [&ticks](ScreenManager& sm) { ticks.push_back(sm.NowMs()); };
  desk.click["Look"] = [](ScreenManager& sm) { (void)sm.NowMs(); };
  desk.click["Quiet"] = [](ScreenManager& sm) { sm.Control("desk", "First").SetText("quiet"); };
  desk.click["Quit"] = [](ScreenManager& sm) { sm.End(); };
  engine::ScreenDesign plain = engine::ManualScreen("plain", "Plain", 7000, 0, 2000, 2000);
  plain.controls = {engine::Label("Label1", 100, 100, "No box here")};
  engine::ScreenRegistry registry;
  registry.Add(desk);
  registry.Add(plain);
  return registry;
}

class GameSessionTest : public ::testing::Test {
 protected:
  GameSessionTest() {
    game.SetListener(&log);
    game.Start("desk");
  }
  std::string Text(const std::string& box) const {
    return game.Game().Peek("desk")->Find(box)->text;
  }

  std::vector<std::int64_t> ticks;
  engine::ScreenRegistry screens = Screens(ticks);
  Silence silence;
  GameSession game{screens, silence, silence, silence};
  Log log;
};

TEST_F(GameSessionTest, TimeMovesOnlyForwardAndEachTickFiresAtItsOwnMoment) {
  game.AdvanceTo(600);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{250, 500}));
  EXPECT_EQ(game.Now(), 600);
  game.AdvanceTo(100);  // the real clock behind the game clock: nothing moves
  EXPECT_EQ(game.Now(), 600);
  game.AdvanceTo(750);  // a tick due exactly at the moment fires
  EXPECT_EQ(ticks.back(), 750);

  EXPECT_THROW(game.Advance(-1), std::out_of_range);
  EXPECT_THROW(game.Advance(std::numeric_limits<std::int64_t>::max()), std::out_of_range);
  EXPECT_EQ(game.Now(), 750);
}

TEST_F(GameSessionTest, TheListenerHearsEachEventAtItsMomentWithTheTicksBeforeIt) {
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Quiet")));
  game.AdvanceTo(300);
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Look")));
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Quiet")));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"before desk.Quiet at 0", "after",
                                                 "before desk.Look at 300 after ticks",
                                                 "after, clock read", "before desk.Quiet at 300",
                                                 "after"}));
}

TEST_F(GameSessionTest, WhatTheGameDoesNotTakeIsNeitherHandledNorHeard) {
  EXPECT_FALSE(game.Deliver(PlayerEvent::ClickOn("desk", "Gone")));
  EXPECT_FALSE(game.Deliver(PlayerEvent::ClickOn("nowhere", "Look")));
  EXPECT_FALSE(game.Deliver(PlayerEvent::EditOf("desk", "Missing", "x")));
  EXPECT_TRUE(log.lines.empty());

  // A key goes to the focused box of the active screen, and the listener is told which.
  EXPECT_TRUE(game.Deliver(PlayerEvent::KeyPress('a')));
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Second")));
  EXPECT_TRUE(game.Deliver(PlayerEvent::KeyPress(0x159)));  // ř
  EXPECT_EQ(Text("First"), "a");
  EXPECT_EQ(Text("Second"), "ř");
  EXPECT_EQ(log.lines[0], "before desk.First at 0");
  EXPECT_EQ(log.lines[4], "before desk.Second at 0");

  game.SceneForTests().Show("plain");
  EXPECT_FALSE(game.Deliver(PlayerEvent::KeyPress('b'))) << "no text box has the focus";
  EXPECT_EQ(log.lines.size(), 6u);
}

TEST_F(GameSessionTest, TheEndIsHeardOnceAndNothingReachesTheGameAfterIt) {
  bool ended = false;
  game.SetEndListener([&ended] { ended = true; });
  game.AdvanceTo(40);
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Quit")));
  EXPECT_TRUE(ended);
  EXPECT_FALSE(game.Deliver(PlayerEvent::ClickOn("desk", "Quiet")));
  game.Leave(900);  // the window closes after the end: nothing more is heard
  EXPECT_EQ(log.lines,
            (std::vector<std::string>{"before desk.Quit at 40", "over at 40", "after"}));
  game.AdvanceTo(std::numeric_limits<std::int64_t>::max());  // stops at the clock's limit
  EXPECT_EQ(game.Now(), engine::kVirtualTimeLimitMs);
  EXPECT_EQ(ticks, std::vector<std::int64_t>{}) << "no tick fires after the end";
}

TEST_F(GameSessionTest, LeavingARunningGameCatchesUpAndIsHeardOnce) {
  game.Leave(520);
  game.Leave(900);
  EXPECT_EQ(ticks, (std::vector<std::int64_t>{250, 500}));
  EXPECT_EQ(log.lines, (std::vector<std::string>{"over at 520"}));
  EXPECT_TRUE(game.Deliver(PlayerEvent::ClickOn("desk", "Quiet"))) << "the game itself goes on";
  EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(GameSessionTest, TabGoesRoundTheVisibleEnabledBoxesInDesignOrder) {
  std::vector<std::string> focus{game.Game().FocusedControl()};
  for (const bool forward : {true, true, true, false, false}) {
    EXPECT_TRUE(game.MoveFocus(forward));
    focus.push_back(game.Game().FocusedControl());
  }
  // The hidden box is passed over; Tab goes round the end, Shift+Tab back round the start.
  EXPECT_EQ(focus,
            (std::vector<std::string>{"First", "Second", "Third", "First", "Third", "Second"}));
  game.SceneForTests().Control("desk", "First").SetEnabled(false);
  game.SceneForTests().Control("desk", "Second").SetVisible(false);
  game.SceneForTests().Control("desk", "Third").SetVisible(false);
  EXPECT_FALSE(game.MoveFocus(true)) << "no box left to take the focus";
}

}  // namespace
}  // namespace quillon::session
