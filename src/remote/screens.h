#pragma once
#include "engine/design.h"
namespace quillon {
// The login prompt, the five target computers and their notices.
void RegisterRemoteScreens(engine::ScreenRegistry& registry);
}  // namespace quillon
