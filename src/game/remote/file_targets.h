// The three target computers with a file list: four rows of a file name, a date, Copy and
// Del. Copy and Del work only while the files wizard is open; the goal operations of
// missions 1 to 3 set the popularity, and the wrong deletion on comp3 gets the player caught.
#pragma once

#include "engine/design.h"
#include "engine/screen_manager.h"

namespace quillon::game {

engine::ScreenDesign Comp1Screen();
engine::ScreenDesign Comp2Screen();
engine::ScreenDesign Comp3Screen();

// Copy and Del of a row, rows counting from 1. Both return whether the files wizard gave the
// permission; without it they show `oprávnění` and change nothing.
bool CopyFileRow(engine::ScreenManager& sm);
bool DeleteFileRow(engine::ScreenManager& sm, const char* screen, int row);

// The rows with an effect of their own.
void comp1_Command7_Click(engine::ScreenManager& sm);  // Del "xsoft-5088-6.dat": mission 1
void Comp2_Command4_Click(engine::ScreenManager& sm);  // Copy "vlasak.doc": mission 2
void comp3_Command5_Click(engine::ScreenManager& sm);  // Del "test001.dat": mission 3
void comp3_Command6_Click(engine::ScreenManager& sm);  // Del "test002.dat": mission 3
void comp3_Command7_Click(engine::ScreenManager& sm);  // Del "cenik.dat": caught
void comp3_Command8_Click(engine::ScreenManager& sm);  // Del "ucetnictvi.dat": caught

}  // namespace quillon::game
