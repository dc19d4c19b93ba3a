#include "game/network/losers.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr const char* kCaughtTitle = "Byl jsi chycen";
constexpr const char* kArrested = "Byl jste zatčen a obviněn z hackingu!";

void AddFrameShapes(ScreenDesign& s) {
  s.controls.push_back(Shape("Shape2", 60, 60, s.width - 120, 255));
  s.controls.push_back(Shape("Shape1", 60, 300, s.width - 120, s.height - 360));
}

void loser_Command1_Click(ScreenManager& sm) {
  sm.End();
}

void loser2_Command1_Click(ScreenManager& sm) {
  sm.End();
}

}  // namespace

ScreenDesign LoserScreen() {
  ScreenDesign s = CentredScreen("loser", kCaughtTitle, 4425, 2370);
  s.controls = {
      Label("Label4", 120, 75, kCaughtTitle).Title(),
      Picture("Picture1", 120, 420, 1575, 1875, "caught"),
      Label("Label1", 1800, 660, 2535, 735, kArrested),
      Picture("Command1", 2400, 1560, 1215, 435, "close-button"),
  };
  AddFrameShapes(s);
  s.click["Command1"] = loser_Command1_Click;
  return s;
}

ScreenDesign Loser2Screen() {
  ScreenDesign s = CentredScreen("loser2", kCaughtTitle, 4440, 2370);
  s.controls = {
      Label("Label4", 120, 75, kCaughtTitle).Title(),
      Label("Label2", 1740, 420, 2655, 675,
            "Pan Miroslav Krejčí vás udal poté co jste mu smazal jiné soubory než měli být "
            "smazány"),
      Picture("Picture1", 120, 420, 1575, 1875, "caught"),
      Label("Label1", 1800, 1140, 2535, 735, kArrested),
      Picture("Command1", 2400, 1860, 1215, 435, "close-button"),
  };
  AddFrameShapes(s);
  s.click["Command1"] = loser2_Command1_Click;
  return s;
}

}  // namespace quillon::game
