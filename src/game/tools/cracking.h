// The password breaker: a progress bar that fills in 20 seconds, after which the login
// prompt holds the user name and the password of the current mission's account.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign CrackingScreen();

void cracking_Form_Load(engine::ScreenManager& sm);
void cracking_tmrTest_Timer(engine::ScreenManager& sm);

}  // namespace quillon::game
