// The two caught screens: the police have the player, and the only button ends the game.
#pragma once

#include "engine/design.h"

namespace quillon::game {

// Caught at criminality "Velká".
engine::ScreenDesign LoserScreen();
// Caught after deleting the wrong files on the third target.
engine::ScreenDesign Loser2Screen();

}  // namespace quillon::game
