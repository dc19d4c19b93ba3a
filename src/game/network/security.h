// The security alarm: acknowledging it costs one step of criminality and drops the connection.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign SecurityScreen();

}  // namespace quillon::game
