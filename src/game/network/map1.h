// Connection map 1: the first network's route through a proxy server, the trace countdown
// from "200" and the Disconnect that ends a connection without penalty.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign Map1Screen();

void map1_Form_Load(engine::ScreenManager& sm);
void map1_Timer1_Timer(engine::ScreenManager& sm);
void map1_Command1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
