// The start-up screens: the splash `start`, the backdrop `back` and the calendar `dny`.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign StartScreen();
engine::ScreenDesign BackScreen();
engine::ScreenDesign DnyScreen();

}  // namespace quillon::game
