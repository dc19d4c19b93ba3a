// The notice screens: small screens with a title, a text and a close picture that unloads them.
#pragma once

#include <string>

#include "engine/design.h"

namespace quillon::game {

// The click handler of a notice's close picture: it unloads the notice, nothing else.
engine::Handler UnloadOnClick(std::string screen);

// The twelve notices of the desktop, the tools and the targets.
void RegisterNoticeScreens(engine::ScreenRegistry& registry);

}  // namespace quillon::game
