// The fourth and fifth targets: menu pages without files. Their missions are done by tools
// that act while these screens are open; the pages themselves only show notices, and the
// fifth target's log-out ends the connection.
#pragma once

#include "engine/design.h"

namespace quillon::game {

engine::ScreenDesign Comp4Screen();
engine::ScreenDesign Comp5Screen();

}  // namespace quillon::game
