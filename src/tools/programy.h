// The tools panel: seven tool buttons in five frames, revealed by the mission messages.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon {

engine::ScreenDesign ProgramyScreen();

}  // namespace quillon
