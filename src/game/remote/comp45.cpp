#include "game/remote/comp45.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

constexpr double kLargePoints = 13.5;
constexpr double kRolePoints = 17.25;
constexpr double kMenuPoints = 9.75;

// "Kontakt": the company's two addresses.
void comp4_Label2_Click(ScreenManager& sm) {
  sm.Show("kontakt");
}

// "Administarce" and "Zpráva souborů" are always refused, whoever asks.
void comp4_Label3_Click(ScreenManager& sm) {
  sm.Show("oprávnění");
}
void comp4_Label4_Click(ScreenManager& sm) {
  sm.Show("oprávnění");
}

void comp5_Label4_Click(ScreenManager& sm) {
  sm.Show("kontrola");
}
void comp5_Label5_Click(ScreenManager& sm) {
  sm.Show("ok");
}

// "Odhlásit se": leaving the fifth target also drops the connection and its trace.
void comp5_Label6_Click(ScreenManager& sm) {
  sm.Unload("comp5");
  sm.Unload("map2");
}

}  // namespace

ScreenDesign Comp4Screen() {
  ScreenDesign s = ManualScreen("comp4", "BCCD s.r.o.", 5295, 3900, 4725, 3165);
  s.controls = {
      Label("Label11", 120, 75, 3615, 255, "BCCD s.r.o.").Title(),
      Shape("Shape3", 60, 60, 4635, 255),
      Shape("Shape2", 60, 300, 4635, 2835),
      Label("Label1", 300, 360, 4155, 375, "Vítejte na serveru firmy BCCD s.r.o.")
          .Bold()
          .Points(kLargePoints),
      Shape("Shape1", 1200, 840, 2235, 1515),
      Label("Label2", 1920, 900, 975, 375, "Kontakt").Points(kLargePoints),
      Label("Label3", 1500, 1380, 1695, 435, "Administarce").Points(kLargePoints),
      Label("Label4", 1320, 1860, 2055, 315, "Zpráva souborů").Points(kLargePoints),
  };
  s.click["Label2"] = comp4_Label2_Click;
  s.click["Label3"] = comp4_Label3_Click;
  s.click["Label4"] = comp4_Label4_Click;
  return s;
}

ScreenDesign Comp5Screen() {
  ScreenDesign s = ManualScreen("comp5", "Form1", 5475, 3900, 4740, 3360);
  s.controls = {
      Label("Label11", 120, 75, 3615, 255, "NBS (Národní Bezpečnostní Služba)").Title(),
      Shape("Shape2", 60, 60, 4635, 255),
      Shape("Shape1", 60, 300, 4635, 3015),
      Label("Label1", 1020, 420, 2835, 375, "Jste přihlášen jako:").Bold().Points(kLargePoints),
      Label("Label2", 1200, 900, 2355, 435, "Administrátor").Title().Points(kRolePoints),
      Label("Label3", 120, 1560, 4515, 615,
            "Nemáte žádná přístupová práva do složek o bezpečnosti státu. Vaším úkolem je pouze "
            "se starat o bezproblémový chod serveru.")
          .Colour(colors::kTitle),
      Label("Label4", 780, 2340, 3195, 315, "Automatická kontrola serveru")
          .Title()
          .Points(kMenuPoints),
      Label("Label5", 1020, 2640, 2595, 315, "Kontrola zatížení serveru")
          .Title()
          .Points(kMenuPoints),
      Label("Label6", 1620, 2940, 1215, 255, "Odhlásit se").Title().Points(kMenuPoints),
  };
  s.click["Label4"] = comp5_Label4_Click;
  s.click["Label5"] = comp5_Label5_Click;
  s.click["Label6"] = comp5_Label6_Click;
  return s;
}

}  // namespace quillon::game
