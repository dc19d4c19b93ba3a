// The address entry: four boxes for the parts of an IPv4 address, Connect and Storno.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign IpScreen();

}  // namespace quillon::game
