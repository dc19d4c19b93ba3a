// The address entry: four boxes for the parts of an IPv4 address, Connect and Storno.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign IpScreen();

void ip_Command1_Click(engine::ScreenManager& sm);
void ip_Command2_Click(engine::ScreenManager& sm);
void ip_Text1_Change(engine::ScreenManager& sm);
void ip_Text2_Change(engine::ScreenManager& sm);
void ip_Text3_Change(engine::ScreenManager& sm);
void ip_Text1_KeyPress(engine::ScreenManager& sm, int& keyAscii);
void ip_Text2_KeyPress(engine::ScreenManager& sm, int& keyAscii);
void ip_Text3_KeyPress(engine::ScreenManager& sm, int& keyAscii);
void ip_Text4_KeyPress(engine::ScreenManager& sm, int& keyAscii);

}  // namespace quillon::game
