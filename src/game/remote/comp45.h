// The fourth and fifth targets: menu pages without files. Their missions are done by tools
// that act while these screens are open; the pages themselves only show notices, and the
// fifth target's log-out ends the connection.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign Comp4Screen();
engine::ScreenDesign Comp5Screen();

void comp4_Label2_Click(engine::ScreenManager& sm);
void comp4_Label3_Click(engine::ScreenManager& sm);
void comp4_Label4_Click(engine::ScreenManager& sm);

void comp5_Label4_Click(engine::ScreenManager& sm);
void comp5_Label5_Click(engine::ScreenManager& sm);
void comp5_Label6_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
