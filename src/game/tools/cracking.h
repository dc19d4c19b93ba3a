// The password breaker: a progress bar that fills in 20 seconds, after which the login
// prompt holds the user name and the password of the current mission's account.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign CrackingScreen();

}  // namespace quillon::game
