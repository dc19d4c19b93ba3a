// The message board: five mission slots, each with a message, a reward and a done icon.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon {

engine::ScreenDesign BoardScreen();

}  // namespace quillon
