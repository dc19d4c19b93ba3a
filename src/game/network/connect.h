// The connect button on the desktop, which opens the address entry.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign ConnectScreen();

void connect_Picture1_Click(engine::ScreenManager& sm);
void connect_Image1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
