// Text boxes: real line edits whose every key goes to the game's key-press handler first; Tab and
// Shift+Tab go from box to box of the active screen, and a screen that comes up with a text box
// has the keyboard in it at once.
#include "qt/text_box.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QInputMethodEvent>

#include "qt/window_harness.h"

namespace quillon::testing {
namespace {

using engine::ScreenManager;

struct KeyLog {
  std::vector<std::pair<int, std::string>> keys;  // the code and the box's text at that moment
  std::vector<std::string> changes;
};

engine::ScreenRegistry FormScreens(KeyLog& log) {
  engine::ScreenDesign s = engine::CentredScreen("form", "Form1", 4800, 3000);
  s.controls = {
      engine::Label("Label1", 120, 60, "Jméno"),
      engine::TextBox("Text1", 120, 360, 3000, 285),
      engine::TextBox("Text2", 120, 960, 3000, 285),
  };
  s.keyPress["Text1"] = [&log](ScreenManager& sm, int& key) {
    log.keys.emplace_back(key, sm.Control("form", "Text1").Text());
    if (key == 'x') key = 0;    // swallowed
    if (key == 'a') key = 'A';  // changed
    if (key == '-') key = 8;    // turned into a Backspace
    if (key == '#') sm.Control("form", "Text1").SetText("reset");
    if (key == '!') sm.Unload("form");
  };
  s.change["Text1"] = [&log](ScreenManager& sm) {
    const std::string text = sm.Control("form", "Text1").Text();
    log.changes.push_back(text);
    if (text == "done") sm.Control("form", "Text2").SetFocus();
    if (text == "42") sm.Control("form", "Text1").SetText("");
  };
  engine::ScreenRegistry registry;
  registry.Add(std::move(s));
  return registry;
}

class TextBoxTest : public ::testing::Test {
 protected:
  qt::TextBox& Box(const char* control = "Text1") {
    qt::TextBox* box = game.window.TextBoxOf("form", control);
    EXPECT_NE(box, nullptr);
    return *box;
  }
  void Type(const char* keys, const char* control = "Text1") {
    QTest::keyClicks(&Box(control), keys);
    WindowHarness::Settle();
  }
  void Key(Qt::Key key) {
    QTest::keyClick(&Box(), key);
    WindowHarness::Settle();
  }
  std::string GameText(const char* control = "Text1") {
    return game.manager.Peek("form")->Find(control)->text;
  }

  KeyLog log;
  engine::ScreenRegistry screens = FormScreens(log);
  WindowHarness game{screens, "form"};
};

// Backspace, Enter and Escape reach it as their codes; keys that type nothing edit without it.
TEST_F(TextBoxTest, TheKeyPressHandlerSeesEachKeyBeforeTheTextChangesAndMayChangeIt) {
  Type("bc");
  EXPECT_EQ(log.keys, (std::vector<std::pair<int, std::string>>{{'b', ""}, {'c', "b"}}));
  EXPECT_EQ(log.changes, (std::vector<std::string>{"b", "bc"}));
  Type("xa");  // swallowed, and changed into 'A'
  EXPECT_EQ(Box().text(), "bcA");
  Type("-");  // the handler turns it into a Backspace
  Key(Qt::Key_Backspace);
  Key(Qt::Key_Return);
  Key(Qt::Key_Escape);
  EXPECT_EQ(log.keys.size(), 8u);
  EXPECT_EQ(log.keys[5].first, 8);
  EXPECT_EQ(log.keys[6].first, 13);
  EXPECT_EQ(log.keys[7].first, 27);
  EXPECT_EQ(GameText(), "b");
  Key(Qt::Key_Home);
  Key(Qt::Key_Delete);
  EXPECT_EQ(log.keys.size(), 8u);
  EXPECT_EQ(GameText(), "");
  Type("#");  // the key edits the text as the handler left it
  EXPECT_EQ(GameText(), "reset#");
  EXPECT_EQ(Box().text(), "reset#");
  EXPECT_EQ(log.changes.back(), "reset#");
}

TEST_F(TextBoxTest, TheBoxShowsTheGameTextAfterTheGameRewroteIt) {
  Type("42");  // the change handler empties it
  EXPECT_EQ(GameText(), "");
  EXPECT_EQ(Box().text(), "");
  game.manager.Control("form", "Text2").SetText("155.8.13.76");
  game.window.Refresh();
  EXPECT_EQ(Box("Text2").text(), "155.8.13.76");
}

// The form, 4800 x 3000 twips, centred at (352, 284); its first box 8, 24 pixels in, 200 x 19.
TEST_F(TextBoxTest, TheKeyboardFollowsTheGamesFocus) {
  EXPECT_EQ(game.window.scene()->focusItem(), Box("Text1").graphicsProxyWidget());
  Type("done");
  EXPECT_EQ(game.manager.FocusedControl(), "Text2");
  EXPECT_EQ(game.window.scene()->focusItem(), Box("Text2").graphicsProxyWidget());
  game.ClickAt(game.DesktopPoint(460, 317));  // a click on the first box
  EXPECT_EQ(game.manager.FocusedControl(), "Text1");
  EXPECT_EQ(game.window.scene()->focusItem(), Box("Text1").graphicsProxyWidget());
}

TEST_F(TextBoxTest, AKeyWhoseHandlerUnloadsTheScreenTypesNothing) {
  Type("b!");
  EXPECT_EQ(game.manager.Peek("form"), nullptr);
  EXPECT_EQ(game.window.TextBoxOf("form", "Text1"), nullptr);
  EXPECT_EQ(log.changes, (std::vector<std::string>{"b"}));
}

TEST_F(TextBoxTest, InputMethodTextGoesThroughTheHandlerCharacterByCharacter) {
  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("žxa"));
  QCoreApplication::sendEvent(&Box(), &commit);
  WindowHarness::Settle();
  ASSERT_EQ(log.keys.size(), 3u);
  EXPECT_EQ(log.keys[0].first, 0x17E);  // ž as its code point
  EXPECT_EQ(GameText(), "žA");
  EXPECT_EQ(Box().text(), QStringLiteral("žA"));
}

TEST_F(TextBoxTest, ABoxOfADisabledScreenTakesNoKeys) {
  game.manager.SetEnabled("form", false);
  game.window.Refresh();
  EXPECT_FALSE(Box().isEnabled());
  Type("bc");
  EXPECT_TRUE(log.keys.empty());
  EXPECT_EQ(GameText(), "");
}

// The keyboard in the game's own screens, as the window system sends it.

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

// Tab and Shift+Tab go round the boxes both ways, typing nothing and playing no key click.
TEST(KeyboardFocusTest, TabInTheAddressEntryIsNoKeyPressOfTheGame) {
  WindowHarness game{game::GameScreens(), "ip"};
  Keyboard keys(game);
  keys.Tab();
  EXPECT_EQ(keys.Focused("ip"), "Text2");
  keys.Tab();
  keys.Tab();
  keys.Tab();
  EXPECT_EQ(keys.Focused("ip"), "Text1");
  keys.ShiftTab();
  EXPECT_EQ(keys.Focused("ip"), "Text4");
  keys.ShiftTab();
  EXPECT_EQ(keys.Focused("ip"), "Text3");
  keys.Tab();
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
