// The security alarm: acknowledging it costs one step of criminality and drops the connection.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign SecurityScreen();

void security_Command1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
