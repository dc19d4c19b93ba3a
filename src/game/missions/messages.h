// The five mission messages. They share one layout and the handlers of their attachments,
// "Storno" and "Smazat"; they differ in their texts, their attachments and the completion test
// run by "Odpovědět".
#pragma once

#include <vector>

#include "engine/design.h"

namespace quillon::game {

// `Message`, `Message2` ... `Message5`.
std::vector<engine::ScreenDesign> MissionMessageScreens();

}  // namespace quillon::game
