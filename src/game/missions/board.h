// The message board: five mission slots, each with a message, a reward and a done icon.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign BoardScreen();

// Message icons: open the mission's message.
void board_Picture1_Click(engine::ScreenManager& sm);
void board_Picture2_Click(engine::ScreenManager& sm);
void board_Picture3_Click(engine::ScreenManager& sm);
void board_Picture4_Click(engine::ScreenManager& sm);
void board_Picture5_Click(engine::ScreenManager& sm);
// Reward icons: pay the reward, mark the slot done and open the next slot.
void board_Picture6_Click(engine::ScreenManager& sm);
void board_Picture8_Click(engine::ScreenManager& sm);
void board_Picture10_Click(engine::ScreenManager& sm);
void board_Picture12_Click(engine::ScreenManager& sm);
void board_Picture14_Click(engine::ScreenManager& sm);
// Done icons: only repeat the success notice.
void board_Picture7_Click(engine::ScreenManager& sm);
void board_Picture9_Click(engine::ScreenManager& sm);
void board_Picture11_Click(engine::ScreenManager& sm);
void board_Picture13_Click(engine::ScreenManager& sm);
void board_Picture15_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
