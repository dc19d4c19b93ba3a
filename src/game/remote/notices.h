// The notices of the target computers: a refused operation, a finished copy and a connection
// cut by a new one.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign OpravneniScreen();
engine::ScreenDesign KopirovaniScreen();
engine::ScreenDesign PripojeniScreen();

void oprávnění_Label1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
