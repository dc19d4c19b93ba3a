// The start-up screens: the splash `start`, the backdrop `back` and the calendar `dny`.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign StartScreen();
engine::ScreenDesign BackScreen();
engine::ScreenDesign DnyScreen();

void start_Form_Load(engine::ScreenManager& sm);
void start_Timer1_Timer(engine::ScreenManager& sm);

void dny_Form_Load(engine::ScreenManager& sm);
void dny_Timer1_Timer(engine::ScreenManager& sm);
void dny_Timer2_Timer(engine::ScreenManager& sm);

}  // namespace quillon::game
