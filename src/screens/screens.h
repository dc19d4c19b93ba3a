#pragma once
#include "engine/design.h"
namespace quillon {
// The statistics panel, the closing credits and the notices of the desktop.
void RegisterDesktopScreens(engine::ScreenRegistry& registry);
}  // namespace quillon
