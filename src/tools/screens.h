#pragma once
#include "engine/design.h"
namespace quillon {
// The tools panel, the password breaker, the voice tools and the files wizard.
void RegisterToolScreens(engine::ScreenRegistry& registry);
}  // namespace quillon
