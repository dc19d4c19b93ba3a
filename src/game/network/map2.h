// Connection map 2: the second network's route through a proxy server and a firewall, the
// trace countdown from "150" and the Disconnect that ends a connection without penalty.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign Map2Screen();

}  // namespace quillon::game
