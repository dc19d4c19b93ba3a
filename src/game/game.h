// The whole game: every screen's design, registered by name, and how a run starts.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

// The screen the platform loads first; its load handler opens the desktop.
inline constexpr const char* kFirstScreen = "start";

void RegisterAllScreens(engine::ScreenRegistry& registry);

// The designs of every screen of the game, made once.
const engine::ScreenRegistry& GameScreens();

}  // namespace quillon::game
