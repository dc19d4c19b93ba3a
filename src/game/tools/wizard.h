// The files wizard: while its window is open, the file commands of the first three targets
// are permitted. It only shows two status texts and a close mark.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign WizardScreen();

void wizard_Form_Load(engine::ScreenManager& sm);
void wizard_Timer1_Timer(engine::ScreenManager& sm);
void wizard_Label2_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
