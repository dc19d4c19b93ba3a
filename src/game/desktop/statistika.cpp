#include "game/desktop/statistika.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

// "Konec hry": the closing credits, which end the game from their close picture.
void Statistika_Command1_Click(ScreenManager& sm) {
  sm.Show("about");
}

void Statistika_Label1_Click(ScreenManager& sm) {
  if (sm.Control("Statistika", "Label1").Caption() == "Velká") sm.Show("loser");
}

}  // namespace

ScreenDesign StatistikaScreen() {
  ScreenDesign s = ManualScreen("Statistika", "Statistika", 12705, 7800, 2520, 2250);
  s.controls = {
      Label("Label4", 120, 75, "Statistika").Title(),
      Picture("Picture1", 120, 360, Pixels(48), Pixels(31), "stat-criminality").Tip("Kriminalita"),
      Label("Label1", 960, 480, "Není").Bold(),
      Picture("Picture2", 120, 840, Pixels(48), Pixels(31), "stat-popularity").Tip("Popularita"),
      Label("Label2", 960, 960, "Začátečník").Bold(),
      Picture("Picture3", 120, 1320, Pixels(48), Pixels(31), "stat-money").Tip("Peníze"),
      Label("Label3", 960, 1440, "0").Bold(),
      Image("Command1", 120, 1860, 2295, 255),
      Label("Label5", 840, 1875, "Konec hry").ButtonText(),
      Shape("Shape3", 120, 1860, 2295, 255),
      Shape("Shape2", 60, 60, 2400, 255),
      Shape("Shape1", 60, 300, 2400, 1890),
  };
  s.click["Command1"] = Statistika_Command1_Click;
  s.click["Label1"] = Statistika_Label1_Click;
  return s;
}

}  // namespace quillon::game
