// Connection map 2: the second network's route through a proxy server and a firewall, the
// trace countdown from "150" and the Disconnect that ends a connection without penalty.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign Map2Screen();

void map2_Timer1_Timer(engine::ScreenManager& sm);
void map2_Command1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
