#include "web/scene_json.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::web {
namespace {

using engine::ScreenManager;

TEST(JsonString, KeepsCzechTextAndEscapesWhatJsonMust) {
  EXPECT_EQ(JsonString("Připojit"), "\"Připojit\"");
  EXPECT_EQ(JsonString(R"(say "hi" \ bye)"), R"("say \"hi\" \\ bye")");
  EXPECT_EQ(JsonString("a\nb\tc\x01"), R"("a\u000ab\u0009c\u0001")");
  EXPECT_EQ(JsonString(""), "\"\"");
  EXPECT_EQ(JsonString("\xF0\x9F\x98\x80"), "\"\xF0\x9F\x98\x80\"");  // a character past U+FFFF
}

TEST(JsonString, TurnsBytesThatAreNoUtf8IntoReplacementCharacters) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(JsonString("a\xFF" "b"), "\"a" + replacement + "b\"");
  EXPECT_EQ(JsonString("\xC3"), "\"" + replacement + "\"");              // cut short
  EXPECT_EQ(JsonString("\xC0\xAF"), "\"" + replacement + replacement + "\"");  // overlong
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"" + replacement + replacement + replacement + "\"");
  EXPECT_EQ(JsonString("\xF4\x90\x80\x80").size(), 2 + 4 * replacement.size());  // past U+10FFFF
}

engine::ScreenRegistry Screens() {
  engine::ScreenDesign desk = engine::ManualScreen("desk", "Plocha", 150, 300, 4500, 3000);
  desk.controls = {
      engine::Label("Label1", 150, 150, "Stav: \"OK\"").Title().Centred(),
      engine::TextBox("Text1", 150, 600, 1500, 285),
      engine::Timer("Timer1", 1000, true),
  };
  desk.load = [](ScreenManager& sm) { sm.Control("desk", "Text1").SetFocus(); };
  desk.click["Label1"] = [](ScreenManager& sm) { sm.Show("note"); };
  engine::ScreenDesign note = engine::CentredScreen("note", "Zpráva", 3000, 1500);
  note.controls = {engine::Label("Label1", 0, 0, "Ahoj")};
  engine::ScreenRegistry registry;
  registry.Add(desk);
  registry.Add(note);
  return registry;
}

class Silence : public engine::SoundPlayer, public engine::DocumentOpener,
                public engine::DateFormatter, public engine::Clock {
 public:
  bool Play(const std::string&) override { return false; }
  void Open(const std::string&) override {}
  std::string ShortDate(engine::Date) const override { return {}; }
  std::int64_t NowMs() const override { return 0; }
};

TEST(DesignsJson, DescribesEveryScreenWhereItStandsWithItsControlsInDesignOrder) {
  const std::string json = DesignsJson(Screens());
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.back(), '}');
  EXPECT_NE(json.find(R"("desk":{"caption":"Plocha","left":150,"top":300,"width":4500,)"
                      R"("height":3000,"backColor":[0,0,0],"icon":"","controls":[{"name":"Label1",)"
                      R"("kind":"Label","left":150,"top":150,)"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("caption":"Stav: \"OK\"","foreColor":[95,176,237],"fontPoints":8.25,)"
                      R"("bold":true,"alignment":"centre")"),
            std::string::npos)
      << json;
  // The centred screen is given where it stands: (15360 - 3000) / 2, (11520 - 1500) / 2.
  EXPECT_NE(json.find(R"("note":{"caption":"Zpráva","left":6180,"top":5010,)"), std::string::npos)
      << json;
  EXPECT_LT(json.find(R"("name":"Text1","kind":"TextBox")"),
            json.find(R"("name":"Timer1","kind":"Timer")"));
}

TEST(SceneJson, ListsTheShowingScreensFrontToBackWithTheirControls) {
  const engine::ScreenRegistry screens = Screens();
  Silence silence;
  ScreenManager game(screens, {&silence, &silence, &silence, &silence});
  game.Start("desk");
  EXPECT_EQ(SceneJson(game),
            R"({"revision":)" + std::to_string(game.Revision()) +
                R"(,"ended":false,"active":"desk","focus":"Text1","screens":[)"
                R"({"name":"desk","instance":1,"enabled":true,"controls":[)"
                R"({"visible":true,"text":"Stav: \"OK\"","value":0},)"
                R"({"visible":true,"text":"","value":0},)"
                R"({"visible":true,"text":"","value":0}]}]})");

  game.Click("desk", "Label1");
  game.TypeKey('x');  // the note is active now: no box has the focus there
  const std::string json = SceneJson(game);
  EXPECT_NE(json.find(R"("active":"note","focus":"","screens":[{"name":"note")"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"(]},{"name":"desk")"), std::string::npos) << json;
}

}  // namespace
}  // namespace quillon::web
