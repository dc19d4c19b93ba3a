#pragma once
#include "engine/design.h"
namespace quillon {
// The connect button, the address entry, the connection maps, the alarm and the caught screens.
void RegisterNetworkScreens(engine::ScreenRegistry& registry);
}  // namespace quillon
