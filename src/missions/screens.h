#pragma once
#include "engine/design.h"
namespace quillon {
// The message board and the five mission messages.
void RegisterMissionScreens(engine::ScreenRegistry& registry);
}  // namespace quillon
