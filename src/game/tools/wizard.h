// The files wizard: while its window is open, the file commands of the first three targets
// are permitted. It only shows two status texts and a close mark.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign WizardScreen();

}  // namespace quillon::game
