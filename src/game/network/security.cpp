#include "game/network/security.h"

#include <string>

#include "engine/screen_manager.h"
#include "game/desktop/screen_lists.h"

namespace quillon::game {

using namespace engine;

namespace {

// The criminality after one more acknowledged alarm; "Velká" is as high as it goes.
std::string NextCriminality(const std::string& level) {
  if (level == "Není") return "Malá";
  if (level == "Malá") return "Střední";
  if (level == "Střední") return "Velká";
  return level;
}

void security_Command1_Click(ScreenManager& sm) {
  ControlRef criminality = sm.Control("Statistika", "Label1");
  criminality.SetCaption(NextCriminality(criminality.Caption()));
  // The connection drops at its first open screen only; the password breaker is left alone.
  UnloadFirstShowing(sm, {"map1", "map2", "login", "comp1", "Comp2", "comp3", "comp4", "comp5"});
  sm.Show("board");
  if (sm.Control("Statistika", "Label1").Caption() == "Velká") sm.Show("loser");
  sm.Unload("security");
}

}  // namespace

ScreenDesign SecurityScreen() {
  ScreenDesign s = CentredScreen("security", "Security", 4620, 2400);
  s.controls = {
      Label("Label4", 120, 75, "Security").Title(),
      Picture("Picture1", 180, 420, 1215, 1815, "security"),
      Label("Label1", 1440, 660, 3075, 795,
            "Vaše IP adresa byla zapsána do zakázaných IP adres a předána policii."),
      Picture("Command1", 2280, 1740, 1215, 435, "close-button"),
      Shape("Shape2", 60, 60, 4500, 255),
      Shape("Shape1", 60, 300, 4500, 2040),
  };
  s.click["Command1"] = security_Command1_Click;
  return s;
}

}  // namespace quillon::game
