// The tools panel: seven tool buttons in five frames, revealed by the mission messages.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign ProgramyScreen();

}  // namespace quillon::game
