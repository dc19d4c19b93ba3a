// Connection map 1: the first network's route through a proxy server, the trace countdown
// from "200" and the Disconnect that ends a connection without penalty.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign Map1Screen();

}  // namespace quillon::game
