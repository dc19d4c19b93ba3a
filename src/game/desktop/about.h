// The closing credits: they disable the desktop, play the closing sound and, after 3.8 s,
// show the close picture that ends the game.
#pragma once

#include "engine/design.h"

namespace quillon::game {

// The studio's web address, shown in and opened from `about.Label1`.
inline constexpr const char* kStudioWebAddress = "http://www.pergamen-studio.example/";

engine::ScreenDesign AboutScreen();

}  // namespace quillon::game
