// The notices of the target computers: a refused operation, a finished copy and a connection
// cut by a new one.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign OpravneniScreen();
engine::ScreenDesign KopirovaniScreen();
engine::ScreenDesign PripojeniScreen();

}  // namespace quillon::game
