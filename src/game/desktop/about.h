// The closing credits: they disable the desktop, play the closing sound and, after 3.8 s,
// show the close picture that ends the game.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

// The studio's web address, shown in and opened from `about.Label1`.
inline constexpr const char* kStudioWebAddress = "http://www.pergamen-studio.example/";

engine::ScreenDesign AboutScreen();

void about_Form_Load(engine::ScreenManager& sm);
void about_Timer1_Timer(engine::ScreenManager& sm);
void about_Picture2_Click(engine::ScreenManager& sm);
void about_Label1_Click(engine::ScreenManager& sm);

}  // namespace quillon::game
