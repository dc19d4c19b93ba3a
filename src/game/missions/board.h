// The message board: five mission slots, each with a message, a reward and a done icon.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign BoardScreen();

}  // namespace quillon::game
