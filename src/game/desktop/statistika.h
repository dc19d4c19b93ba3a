// The statistics panel: criminality, popularity and money, and the way out of the game.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign StatistikaScreen();

}  // namespace quillon::game
