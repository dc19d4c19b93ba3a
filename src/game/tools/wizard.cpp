#include "game/tools/wizard.h"

#include "engine/screen_manager.h"

namespace quillon::game {

using namespace engine;

namespace {

// Runs however the wizard is created, also hidden by a permission check of a file screen, so
// the status text may have switched before the player ever sees it.
void wizard_Form_Load(ScreenManager& sm) {
  sm.Control("wizard", "Timer1").SetEnabled(true);
}

void wizard_Timer1_Timer(ScreenManager& sm) {
  sm.Control("wizard", "Label1").SetCaption("Simuluji přístupová práva");
  sm.Control("wizard", "Timer1").SetEnabled(false);
}

void wizard_Label2_Click(ScreenManager& sm) {
  sm.Unload("wizard");
}

}  // namespace

ScreenDesign WizardScreen() {
  ScreenDesign s = ManualScreen("wizard", "Files Wizard", 2475, 1950, 3705, 825);
  s.icon = "wizard-icon";
  s.controls = {
      Label("Label2", 3480, 75, 195, 195, "X").ButtonText(),
      Label("Label4", 120, 75, "Files Wizard").Title(),
      Label("Label1", 120, 360, 3000, 360, "Zjištuji data o serveru").Bold().Points(13.5),
      Timer("Timer1", 800, false),
      Shape("Shape2", 60, 60, 3585, 255),
      Shape("Shape1", 60, 300, 3585, 465),
  };
  s.load = wizard_Form_Load;
  s.tick["Timer1"] = wizard_Timer1_Timer;
  s.click["Label2"] = wizard_Label2_Click;
  return s;
}

}  // namespace quillon::game
