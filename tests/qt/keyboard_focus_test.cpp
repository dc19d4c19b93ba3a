// The keyboard in the game's window: Tab and Shift+Tab go from text box to text box of the
// active screen, and a screen that comes up with a text box has the keyboard in it at once.
#include "qt/text_box.h"
#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

struct Keyboard {
  explicit Keyboard(WindowHarness& game) : game(game) {}

  // Keys go to the window, as the window system sends them.
  void Tab() { Key(Qt::Key_Tab, Qt::NoModifier); }
  void ShiftTab() { Key(Qt::Key_Backtab, Qt::ShiftModifier); }
  void Type(const char* text) {
    QTest::keyClicks(&game.window, text);
    WindowHarness::Settle();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&game.window, key, modifiers);
    WindowHarness::Settle();
  }

  // The box that has the keyboard, checked against the game's focus.
  std::string Focused(std::string_view screen) const {
    const std::string control = game.manager.FocusedControl();
    qt::TextBox* box = game.window.TextBoxOf(screen, control);
    EXPECT_TRUE(box && box->hasFocus()) << control << " has the game's focus, not the keyboard";
    return control;
  }
  std::string Text(std::string_view screen, std::string_view control) const {
    const std::string text = game.manager.Peek(screen)->Find(control)->text;
    EXPECT_EQ(game.window.TextBoxOf(screen, control)->text().toStdString(), text);
    return text;
  }

  WindowHarness& game;
};

TEST(KeyboardFocusTest, TabAndShiftTabGoRoundTheLoginPromptsBoxesAndTypeNothing) {
  WindowHarness game{game::GameScreens(), "login"};
  Keyboard keys(game);
  ASSERT_EQ(keys.Focused("login"), "Text1");
  keys.Tab();
  EXPECT_EQ(keys.Focused("login"), "Text2");
  keys.Tab();
  EXPECT_EQ(keys.Focused("login"), "Text1");
  keys.ShiftTab();
  EXPECT_EQ(keys.Focused("login"), "Text2");
  keys.ShiftTab();
  EXPECT_EQ(keys.Focused("login"), "Text1");
  EXPECT_EQ(keys.Text("login", "Text1"), "");
  EXPECT_EQ(keys.Text("login", "Text2"), "");

  keys.ShiftTab();
  keys.Type("heslo");
  EXPECT_EQ(keys.Text("login", "Text1"), "");
  EXPECT_EQ(keys.Text("login", "Text2"), "heslo");
}

TEST(KeyboardFocusTest, TabInTheAddressEntryIsNoKeyPressOfTheGame) {
  WindowHarness game{game::GameScreens(), "ip"};
  Keyboard keys(game);
  keys.Tab();
  keys.Tab();
  keys.Tab();
  EXPECT_EQ(keys.Focused("ip"), "Text4");
  keys.Tab();
  EXPECT_EQ(keys.Focused("ip"), "Text1");
  keys.ShiftTab();
  EXPECT_EQ(keys.Focused("ip"), "Text4");
  EXPECT_TRUE(game.sound.played.empty()) << "no key-press handler ran, so no click";
  EXPECT_EQ(keys.Text("ip", "Text4"), "");

  keys.Type("9");  // a typed key is a key press, click and all
  EXPECT_EQ(game.sound.played, std::vector<std::string>{"data/ip.dat"});
  EXPECT_EQ(keys.Text("ip", "Text4"), "9");
}

TEST(KeyboardFocusTest, TheAddressEntryOpensWithTheKeyboardInItsFirstBox) {
  WindowHarness game{game::GameScreens()};
  Keyboard keys(game);
  game.Wait(2000);
  game.ClickAt(game.ControlCentre("connect", "Picture1"));
  ASSERT_TRUE(game.Showing("ip"));
  EXPECT_EQ(keys.Focused("ip"), "Text1");
  keys.Type("1");
  EXPECT_EQ(keys.Text("ip", "Text1"), "1");
}

}  // namespace
}  // namespace quillon::testing
