// The voice identification of the fifth target and the voice generator that fakes it.
// Both screens run the same three-timer animation on their own pictures.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign VoiceScreen();
engine::ScreenDesign VoicebrakerScreen();

}  // namespace quillon::game
