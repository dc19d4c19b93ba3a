// The voice identification of the fifth target and the voice generator that fakes it.
// Both screens run the same three-timer animation on their own pictures.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign VoiceScreen();
engine::ScreenDesign VoicebrakerScreen();

void voice_Form_Load(engine::ScreenManager& sm);
void voice_Picture5_Click(engine::ScreenManager& sm);
void voice_Timer1_Timer(engine::ScreenManager& sm);
void voice_Timer2_Timer(engine::ScreenManager& sm);
void voice_Timer3_Timer(engine::ScreenManager& sm);

void voicebraker_Form_Load(engine::ScreenManager& sm);
void voicebraker_Timer1_Timer(engine::ScreenManager& sm);
void voicebraker_Timer2_Timer(engine::ScreenManager& sm);
void voicebraker_Timer3_Timer(engine::ScreenManager& sm);
void voicebraker_Timer4_Timer(engine::ScreenManager& sm);

}  // namespace quillon::game
