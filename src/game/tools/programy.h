// The tools panel: seven tool buttons in five frames, revealed by the mission messages.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign ProgramyScreen();

void Programy_Command1_Click(engine::ScreenManager& sm);  // Password braker
void Programy_Command2_Click(engine::ScreenManager& sm);  // Generátor hlasu
void Programy_Command3_Click(engine::ScreenManager& sm);  // Files wizard
void Programy_Command4_Click(engine::ScreenManager& sm);  // Destruktor v 4.0
void Programy_Command5_Click(engine::ScreenManager& sm);  // Sub Seven
void Programy_Command6_Click(engine::ScreenManager& sm);  // Proxy bypass
void Programy_Command7_Click(engine::ScreenManager& sm);  // Firewall bypass

}  // namespace quillon::game
