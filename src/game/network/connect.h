// The connect button on the desktop, which opens the address entry.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign ConnectScreen();

}  // namespace quillon::game
