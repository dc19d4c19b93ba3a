// The statistics panel: criminality, popularity and money, and the way out of the game.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign StatistikaScreen();

void Statistika_Command1_Click(engine::ScreenManager& sm);
void Statistika_Label1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
